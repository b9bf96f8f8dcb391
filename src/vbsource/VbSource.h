// The in-memory model of a parsed VB project: the project, its member sources, their tokens,
// procedures, module-level variables and statistics record.
#pragma once

#include "framework/StartTable.h"
#include "framework/VtParts.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

// Token kinds: stored in tokens and tested by the checkers.
enum : std::uint8_t {
    tkVersion = 0,   // header line beginning with "VERSION"
    tkHeader = 1,    // other header line (designer block)
    tkAttribute = 2, // header line beginning with "Attribute"
    tkKeyword = 3,
    tkOperator = 4,
    tkIdentifier = 5,
    tkSymbol = 6,
    tkNumber = 7,
    tkString = 8,
    tkComment = 9,
};

// Scope codes stamped into tokens by the tokenizer's state machine.
enum : std::uint8_t {
    scInitial = 0,
    scHeader = 1,
    scPublic = 2,
    scFriend = 3,
    scPrivate = 4,
    scOther = 6,
};

// One token, in 8 bytes. Its text is a view into storage owned by its source (the source's
// logical text or its text arena), so a token costs no heap allocation of its own. A token knows
// neither its position nor its line: the list that owns it answers both (TVbTokenList::IndexOf,
// TVbTokenList::LineOf), for the tokens of one line stand one after the other there.
//
// The text's address is kept in 48 bits, which hold every address a process is given on the
// platforms we build for (a user-space address stays below 2^47); an address beyond them is
// refused rather than cut. Length and scope fill the next byte, and the kind, read most, the
// last one on its own. Fewer than one token in a hundred is long enough to be kept through a
// record (LongText).
class TVbToken {
public:
    // A text of LongText bytes or more is kept through a record: see the second constructor.
    static constexpr std::size_t LongText = 0x1F;

    // The text must be shorter than LongText bytes.
    TVbToken(std::uint8_t scope, std::uint8_t kind, std::string_view text) {
        if (text.size() >= LongText) TooLong();
        Pack(scope, kind, text.size(), text.data());
    }
    // A token of any length: `text` is a view that lives as long as the token and holds the
    // token's text (a source keeps these records for its long tokens, see TVbSource::StoreView).
    TVbToken(std::uint8_t scope, std::uint8_t kind, const std::string_view* text) {
        Pack(scope, kind, LongText, reinterpret_cast<const char*>(text));
    }

private:
    std::uint64_t Address_ : 48;
    // LongText: the address is that of a view.
    std::uint64_t Length_ : 5;

public:
    std::uint64_t Scope : 3;
    std::uint64_t Kind : 8;

    // Whether a token can hold this address (see above).
    static bool InReach(const void* address) {
        return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(address)) >> 48 == 0;
    }

    std::string_view Text() const {
        const auto* at = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(Address_));
        if (Length_ == LongText) [[unlikely]]
            return *reinterpret_cast<const std::string_view*>(at);
        return std::string_view(at, Length_);
    }
    // Whether the text is `text`: most tokens differ in length, which is told without the text.
    // A long token's text has LongText bytes or more, so it is never a shorter one.
    bool Is(std::string_view text) const {
        if (text.size() < LongText)
            return Length_ == text.size() &&
                   std::memcmp(reinterpret_cast<const char*>(static_cast<std::uintptr_t>(Address_)),
                               text.data(), text.size()) == 0;
        return Length_ == LongText && Text() == text;
    }

private:
    friend class TVbParser;
    struct TChecked {};
    // For the tokenizer, which makes sure once that its texts lie within reach (InReach) instead
    // of once per token.
    TVbToken(TChecked, std::uint8_t scope, std::uint8_t kind, std::string_view text) {
        Write(scope, kind, text.size(), text.data());
    }
    [[noreturn]] static void TooLong();
    [[noreturn]] static void OutOfReach();
    void Pack(std::uint8_t scope, std::uint8_t kind, std::size_t length, const char* text) {
        if (!InReach(text)) OutOfReach();
        Write(scope, kind, length, text);
    }
    // Writes the fields at once, as the compilers we build with lay out the bit-fields of one
    // unit: from the lowest bit up (a test reads every field back).
    void Write(std::uint8_t scope, std::uint8_t kind, std::size_t length, const char* text) {
        const std::uint64_t word =
            static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(text)) |
            static_cast<std::uint64_t>(length) << 48 |
            static_cast<std::uint64_t>(scope & 0x7) << 53 | static_cast<std::uint64_t>(kind) << 56;
        std::memcpy(static_cast<void*>(this), &word, sizeof word);
    }
};

// An ordered list of tokens. An owning list (a source's Tokens) stores the tokens themselves;
// a non-owning list (a method's body) refers to tokens of the owning list.
class TVbTokenList {
public:
    explicit TVbTokenList(bool ownsTokens) : OwnsTokens_(ownsTokens) {}
    TVbTokenList(const TVbTokenList&) = delete;
    TVbTokenList& operator=(const TVbTokenList&) = delete;

    bool OwnsTokens() const { return OwnsTokens_; }
    // Owning list: stores a copy of the token, on the line begun last (BeginLine; line 0 before
    // the first), and answers it. The answer stays valid until the list grows beyond what it has
    // reserved.
    TVbToken* Add(const TVbToken& token) {
        if (!OwnsTokens_) WrongKind();
        if (Count_ == Capacity_) Grow();
        return new (First_ + Count_++) TVbToken(token);
    }
    // Owning list: the tokens added from now on stand on this line, which is not before the line
    // begun last.
    void BeginLine(std::int32_t line);
    // Non-owning list: refers to a token owned elsewhere.
    void Add(TVbToken* token) {
        // A body is a run of consecutive tokens: it is kept as its first token and a count.
        if (!OwnsTokens_ && Refs_.empty() && (Count_ == 0 || token == First_ + Count_)) {
            if (Count_ == 0) First_ = token;
            ++Count_;
            return;
        }
        AddReference(token);
    }
    // Non-owning list: refers to `count` tokens that stand one after the other from `first` on.
    void AddRun(TVbToken* first, int count) {
        if (count <= 0) return;
        if (!OwnsTokens_ && Refs_.empty() && (Count_ == 0 || first == First_ + Count_)) {
            if (Count_ == 0) First_ = first;
            Count_ += count;
            return;
        }
        for (int k = 0; k < count; ++k)
            Add(first + k);
    }
    TVbToken* Get(int index) const {
        if (static_cast<unsigned>(index) >= static_cast<unsigned>(Count_)) OutOfRange(index);
        return Refs_.empty() ? First_ + index : Refs_[static_cast<std::size_t>(index)];
    }
    int Count() const { return Count_; }
    // The tokens as one array, when they stand one after the other (an owning list, a body kept
    // as a run); none otherwise. Valid as long as Get's answers are.
    const TVbToken* Consecutive() const { return Refs_.empty() ? First_ : nullptr; }
    // The position of the token in this list, or -1 when it is not in it. Constant time, except
    // in a non-owning list whose tokens are not consecutive.
    int IndexOf(const TVbToken* token) const;
    // Owning list: the line of the token at the index (a binary search over the lines).
    std::int32_t LineOf(int index) const;
    // Owning list: the line of one of its tokens.
    std::int32_t LineOf(const TVbToken* token) const { return LineOf(IndexOf(token)); }
    // Owning list: the index of the first token on the line or after it; Count() after the last
    // token's line.
    int FirstOnLine(std::int32_t line) const {
        // Line 0 and below turn into an index beyond every table.
        const std::size_t k = static_cast<std::size_t>(static_cast<std::uint32_t>(line)) - 1;
        if (k < LineStarts_.Count()) return static_cast<int>(LineStarts_[k]);
        return line <= 0 ? 0 : Count_;
    }
    // Owning list: FirstOnLine of the lines from this one (1 or later) on, one after the other.
    TStartReader FirstOnLines(std::int32_t line) const {
        if (line < 1) WrongKind();
        return TStartReader(LineStarts_, static_cast<std::size_t>(line) - 1,
                            static_cast<std::uint32_t>(Count_));
    }
    void Reserve(std::size_t n);
    // Gives back the reserved room beyond the count (a source keeps its tokens for as long as
    // the project stays read). The tokens stay where they are.
    void ShrinkToFit();
    void Clear();

private:
    friend class TVbParser;
    // Owning list, for the tokenizer: the lines of all its tokens at once, in place of those
    // begun: for each line from 1 on, the index of the first token on it or after it (rising, at
    // most Count()).
    void TakeLines(TStartTable&& starts);
    [[noreturn]] static void OutOfRange(int index);
    [[noreturn]] static void WrongKind();
    void Resize(int capacity);
    void Grow();
    void AddReference(TVbToken* token);
    // The tokens, when they stand one after the other: an owning list's block, or the first
    // token of a non-owning list's run.
    TVbToken* First_ = nullptr;
    // Owning: the tokens in one block of the C heap. Tokens are trivially copyable, so the block
    // grows and shrinks with realloc, which for large blocks moves pages instead of bytes and
    // shrinks in place.
    struct FreeBlock {
        void operator()(TVbToken* p) const { std::free(p); }
    };
    std::unique_ptr<TVbToken, FreeBlock> Owned_;
    // Non-owning: only a list whose tokens are not consecutive keeps one pointer per token.
    std::vector<TVbToken*> Refs_;
    // Owning: for each line from 1 to the line begun last, the index of the first token on it or
    // after it (line 0 starts at 0); none while every token is on line 0.
    TStartTable LineStarts_;
    int Count_ = 0;
    int Capacity_ = 0; // owning
    bool OwnsTokens_;
};

// The lines of an owning list's tokens, asked for in rising order of index: on average constant
// time each, where LineOf searches.
class TVbLineCursor {
public:
    explicit TVbLineCursor(const TVbTokenList& tokens) : Tokens_(tokens) {}
    std::int32_t LineOf(int index) {
        if (index < Start_ || index >= End_) Seek(index);
        return Line_;
    }
    std::int32_t LineOf(const TVbToken* token) { return LineOf(Tokens_.IndexOf(token)); }
    // The index of the first token after the line of the last token asked for.
    int LineEnd() const { return End_; }

private:
    void Seek(int index);
    const TVbTokenList& Tokens_;
    std::int32_t Line_ = 0;
    int Start_ = 0; // the tokens of Line_ are those from Start_ to End_ - 1
    int End_ = 0;
};

class TVbVariable {
public:
    // The texts are views into the source's text or what it stores (TVbSource::StoreText).
    TVbVariable(TVbToken* nameToken, std::int32_t line, std::string_view bounds,
                std::string_view typeName)
        : NameToken(nameToken), Bounds(bounds), TypeName(typeName), Line_(line) {}
    TVbToken* NameToken;
    std::string_view Bounds;
    std::string_view TypeName;

    std::string_view Name() const { return NameToken->Text(); }
    // The name token's line.
    std::int32_t Line() const { return Line_; }

private:
    std::int32_t Line_;
};

// The variables are kept in the list itself (a procedure has a few arguments: one block for all
// of them), so an answer of Add or Get stays valid until the list grows.
class TVbVariableList {
public:
    TVbVariable* Add(const TVbVariable& variable) {
        Items_.push_back(variable);
        return &Items_.back();
    }
    const TVbVariable* Get(int index) const;
    int Count() const { return static_cast<int>(Items_.size()); }
    void Clear() { Items_.clear(); }

private:
    std::vector<TVbVariable> Items_;
};

// One Sub, Function or Property procedure.
class TVbMethod {
public:
    TVbToken* NameToken = nullptr;
    std::int32_t Line = 0; // the name token's line
    TVbVariableList Arguments;
    TVbVariableList Locals;
    TVbTokenList Tokens{false};
};

class TVbMethodList {
public:
    TVbMethod* Add(std::unique_ptr<TVbMethod> method) {
        Items_.push_back(std::move(method));
        return Items_.back().get();
    }
    TVbMethod* Get(int index) const;
    int Count() const { return static_cast<int>(Items_.size()); }
    void Clear() { Items_.clear(); }

private:
    std::vector<std::unique_ptr<TVbMethod>> Items_;
};

struct TVbStaticticsInfo {
    std::int32_t TotalLines = 0;
    std::int32_t CodeLines = 0;
    std::int32_t BlankLines = 0;
    std::int32_t CommentLines = 0;
};

// A piece of a line that the tokenizer dropped (no reader took its first character).
struct TVbDroppedText {
    std::int32_t Line;
    std::string_view Text; // a view into the source's storage, without the line end
};

class TVbProjectSource;
class TVbWordList;
class TVbWordLists;

// The kind of a member file of a project; None for the project itself and any other part.
enum class TVbMemberKind : std::uint8_t { None, Form, Module, Class, UserControl, PropertyPage };

class TVbSource : public TVtParts {
public:
    explicit TVbSource(TVbProjectSource* project) : Project(project) {}

    TVbProjectSource* Project;
    TVbTokenList Tokens{true};
    TVbVariableList Variables;
    TVbMethodList Methods;
    TVbStaticticsInfo Statistics;
    bool StatisticsDone = false;
    // What the tokenizer dropped, in order.
    std::vector<TVbDroppedText> DroppedText;
    // The keyword list the tokens were read with, when it outlives the parse (a list the parser
    // read for itself does not); null otherwise. A token of kind tkIdentifier is no word of it.
    const TVbWordList* TokenKeywords = nullptr;
    // Why the last parse could not read the member to its end for want of resources (code page
    // 932; empty when it could). Text the parser cannot follow is no such failure. Kept by
    // ReleaseParse.
    std::string ParseFailure;

    int TokenCount() const override { return Tokens.Count(); }
    int VariableCount() const override { return Variables.Count(); }
    int MethodCount() const override { return Methods.Count(); }
    virtual TVbMemberKind MemberKind() const { return TVbMemberKind::None; }

    // Frees what the read and the parse made (lines, tokens, procedures, variables, dropped text
    // and stored texts) and keeps the file name, the statistics and the exclusion list: the
    // source then reads as not parsed until it is read again.
    void ReleaseParse();

    // Copies text into storage that lives as long as the source and answers the copy; token
    // texts that do not stand in the logical text (header lines with "[cr]") live here.
    std::string_view StoreText(std::string_view text);
    // Keeps a view of a text that lives as long as the source and answers where it is kept, for
    // the tokens whose text is too long for the token itself (TVbToken::LongText).
    const std::string_view* StoreView(std::string_view text);

private:
    std::deque<std::string_view> Views_;
    std::vector<std::unique_ptr<char[]>> Arena_;
    std::size_t ArenaUsed_ = 0;
    std::size_t ArenaSize_ = 0;
};

class TVbModuleSource : public TVbSource {
public:
    using TVbSource::TVbSource;
    void Parse() override;
    TVbMemberKind MemberKind() const override { return TVbMemberKind::Module; }
};
class TVbFormSource : public TVbSource {
public:
    using TVbSource::TVbSource;
    void Parse() override;
    TVbMemberKind MemberKind() const override { return TVbMemberKind::Form; }
};
class TVbClassSource : public TVbSource {
public:
    using TVbSource::TVbSource;
    void Parse() override;
    TVbMemberKind MemberKind() const override { return TVbMemberKind::Class; }
};
class TVbPropertyPageSource : public TVbSource {
public:
    using TVbSource::TVbSource;
    void Parse() override;
    TVbMemberKind MemberKind() const override { return TVbMemberKind::PropertyPage; }
};
class TVbUserControlSource : public TVbSource {
public:
    using TVbSource::TVbSource;
    void Parse() override;
    TVbMemberKind MemberKind() const override { return TVbMemberKind::UserControl; }
};

// The project: the root of the parts tree. It owns its member sources (Children refers to them).
class TVbProjectSource : public TVbSource {
public:
    TVbProjectSource();
    ~TVbProjectSource() override;

    TSourceList Objects;
    TSourceList References;
    TSourceList Forms;
    TSourceList Modules;
    TSourceList Classes;
    TSourceList UserControls;
    TSourceList PropertyPages;
    TStringList MemberFiles;

    bool HasContent() const override { return true; }
    void Parse() override;

    // Takes a member source and appends it to Children.
    TVbSource* AddMember(std::unique_ptr<TVbSource> member);
    // Frees and removes all child parts, from the last to the first.
    void ClearParts();
    // Forgets the members and what the project parser sorted out of the project file, which a
    // second read would otherwise append to. The raw lines stay until a Load replaces them.
    void Clear();

    // The word lists the members are parsed with: the ones set here (not owned; a check session
    // shares its lists this way), or else lists read once for this project from beside the
    // executable.
    TVbWordLists* SharedWordLists = nullptr;
    // False: the project parser names each member's file without reading it, and the caller
    // reads the members (Load with their FileName), e.g. on several threads.
    bool ReadsMembers = true;
    TVbWordLists& WordLists();

    // Raises EGeneralError when the project file read by Load is there but holds none of the
    // lines a VB project has (no "Type=" line, no member or reference key): an empty file, a
    // member source or any other file given in place of the project.
    void CheckIsProject() const;

    // A member whose file could not be read (an I/O error, too little memory...): the member is
    // kept without lines. Line: the file and the reason, as the log shows it.
    struct TMemberFailure {
        std::string FileName;
        std::string Line;
    };
    std::vector<TMemberFailure> MemberFailures;
    // Tells a member that could not be read: writes the line to the log and keeps it.
    void AddMemberFailure(const std::string& fileName, const std::string& line);

private:
    std::vector<std::unique_ptr<TVbSource>> Members_;
    std::unique_ptr<TVbWordLists> OwnWordLists_;
};

// The member kind of a part: one of the five member sources, or None.
TVbMemberKind MemberKindOf(const TVtParts& part);
// The member kind a source file's extension names (.bas, .frm, .cls, .ctl, .pag, letter case
// ignored); None for any other file.
TVbMemberKind MemberKindOfFile(std::string_view path);
// A new, empty member source of the kind (none for None).
std::unique_ptr<TVbSource> NewMemberSource(TVbMemberKind kind, TVbProjectSource* project);
