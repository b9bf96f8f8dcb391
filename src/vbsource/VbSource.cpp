#include "vbsource/VbSource.h"

#include "framework/Errors.h"
#include "vbsource/VbParsers.h"

#include <algorithm>
#include <cstring>

// ---- TVbTokenList ----

void TVbTokenList::OutOfRange(int index) { throw EListError(index); }

void TVbTokenList::WrongKind() { throw EAssertionFailed::Default("VbSource", __LINE__); }

void TVbTokenList::Add(TVbToken* token) {
    if (OwnsTokens_) WrongKind();
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

void TVbTokenList::Reserve(std::size_t n) {
    if (OwnsTokens_) Owned_.reserve(n);
}

void TVbTokenList::ShrinkToFit() {
    // Only worth a copy when more than an eighth of the room is unused.
    if (Owned_.capacity() - Owned_.size() > Owned_.size() / 64 + 16) Owned_.shrink_to_fit();
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
        // Blocks grow from 512 bytes to 16 KB: most sources store only a few header lines.
        ArenaSize_ = std::max(text.size(), std::clamp<std::size_t>(ArenaSize_ * 2, 512, 16384));
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
