#include "vbsource/VbSource.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "vbsource/VbParsers.h"
#include "vbsource/VbProjectParser.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <type_traits>
#include <utility>

// ---- TVbTokenList ----

void TVbTokenList::OutOfRange(int index) { throw EListError(index); }

void TVbTokenList::WrongKind() { throw EAssertionFailed::Default("VbSource", __LINE__); }

void TVbToken::TooLong() { throw EAssertionFailed::Default("VbSource", __LINE__); }

void TVbToken::OutOfReach() { throw EAssertionFailed::Default("VbSource", __LINE__); }

int TVbTokenList::IndexOf(const TVbToken* token) const {
    if (Refs_.empty()) {
        // std::less: a token of another block compares without undefined behaviour.
        const std::less<const TVbToken*> before;
        if (Count_ == 0 || before(token, First_) || !before(token, First_ + Count_)) return -1;
        return static_cast<int>(token - First_);
    }
    const auto found = std::find(Refs_.begin(), Refs_.end(), token);
    return found == Refs_.end() ? -1 : static_cast<int>(found - Refs_.begin());
}

std::int32_t TVbTokenList::LineOf(int index) const {
    if (!OwnsTokens_) WrongKind();
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(Count_)) OutOfRange(index);
    // The last line whose first token is at the index or before it: line 0 and the lines from
    // 1 on that start there or before.
    return static_cast<std::int32_t>(LineStarts_.CountUpTo(static_cast<std::uint32_t>(index)));
}

void TVbTokenList::BeginLine(std::int32_t line) {
    // Line k (from 1 on) starts at LineStarts_[k - 1]: the lines up to this one start here.
    if (!OwnsTokens_ || line < static_cast<std::int32_t>(LineStarts_.Count())) WrongKind();
    LineStarts_.Resize(static_cast<std::size_t>(line), static_cast<std::uint32_t>(Count_));
}

void TVbTokenList::TakeLines(TStartTable&& starts) {
    if (!OwnsTokens_ ||
        (!starts.Empty() && starts[starts.Count() - 1] > static_cast<std::uint32_t>(Count_)))
        WrongKind();
    LineStarts_ = std::move(starts);
}

void TVbLineCursor::Seek(int index) {
    // A line a few lines on (blank lines between) is found without a search.
    if (index >= End_ && Line_ > 0 && index < Tokens_.FirstOnLine(Line_ + 8)) {
        while (index >= Tokens_.FirstOnLine(Line_ + 1))
            ++Line_;
    } else {
        Line_ = Tokens_.LineOf(index);
    }
    Start_ = Tokens_.FirstOnLine(Line_);
    End_ = Tokens_.FirstOnLine(Line_ + 1);
}

// A token that does not continue the run: from now on the list keeps one pointer per token.
void TVbTokenList::AddReference(TVbToken* token) {
    if (OwnsTokens_) WrongKind();
    if (Refs_.empty())
        for (int i = 0; i < Count_; ++i)
            Refs_.push_back(First_ + i);
    Refs_.push_back(token);
    ++Count_;
}

static_assert(std::is_trivially_copyable_v<TVbToken> && std::is_trivially_destructible_v<TVbToken>,
              "tokens are kept in a block that realloc moves");
static_assert(sizeof(TVbToken) == 8, "a token takes 8 bytes");

void TVbTokenList::Resize(int capacity) {
    if (capacity <= 0) {
        Owned_.reset();
        capacity = 0;
    } else {
        void* block =
            std::realloc(Owned_.get(), static_cast<std::size_t>(capacity) * sizeof(TVbToken));
        if (!block) throw std::bad_alloc();
        Owned_.release();
        Owned_.reset(static_cast<TVbToken*>(block));
    }
    First_ = Owned_.get();
    Capacity_ = capacity;
}

void TVbTokenList::Grow() {
    // Indexes are ints: a list cannot count more tokens than that.
    if (Capacity_ > std::numeric_limits<int>::max() / 2) throw std::bad_alloc();
    Resize(Capacity_ < 16 ? 16 : Capacity_ * 2);
}

void TVbTokenList::Reserve(std::size_t n) {
    // A list of more tokens than an int counts could not answer their indexes.
    if (n > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
    if (OwnsTokens_ && static_cast<int>(n) > Capacity_) Resize(static_cast<int>(n));
}

void TVbTokenList::ShrinkToFit() {
    if (OwnsTokens_ && Capacity_ > Count_) Resize(Count_);
}

void TVbTokenList::Clear() {
    if (OwnsTokens_) Resize(0);
    First_ = nullptr;
    Count_ = 0;
    Refs_.clear();
    LineStarts_.Clear();
}

const TVbVariable* TVbVariableList::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return &Items_[static_cast<std::size_t>(index)];
}

TVbMethod* TVbMethodList::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Items_[static_cast<std::size_t>(index)].get();
}

// ---- TVbSource ----

namespace {
// Empties a container and gives back its memory (an assignment may keep the old buffer).
template <class T> void FreeAll(T& container) {
    T empty;
    std::swap(container, empty);
}
} // namespace

void TVbSource::ReleaseParse() {
    // The procedures and variables refer to tokens, and the tokens to the lines and stored texts.
    Methods.Clear();
    Variables.Clear();
    Tokens.Clear();
    FreeAll(DroppedText);
    TokenKeywords = nullptr;
    FreeAll(Arena_);
    FreeAll(Views_);
    ArenaUsed_ = ArenaSize_ = 0;
    FreeAll(RawLines);
    FreeAll(OtherLines);
    FreeAll(LogicalLines);
}

std::string_view TVbSource::StoreText(std::string_view text) {
    if (text.empty()) return std::string_view();
    if (ArenaUsed_ + text.size() > ArenaSize_) {
        // Blocks grow from 512 bytes to 16 KB: most sources store only a few header lines.
        ArenaSize_ = std::max(text.size(), std::clamp<std::size_t>(ArenaSize_ * 2, 512, 16384));
        Arena_.push_back(std::make_unique<char[]>(ArenaSize_));
        ArenaUsed_ = 0;
        // The tokenizer's header tokens point here without a check of their own.
        if (!TVbToken::InReach(Arena_.back().get() + ArenaSize_)) throw std::bad_alloc();
    }
    char* p = Arena_.back().get() + ArenaUsed_;
    std::memcpy(p, text.data(), text.size());
    ArenaUsed_ += text.size();
    return std::string_view(p, text.size());
}

const std::string_view* TVbSource::StoreView(std::string_view text) {
    Views_.push_back(text);
    return &Views_.back();
}

namespace {
// Parse of a member: one parser for one Execute, with the project's word lists (a source of no
// project reads its own). A failure to read the word lists passes to the caller; Execute's
// answer is not looked at.
template <typename Parser> void RunParser(TVbSource& source) {
    if (source.Project) {
        Parser parser(source, source.Project->WordLists());
        parser.Execute();
    } else {
        Parser parser(source);
        parser.Execute();
    }
}
} // namespace

void TVbModuleSource::Parse() { RunParser<TVbModuleParser>(*this); }
void TVbFormSource::Parse() { RunParser<TVbFormParser>(*this); }
void TVbClassSource::Parse() { RunParser<TVbClassParser>(*this); }
void TVbPropertyPageSource::Parse() { RunParser<TVbPropertyPageParser>(*this); }
void TVbUserControlSource::Parse() { RunParser<TVbUserControlParser>(*this); }

TVbMemberKind MemberKindOf(const TVtParts& part) {
    const auto* source = dynamic_cast<const TVbSource*>(&part);
    return source ? source->MemberKind() : TVbMemberKind::None;
}

TVbMemberKind MemberKindOfFile(std::string_view path) {
    std::string name = platform::FileNamePart(path);
    std::size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(platform::AsciiUpper(static_cast<unsigned char>(c)));
    if (ext == "BAS") return TVbMemberKind::Module;
    if (ext == "FRM") return TVbMemberKind::Form;
    if (ext == "CLS") return TVbMemberKind::Class;
    if (ext == "CTL") return TVbMemberKind::UserControl;
    if (ext == "PAG") return TVbMemberKind::PropertyPage;
    return TVbMemberKind::None;
}

std::unique_ptr<TVbSource> NewMemberSource(TVbMemberKind kind, TVbProjectSource* project) {
    switch (kind) {
    case TVbMemberKind::Form:
        return std::make_unique<TVbFormSource>(project);
    case TVbMemberKind::Module:
        return std::make_unique<TVbModuleSource>(project);
    case TVbMemberKind::Class:
        return std::make_unique<TVbClassSource>(project);
    case TVbMemberKind::UserControl:
        return std::make_unique<TVbUserControlSource>(project);
    case TVbMemberKind::PropertyPage:
        return std::make_unique<TVbPropertyPageSource>(project);
    case TVbMemberKind::None:
        break;
    }
    return nullptr;
}

// ---- TVbProjectSource ----

TVbProjectSource::TVbProjectSource() : TVbSource(nullptr) {}

TVbProjectSource::~TVbProjectSource() { ClearParts(); }

TVbWordLists& TVbProjectSource::WordLists() {
    if (SharedWordLists) return *SharedWordLists;
    if (!OwnWordLists_) OwnWordLists_ = std::make_unique<TVbWordLists>();
    return *OwnWordLists_;
}

void TVbProjectSource::Clear() {
    ClearParts();
    for (TSourceList* list : {&Objects, &References, &Forms, &Modules, &Classes, &UserControls,
                              &PropertyPages, &OtherLines})
        list->Clear();
    MemberFiles.clear();
    MemberFailures.clear();
}

void TVbProjectSource::Parse() {
    TVbProjectParser parser(*this);
    parser.Execute();
}

void TVbProjectSource::AddMemberFailure(const std::string& fileName, const std::string& line) {
    WriteLog(line);
    MemberFailures.push_back({fileName, line});
}

TVbSource* TVbProjectSource::AddMember(std::unique_ptr<TVbSource> member) {
    // A member's text is in the code page its project is read in.
    member->SetCodePage(CodePage());
    Members_.push_back(std::move(member));
    Children.push_back(Members_.back().get());
    return Members_.back().get();
}

void TVbProjectSource::ClearParts() {
    Children.clear();
    while (!Members_.empty())
        Members_.pop_back();
}
