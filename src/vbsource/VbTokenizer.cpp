// The tokenizer: continued lines joined, then the joined text read from one position, the readers
// chosen by the class of the character there and tried in their fixed order: ReadHeader,
// ReadKeyword, ReadOperator, ReadIdentifier, ReadSymbol, ReadNumber, ReadStringLiteral,
// ReadComment. A character that no reader takes drops the rest of its line.
#include "framework/TextCatalog.h"
#include "vbsource/VbParsers.h"

#include "platform/CodePage.h"

#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>

// ---- Character classes ----

namespace {

// What a byte can start: the one switch of Tokenize picks the readers by it.
enum : std::uint8_t {
    ccNone,       // no reader takes it: a tab, ":", "#", "_", a control character...
    ccBlank,      // the space only: a tab is no blank
    ccLineEnd,    // CR
    ccLetter,     // A..Z, a..z: a word, and also an operator run (And, Mod)
    ccWordStart,  // a letter beyond ASCII (single-byte code pages) or a lead byte: a word only
    ccOperator,   // ! & * + - / < = > \ ^
    ccSymbol,     // ( ) , . ; [ ]
    ccDigit,      // 0..9
    ccQuote,      // "
    ccApostrophe, // '
};

// What a byte continues.
enum : std::uint8_t {
    cfWord = 1,        // letters, digits and "_"
    cfOperator = 2,    // the operator characters and the ASCII letters
    cfNumber = 4,      // digits and "."
    cfLead = 8,        // the lead byte of a double-byte character
    cfAsciiLetter = 16 // A..Z, a..z: what a word and an operator run have in common
};

} // namespace

// The classes of the 256 byte values in one code page, and the code page (its trail bytes).
struct TCharTable {
    explicit TCharTable(const platform::TCodePage& page) : Page(page) {}
    std::array<std::uint8_t, 256> Class{};
    std::array<std::uint8_t, 256> Flags{};
    const platform::TCodePage& Page;
    std::uint8_t ClassOf(char c) const { return Class[static_cast<unsigned char>(c)]; }
    bool Has(char c, std::uint8_t flag) const {
        return (Flags[static_cast<unsigned char>(c)] & flag) != 0;
    }
    // A lead byte followed by a trail byte: one double-byte character.
    bool DoubleByte(const char* p) const {
        return Has(p[0], cfLead) && Page.IsTrailByte(static_cast<unsigned char>(p[1]));
    }
};

namespace {

// In a single-byte code page every byte that stands for a letter is a letter, so that "A\xF1o"
// (code page 1252) is one word as a Japanese name is in code page 932.
TCharTable MakeCharTable(const platform::TCodePage& page) {
    TCharTable t(page);
    for (int c = 0; c < 26; ++c)
        for (int letter : {'A' + c, 'a' + c}) {
            t.Class[letter] = ccLetter;
            t.Flags[letter] = cfWord | cfOperator | cfAsciiLetter;
        }
    for (int c = '0'; c <= '9'; ++c) {
        t.Class[c] = ccDigit;
        t.Flags[c] = cfWord | cfNumber;
    }
    t.Class[' '] = ccBlank;
    t.Class['\r'] = ccLineEnd;
    for (unsigned char c : std::string_view("!&*+-/<=>\\^")) {
        t.Class[c] = ccOperator;
        t.Flags[c] = cfOperator;
    }
    for (unsigned char c : std::string_view("(),.;[]"))
        t.Class[c] = ccSymbol;
    t.Flags['.'] = cfNumber;
    t.Flags['_'] = cfWord;
    t.Class['"'] = ccQuote;
    t.Class['\''] = ccApostrophe;
    for (int c = 0x80; c <= 0xFF; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        if (page.IsLeadByte(byte)) {
            t.Class[c] = ccWordStart;
            t.Flags[c] = cfLead;
        } else if (page.IsLetterByte(byte)) {
            t.Class[c] = ccWordStart;
            t.Flags[c] = cfWord;
        }
    }
    return t;
}

// The table of a code page, made once per code page.
const TCharTable& CharTableOf(const platform::TCodePage& page) {
    static std::mutex lock;
    static std::map<int, std::unique_ptr<TCharTable>> tables;
    std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<TCharTable>& table = tables[page.Number()];
    if (!table) table = std::make_unique<TCharTable>(MakeCharTable(page));
    return *table;
}

// Is the "_" at p the second byte of a double-byte character? The bytes that can lead a
// character, directly before p, pair up from the first of them (the byte before that run ends a
// character), so p is a second byte exactly when that run is odd.
bool IsSecondByte(const TCharTable& chars, std::string_view s, std::size_t p) {
    std::size_t k = p;
    while (k > 0 && chars.Has(s[k - 1], cfLead))
        --k;
    return (p - k) % 2 == 1;
}

// A line continues on the next one when it is at least 2 bytes long and ends in a "_" of its own.
bool Continues(const TCharTable& chars, std::string_view line) {
    return line.size() >= 2 && line.back() == '_' && !IsSecondByte(chars, line, line.size() - 1);
}

// What a keyword is to the scope machine. The words are compared exactly, letter case included:
// "dim" is a keyword but no scope word.
enum : std::uint8_t {
    krNone,      // no keyword
    krOther,     // any other keyword
    krPublic,    // Public
    krFriend,    // Friend
    krPrivate,   // Private, Dim, Const
    krProcedure, // Function, Sub
    krProperty,  // Property
    krEnd,       // End
};

std::uint8_t KeywordRole(std::string_view w) {
    switch (w.size()) {
    case 3:
        if (w == "Dim") return krPrivate;
        if (w == "Sub") return krProcedure;
        if (w == "End") return krEnd;
        break;
    case 5:
        if (w == "Const") return krPrivate;
        break;
    case 6:
        if (w == "Public") return krPublic;
        if (w == "Friend") return krFriend;
        break;
    case 7:
        if (w == "Private") return krPrivate;
        break;
    case 8:
        if (w == "Function") return krProcedure;
        if (w == "Property") return krProperty;
        break;
    }
    return krOther;
}

std::unique_ptr<TVbWordLists> ReadWordLists(std::string folder) {
    auto lists = std::make_unique<TVbWordLists>(std::move(folder));
    lists->Load();
    return lists;
}

} // namespace

// ---- TVbParser ----

TVbParser::TVbParser(TVbSource& source) : TVbParser(source, TVbWordLists::DefaultFolder()) {}

TVbParser::TVbParser(TVbSource& source, const std::string& wordListDir)
    : Source(source), OwnWordLists_(ReadWordLists(wordListDir)), WordLists_(*OwnWordLists_),
      InternalWords(WordLists_.InternalWords), Keywords(WordLists_.Keywords),
      Operators(WordLists_.Operators), Chars_(&CharTableOf(source.CodePage())) {}

TVbParser::TVbParser(TVbSource& source, TVbWordLists& wordLists)
    : Source(source), WordLists_(wordLists.Load()), InternalWords(WordLists_.InternalWords),
      Keywords(WordLists_.Keywords), Operators(WordLists_.Operators),
      Chars_(&CharTableOf(source.CodePage())) {}

void (*TVbParser::ParseHook)(const TVbSource& source) = nullptr;

bool TVbParser::Execute() {
    Source.ParseFailure.clear();
    try {
        if (ParseHook) ParseHook(Source);
        JoinContinuationLines();
        Tokenize();
        ExtractVariables();
        ExtractMethods();
        return true;
    } catch (const std::bad_alloc&) {
        // Not the text's fault: the member was not read to its end, which the caller tells.
        Source.ParseFailure = Say(TText::ParseOutOfMemory);
        return false;
    } catch (...) {
        // What was built before the failure stays in the source.
        return false;
    }
}

void TVbParser::ClearModel() {
    // Methods and variables refer to tokens, and tokens to the logical text: free them in that
    // order before the text is rebuilt.
    Source.Methods.Clear();
    Source.Variables.Clear();
    Source.Tokens.Clear();
    Source.DroppedText.clear();
    Source.TokenKeywords = OwnWordLists_ ? nullptr : &Keywords;
}

// Raw lines to logical lines: a line ending in "_" is joined with the next one (the "_" removed,
// nothing inserted) and the next one's place is kept by an empty line, so both lists stay line
// for line and a continued statement stands whole on its first line.
void TVbParser::JoinContinuationLines() {
    ClearModel();
    const TSourceList& raw = Source.RawLines;
    TSourceList& logical = Source.LogicalLines;
    const int count = raw.Count();
    // Most files continue no line: then the logical lines are the raw lines, copied whole.
    // The whole test only where a line's last byte is "_".
    int first = 0;
    const char* const all = raw.AllText().data();
    TStartReader lineStarts = raw.StartsFrom(0);
    for (std::uint32_t start = lineStarts.Next(); first + 1 < count; ++first) {
        const std::uint32_t end = lineStarts.Next(); // after the line's CR LF
        if (end - start >= 4 && all[end - 3] == '_' && Continues(*Chars_, raw.Text(first))) break;
        start = end;
    }
    if (first + 1 >= count) {
        logical.Assign(raw);
        return;
    }
    logical.Clear();
    logical.Reserve(raw.AllText().size() - 2 * static_cast<std::size_t>(count), count);
    // One pass: a line that continues gathers the lines after it into its own entry, and each
    // gathered line stays as an empty entry, so logical line k is still physical line k. The
    // lines between the joins are copied a run at a time.
    std::string joined;
    std::vector<std::size_t> starts;
    int copied = 0; // the raw lines before this one are in the logical list
    lineStarts = raw.StartsFrom(first);
    std::uint32_t start = lineStarts.Next();
    for (int r = first; r < count;) {
        const std::uint32_t end = lineStarts.Next();
        int next = r + 1;
        if (next < count && end - start >= 4 && all[end - 3] == '_' &&
            Continues(*Chars_, raw.Text(r))) {
            std::string_view head = raw.Text(r);
            logical.AppendLines(raw, copied, r - copied);
            joined.assign(head);
            // Every raw line starts a character, so whether the joined text's last "_" is the
            // second byte of a double-byte character is decided within the latest line that
            // reaches it: the test never scans back over what was joined before.
            starts.assign(1, 0); // where lines start in the joined text, the last one on top
            for (;;) {
                joined.pop_back();
                std::string_view piece = raw.Text(next++);
                if (!piece.empty()) starts.push_back(joined.size());
                joined.append(piece);
                // An empty line uncovers earlier bytes: the top must hold the last byte.
                while (starts.size() > 1 && starts.back() >= joined.size())
                    starts.pop_back();
                const std::size_t from = starts.back();
                if (next >= count || joined.size() < 2 || joined.back() != '_' ||
                    IsSecondByte(*Chars_, std::string_view(joined).substr(from),
                                 joined.size() - 1 - from))
                    break;
            }
            logical.AddLine(joined, raw.LineNumber(r));
            for (int k = r + 1; k < next; ++k)
                logical.AddLine(std::string_view(), raw.LineNumber(k));
            copied = next;
            // The walk over the starts goes on after the gathered lines.
            lineStarts = raw.StartsFrom(next);
            start = lineStarts.Next();
        } else {
            start = end;
        }
        r = next;
    }
    logical.AppendLines(raw, copied, count - copied);
}

void TVbParser::Tokenize() {
    ClearModel();
    if (Source.LogicalLines.Count() == 0) return;
    // Every logical line followed by CR LF, in one buffer that stays unchanged while the tokens
    // live: token texts are views into it. The buffer is a string, so one byte past the end is
    // there (a NUL, which no class takes) and scans that stop at a class need no end test.
    const std::string& text = Source.LogicalLines.AllText();
    // Tokens are made without a check of their own.
    if (!TVbToken::InReach(text.data() + text.size())) throw std::bad_alloc();
    Text_ = text.data();
    Pos_ = 0;
    End_ = text.size();
    State = 0;
    Line = 1;
    LastKind_ = -1;
    LastKeyword_ = krNone;
    HeaderSeen_ = false;
    NoHeader_ = false;
    WordAt_ = static_cast<std::size_t>(-1);
    // Typical VB code has a token every six to ten bytes; the room left over is given back
    // below, where the block shrinks in place.
    Source.Tokens.Reserve(End_ / 6 + 16);
    // Where each line's tokens start (line 1 at 0), kept here and handed to the list at the end,
    // or where the read stops.
    LineLimit_ = static_cast<std::size_t>(Source.LogicalLines.Count()) + 1;
    LineStarts_.Clear();
    LineStarts_.Reserve(LineLimit_);
    LineWriter_.Flush(); // nothing to write: sets it to start the table's first block
    LineWriter_.Add(0);
    try {
        ReadTokens();
    } catch (...) {
        HandLines();
        throw;
    }
    HandLines();
    Source.Tokens.ShrinkToFit();
}

// Gives the list the lines of its tokens read so far.
void TVbParser::HandLines() {
    LineWriter_.Flush();
    LineStarts_.Resize(static_cast<std::size_t>(Line),
                       static_cast<std::uint32_t>(Source.Tokens.Count()));
    Source.Tokens.TakeLines(std::move(LineStarts_));
    LineStarts_.Clear();
}

// The readers in their order over the whole text.
void TVbParser::ReadTokens() {

    while (Pos_ < End_) {
        // The header comes first, while the scope machine is in it; ReadHeader may pass blanks.
        // Past it, no reader takes a blank: the blanks before a token are passed here.
        if (State <= 1) {
            if (ReadHeader()) continue;
        } else {
            SkipSpaces();
        }
        // The character at the position tells which readers can take it; they are tried in the
        // fixed order, the others could not yield anything here.
        bool read = false;
        switch (Chars_->ClassOf(Text_[Pos_])) {
        case ccLetter:
        case ccWordStart:
            read = ReadKeyword() || ReadOperator() || ReadIdentifier();
            break;
        case ccOperator:
            read = ReadOperator();
            break;
        case ccSymbol:
            read = ReadSymbol();
            break;
        case ccDigit:
            read = ReadNumber();
            break;
        case ccQuote:
            read = ReadStringLiteral();
            break;
        case ccApostrophe:
            read = ReadComment();
            break;
        case ccBlank:
            // No reader takes a blank: the blanks are passed, and what follows them is read on
            // (a line end, or the next token).
            SkipSpaces();
            continue;
        case ccLineEnd:
            // No reader takes a line end either, and there is no rest of the line to drop.
            if (Text_[Pos_ + 1] == '\n') {
                ReadLineEnd();
                continue;
            }
            break;
        default: // a character that no reader takes
            break;
        }
        if (read) continue;
        // No reader takes this character: pass blanks, or else drop the rest of the line.
        const std::size_t before = Pos_;
        if (SkipSpaces() == 0) {
            std::string_view dropped = SkipRestOfLine();
            if (!dropped.empty()) Source.DroppedText.push_back({Line, dropped});
        }
        ReadLineEnd();
        // Every CR of the text is followed by LF, so each round moves on; this only guards the
        // loop should that ever not hold.
        if (Pos_ == before) ++Pos_;
    }
}

// Appends a token read at the current line after running the scope machine on it, which may change
// the token's scope. The machine does not look at the list: what it knows of the tokens before
// this one (the last keyword, the last kind) it keeps itself, so the token is made once, in its
// place, with its final scope.
[[gnu::always_inline]] inline void TVbParser::AddToken(std::uint8_t kind, std::string_view text,
                                                       std::uint8_t scope) {
    State = UpdateScope(kind, text, scope);
    Source.Tokens.Add(text.size() < TVbToken::LongText
                          ? TVbToken(TVbToken::TChecked(), scope, kind, text)
                          : TVbToken(scope, kind, Source.StoreView(text)));
    LastKind_ = kind;
    if (kind <= tkAttribute) HeaderSeen_ = true;
}

// Scans the word at the current position once: where its leading ASCII letters end (an operator
// run starts with the same letters), where it ends, and its hash when it is short enough to be a
// keyword. A word starts at a letter or a double-byte character and goes on over letters,
// digits, "_" and double-byte characters, so a Japanese name is one word.
void TVbParser::ScanWord() {
    const TCharTable& chars = *Chars_;
    const auto* text = reinterpret_cast<const unsigned char*>(Text_);
    const std::uint8_t* flags = chars.Flags.data();
    std::size_t p = Pos_;
    while (flags[text[p]] & cfAsciiLetter)
        ++p;
    WordAt_ = Pos_;
    LettersEnd_ = p;
    WordHash_ = 0;
    if (p == Pos_) {
        if (chars.ClassOf(Text_[p]) == ccWordStart && (flags[text[p]] & cfWord)) {
            ++p;
        } else if (chars.DoubleByte(Text_ + p)) {
            p += 2;
        } else {
            WordEnd_ = p; // no word here
            return;
        }
    }
    // On over letters, digits and "_", a byte each, and double-byte characters, two bytes each.
    for (;;) {
        while (flags[text[p]] & cfWord)
            ++p;
        if (!chars.DoubleByte(Text_ + p)) break;
        p += 2;
    }
    WordEnd_ = p;
    if (p - Pos_ <= Keywords.MaxLength())
        // The text is a string: the byte at End_ is there too, so eight bytes that end at or
        // before it may be read whole.
        WordHash_ = TWordHash::Of(Text_ + Pos_, p - Pos_, p + 8 <= End_ + 1);
}

// The end of the run of operator characters from `from` on. It stops one character past the
// longest operator entry: a run that long matches none.
std::size_t TVbParser::ScanRun(std::size_t from) const {
    const std::size_t limit = Pos_ + Operators.MaxLength() + 1;
    std::size_t p = from;
    while (p < limit && Chars_->Has(Text_[p], cfOperator))
        ++p;
    return p;
}

std::string_view TVbParser::ReadWord() {
    if (Pos_ != WordAt_) ScanWord();
    std::string_view word(Text_ + Pos_, WordEnd_ - Pos_);
    Pos_ = WordEnd_;
    return word;
}

// Header lines (version line, designer block, attribute lines) become whole-line tokens.
bool TVbParser::ReadHeader() {
    if ((State != 0 && State != 1) || NoHeader_) return false;
    const std::size_t p = Pos_;
    SkipSpaces();
    std::string_view word = ReadWord();
    if (word.empty()) return false; // the blanks stay passed
    std::uint8_t kind;
    if (State == 0 && word == "VERSION") {
        kind = tkVersion;
    } else if (word == "Attribute") {
        kind = tkAttribute;
    } else if (!HeaderSeen_ && word != "VERSION") {
        // Code before any header line: the file has none. Read on as if one had just ended.
        // (A VERSION line after a leading comment still opens the header, as a header line.)
        NoHeader_ = true;
        State = 1;
        Pos_ = p;
        return false;
    } else if (LastKind_ == tkAttribute) {
        // The header ended with the attribute lines: this line is code.
        Pos_ = p;
        return false;
    } else {
        kind = tkHeader;
    }
    Pos_ = p;
    std::string_view line = SkipRestOfLine();
    HeaderText_.assign(line);
    if (Pos_ < End_) HeaderText_.append("[cr]"); // the line end, which stays unread
    AddToken(kind, Source.StoreText(HeaderText_), scHeader);
    return true;
}

bool TVbParser::ReadKeyword() {
    const std::size_t start = Pos_;
    std::string_view word = ReadWord();
    if (!word.empty() && word.size() <= Keywords.MaxLength() &&
        Keywords.Contains(word, WordHash_)) {
        AddToken(tkKeyword, word, State);
        return true;
    }
    Pos_ = start;
    return false;
}

// The longest run of operator characters, when it is an operator list entry as a whole. Letters
// are operator characters, so "a=b" is one run that matches nothing.
bool TVbParser::ReadOperator() {
    // Most words start with a letter that starts no operator (And, Mod, Like...).
    if (!Operators.MayStartWith(Text_[Pos_])) return false;
    std::size_t from = Pos_;
    if (Pos_ == WordAt_) { // a word was scanned here: the run goes on from its leading letters
        if (LettersEnd_ - Pos_ > Operators.MaxLength()) return false;
        from = LettersEnd_;
    }
    const std::size_t end = ScanRun(from);
    if (end == Pos_) return false;
    std::string_view run(Text_ + Pos_, end - Pos_);
    if (!(run.size() == 1 ? Operators.ContainsByte(run[0])
                          : Operators.Contains(run, TWordHash::Of(run))))
        return false;
    Pos_ = end;
    AddToken(tkOperator, run, State);
    return true;
}

bool TVbParser::ReadIdentifier() {
    std::string_view word = ReadWord();
    if (word.empty()) return false;
    AddToken(tkIdentifier, word, State);
    return true;
}

bool TVbParser::ReadSymbol() {
    if (Pos_ >= End_ || Chars_->ClassOf(Text_[Pos_]) != ccSymbol) return false;
    AddToken(tkSymbol, std::string_view(Text_ + Pos_, 1), State);
    ++Pos_;
    return true;
}

// Digits and points in any order: 1.2.3 is one token, and 1E5 is the number 1 and the word E5.
bool TVbParser::ReadNumber() {
    std::size_t p = Pos_;
    while (Chars_->Has(Text_[p], cfNumber))
        ++p;
    if (p == Pos_) return false;
    std::string_view number(Text_ + Pos_, p - Pos_);
    Pos_ = p;
    AddToken(tkNumber, number, State);
    return true;
}

// From a double quote to the next double quote that is not doubled. The literal does not stop
// at a line end (and its line ends are not counted); one still open at the end of the text takes
// everything up to there.
bool TVbParser::ReadStringLiteral() {
    if (Pos_ >= End_ || Text_[Pos_] != '"') return false;
    std::size_t p = Pos_ + 1;
    for (;;) {
        const void* quote = std::memchr(Text_ + p, '"', End_ - p);
        if (!quote) {
            p = End_;
            break;
        }
        p = static_cast<std::size_t>(static_cast<const char*>(quote) - Text_) + 1;
        if (p < End_ && Text_[p] == '"') {
            ++p;
            continue;
        }
        break;
    }
    std::string_view literal(Text_ + Pos_, p - Pos_);
    Pos_ = p;
    AddToken(tkString, literal, State);
    return true;
}

// From an apostrophe up to the line end. A Rem comment is not recognised.
bool TVbParser::ReadComment() {
    if (Pos_ >= End_ || Text_[Pos_] != '\'') return false;
    AddToken(tkComment, SkipRestOfLine(), State);
    return true;
}

std::size_t TVbParser::SkipSpaces() {
    const std::size_t start = Pos_;
    std::size_t p = start;
    while (p < End_ && Text_[p] == ' ')
        ++p;
    Pos_ = p;
    return p - start;
}

// Passes everything up to the line end, leaving the CR unread, and answers what it passed.
std::string_view TVbParser::SkipRestOfLine() {
    const std::size_t start = Pos_;
    const void* cr = std::memchr(Text_ + Pos_, '\r', End_ - Pos_);
    Pos_ = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - Text_) : End_;
    return std::string_view(Text_ + start, Pos_ - start);
}

// The one place where a line ends: CR LF is passed and the line counted.
void TVbParser::ReadLineEnd() {
    if (Pos_ + 1 < End_ && Text_[Pos_] == '\r' && Text_[Pos_ + 1] == '\n') {
        Pos_ += 2;
        // A line end of the text: Tokenize made room for one more line than the text ends.
        if (static_cast<std::size_t>(Line) < LineLimit_)
            LineWriter_.Add(static_cast<std::uint32_t>(Source.Tokens.Count()));
        ++Line;
    }
}

// The scope machine: answers the new state and may change the scope of the token about to be
// added (its kind and text given). The last keyword it remembers is the one before this token.
[[gnu::always_inline]] inline std::uint8_t
TVbParser::UpdateScope(std::uint8_t kind, std::string_view text, std::uint8_t& scope) {
    const std::uint8_t s = State;
    const std::uint8_t role = kind == tkKeyword ? KeywordRole(text) : std::uint8_t{krNone};
    const std::uint8_t last = LastKeyword_;
    if (role != krNone) LastKeyword_ = role;
    // The name of a Sub or Function keeps the scope its header began in; the body is private.
    if (kind == tkIdentifier && s != 0 && last == krProcedure) return scPrivate;
    std::uint8_t r = s == 0 ? static_cast<std::uint8_t>(scHeader) : s;
    if (s == 1 && kind > tkAttribute) {
        // The first token after the header: module level is Public by default.
        scope = scPublic;
        r = scPublic;
    }
    switch (role) {
    case krPublic:
        r = scPublic;
        break;
    case krFriend:
        r = scFriend;
        break;
    case krPrivate:
        r = scPrivate;
        break;
    case krProcedure:
    case krProperty:
        if (last == krEnd) r = scPublic; // leaving a procedure
        break;
    default:
        break;
    }
    if (kind != tkIdentifier && scope != scHeader) scope = scOther;
    return r;
}
