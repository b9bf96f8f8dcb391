#include "vbsource/VbSource.h"

#include "framework/Errors.h"
#include "vbsource/VbParsers.h"

#include <algorithm>
#include <cstring>

// ---- TVbTokenList ----

TVbToken* TVbTokenList::Add(const TVbToken& token) {
    if (!OwnsTokens_) throw EAssertionFailed::Default("VbSource", __LINE__);
    Owned_.push_back(token);
    Owned_.back().Index = static_cast<std::int32_t>(Owned_.size() - 1);
    return &Owned_.back();
}

void TVbTokenList::Add(TVbToken* token) {
    if (OwnsTokens_) throw EAssertionFailed::Default("VbSource", __LINE__);
    token->Index = RefCount_;
    if (Refs_.empty() && (RefCount_ == 0 || token == RunStart_ + RefCount_)) {
        if (RefCount_ == 0) RunStart_ = token;
    } else {
        if (Refs_.empty())
            for (int i = 0; i < RefCount_; ++i) Refs_.push_back(RunStart_ + i);
        Refs_.push_back(token);
    }
    ++RefCount_;
}

TVbToken* TVbTokenList::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    if (OwnsTokens_) return const_cast<TVbToken*>(&Owned_[static_cast<std::size_t>(index)]);
    return Refs_.empty() ? RunStart_ + index : Refs_[static_cast<std::size_t>(index)];
}

void TVbTokenList::Reserve(std::size_t n) {
    if (OwnsTokens_) Owned_.reserve(n);
}

void TVbTokenList::Clear() {
    Owned_.clear();
    RunStart_ = nullptr;
    RefCount_ = 0;
    Refs_.clear();
}

TVbVariable* TVbVariableList::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Items_[static_cast<std::size_t>(index)].get();
}

TVbMethod* TVbMethodList::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Items_[static_cast<std::size_t>(index)].get();
}

// ---- TVbSource ----

std::string_view TVbSource::StoreText(std::string_view text) {
    if (text.empty()) return std::string_view();
    if (ArenaUsed_ + text.size() > ArenaSize_) {
        ArenaSize_ = std::max<std::size_t>(text.size(), 16384);
        Arena_.push_back(std::make_unique<char[]>(ArenaSize_));
        ArenaUsed_ = 0;
    }
    char* p = Arena_.back().get() + ArenaUsed_;
    std::memcpy(p, text.data(), text.size());
    ArenaUsed_ += text.size();
    return std::string_view(p, text.size());
}

namespace {
// Parse of a member kind: one parser for one Execute. A failure to create the parser (a missing
// word list) passes to the caller; Execute's answer is not looked at.
template <typename Parser> void RunParser(TVbSource& source) {
    Parser parser(source);
    parser.Execute();
}
} // namespace

void TVbModuleSource::Parse() { RunParser<TVbModuleParser>(*this); }
void TVbFormSource::Parse() { RunParser<TVbFormParser>(*this); }
void TVbClassSource::Parse() { RunParser<TVbClassParser>(*this); }
void TVbPropertyPageSource::Parse() { RunParser<TVbPropertyPageParser>(*this); }
void TVbUserControlSource::Parse() { RunParser<TVbUserControlParser>(*this); }

// ---- TVbProjectSource ----

void TVbProjectSource::Parse() {
    TVbProjectParser parser(*this);
    parser.Execute();
}

TVbSource* TVbProjectSource::AddMember(std::unique_ptr<TVbSource> member) {
    Members_.push_back(std::move(member));
    Children.push_back(Members_.back().get());
    return Members_.back().get();
}

void TVbProjectSource::ClearParts() {
    Children.clear();
    while (!Members_.empty()) Members_.pop_back();
}
