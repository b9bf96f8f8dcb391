#include "vbsource/VbParsers.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <optional>

// ---- Texts ----

namespace {

// The parsers' Japanese texts, written once in UTF-8 and converted to code page 932 once.
struct TVbParserTexts {
    std::string SkipUntilIdentifier; // no procedure name before the end of the tokens
    std::string UnfinishedMethod;    // a procedure whose End line never comes
    std::string UnclosedArguments;   // an argument list still open at the end of the tokens
    std::string OutOfMemory;         // a member too large for the memory left
    std::string NotAProject;         // "%s" is the file
};

const TVbParserTexts& ParserTexts() {
    static const TVbParserTexts texts = [] {
        auto c = [](const char* utf8) { return platform::Utf8ToCp932(utf8); };
        TVbParserTexts t;
        t.SkipUntilIdentifier = c("エラー:TVbParser.ExtractMethods:SkipUntilIdentifier");
        t.UnfinishedMethod = c("エラー:TVbParser.ExtractMethods:End がありません");
        t.UnclosedArguments = c("エラー:TVbParser.ExtractMethods:引数の並びが閉じていません");
        t.OutOfMemory = c("メモリが足りないため読めません");
        t.NotAProject = c("%s は VB のプロジェクトファイルではありません");
        return t;
    }();
    return texts;
}

} // namespace

// ---- TVbProjectParser ----

bool TVbProjectParser::Execute() {
    try {
        TVbProjectSource& p = Project;
        p.LogicalLines.Assign(p.RawLines);
        // First pass: every line to the list of its key.
        for (int i = 0; i < p.LogicalLines.Count(); ++i) {
            std::string_view key = p.LogicalLines.NameAt(i);
            std::string_view text = p.LogicalLines.Text(i);
            std::int32_t number = p.LogicalLines.LineNumber(i);
            TSourceList* list = key == "Class"          ? &p.Classes
                                : key == "Form"         ? &p.Forms
                                : key == "Module"       ? &p.Modules
                                : key == "Object"       ? &p.Objects
                                : key == "PropertyPage" ? &p.PropertyPages
                                : key == "Reference"    ? &p.References
                                : key == "UserControl"  ? &p.UserControls
                                                        : &p.OtherLines;
            list->AddLine(text, number);
        }
        // Second pass: one loaded member source per member file, in file order.
        for (int i = 0; i < p.LogicalLines.Count(); ++i) {
            std::string_view key = p.LogicalLines.NameAt(i);
            std::unique_ptr<TVbSource> member;
            if (key == "Class")
                member = std::make_unique<TVbClassSource>(&p);
            else if (key == "Form")
                member = std::make_unique<TVbFormSource>(&p);
            else if (key == "Module")
                member = std::make_unique<TVbModuleSource>(&p);
            else if (key == "PropertyPage")
                member = std::make_unique<TVbPropertyPageSource>(&p);
            else if (key == "UserControl")
                member = std::make_unique<TVbUserControlSource>(&p);
            else
                continue;
            std::string_view value = p.LogicalLines.ValueAt(i);
            std::string_view path = value;
            std::size_t semicolon = value.find(';');
            if (semicolon != std::string_view::npos) {
                path = value.substr(semicolon + 1);
                std::size_t first = path.find_first_not_of(' ');
                path = first == std::string_view::npos ? std::string_view() : path.substr(first);
            }
            std::string absolute = platform::ResolveProjectPath(p.FileName, path);
            p.MemberFiles.push_back(absolute);
            if (!p.ReadsMembers) {
                member->FileName = absolute;
                p.AddMember(std::move(member));
                continue;
            }
            // A member file that exists but cannot be read, for whatever reason: say so in the
            // log and keep the member (it has no lines, so every rule reports it as not parsed)
            // rather than losing it and every member after it.
            std::string failure = LoadMemberFile(*member, absolute);
            if (!failure.empty()) {
                p.WriteLog(failure);
                p.MemberFailures.push_back({absolute, failure});
            }
            p.AddMember(std::move(member));
        }
        return true;
    } catch (...) {
        return false;
    }
}

void (*TVbProjectParser::MemberLoadHook)(const std::string& fileName) = nullptr;

std::string LoadMemberFile(TVtParts& member, const std::string& fileName) {
    std::string failure;
    try {
        if (TVbProjectParser::MemberLoadHook) TVbProjectParser::MemberLoadHook(fileName);
        member.Load(fileName);
    } catch (const EVetrinError& e) {
        failure = e.Message();
    } catch (const std::bad_alloc&) {
        failure = ParserTexts().OutOfMemory;
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (failure.empty()) return failure;
    // A reason that does not name the file gets the file in front of it.
    const std::string file = platform::MarkPath(fileName);
    if (failure.find(file) == std::string::npos) failure = file + " : " + failure;
    return failure;
}

void TVbProjectSource::CheckIsProject() const {
    if (!platform::FileExists(FileName)) return; // a missing file is reported as before
    for (int i = 0; i < RawLines.Count(); ++i) {
        std::string_view line = RawLines.Text(i);
        std::string_view key = line.substr(0, line.find('='));
        if (key.size() == line.size()) continue;
        for (std::string_view known : {"Type", "Class", "Form", "Module", "PropertyPage",
                                       "UserControl", "Reference", "Object"})
            if (key == known) return;
    }
    const std::string& text = ParserTexts().NotAProject;
    std::size_t at = text.find("%s");
    throw EGeneralError(text.substr(0, at) + platform::MarkPath(FileName) + text.substr(at + 2));
}

// ---- TVbWordList ----

namespace {

// Folds a single-byte ASCII letter to upper case; every other byte stays.
inline unsigned char Fold(unsigned char c) { return platform::AsciiUpper(c); }

// Hash of a word from its length and three of its bytes, letters folded: cheap, and enough to
// spread lists of a few hundred words. Every byte is folded alike (also the second byte of a
// double-byte character), which can only make more words share a hash, never fewer.
std::uint32_t FoldedHash(std::string_view w) {
    const std::size_t n = w.size();
    if (n == 0) return 0;
    auto at = [&](std::size_t i) {
        return static_cast<std::uint32_t>(Fold(static_cast<unsigned char>(w[i])));
    };
    std::uint32_t h = static_cast<std::uint32_t>(n) * 0x9E3779B1u;
    h ^= at(0) * 0x85EBCA6Bu;
    h ^= at(n - 1) * 0xC2B2AE35u;
    h ^= at(n / 2) * 0x27D4EB2Fu;
    return h ^ (h >> 15);
}

bool SameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (platform::IsLeadByte(x) && i + 1 < a.size() &&
            platform::IsTrailByte(static_cast<unsigned char>(a[i + 1]))) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (Fold(x) != Fold(y)) {
            return false;
        }
    }
    return true;
}

} // namespace

void TVbWordList::LoadFromFile(const std::string& path) {
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) throw EFOpenError(path);
    // Room for every line at once, so that loading hashes each word only once.
    std::size_t lines = Words_.size() + 1;
    for (char c : bytes)
        lines += c == '\n' || c == '\r';
    Words_.reserve(lines);
    Upper_.reserve(lines);
    std::size_t slots = 64;
    while (slots < lines * 2)
        slots *= 2;
    if (slots > Slots_.size()) Rehash(slots);
    bool anyWord = false;
    platform::ForEachLine(bytes, [&](std::string_view line) {
        anyWord = anyWord || !line.empty();
        Add(line);
    });
    // A list without a single word (an empty file, or only empty lines) would silently make
    // every word an identifier: it is as unusable as a missing one.
    if (!anyWord) throw EFOpenError(path);
}

void TVbWordList::Add(std::string_view word) {
    Words_.emplace_back(word);
    // The upper-case form of an entry made of ASCII bytes only (empty for any other entry).
    std::string upper;
    if (std::all_of(word.begin(), word.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        for (char c : word)
            upper.push_back(static_cast<char>(Fold(static_cast<unsigned char>(c))));
    Upper_.push_back(std::move(upper));
    MaxLength_ = std::max(MaxLength_, word.size());
    if (!word.empty())
        Lengths_[Fold(static_cast<unsigned char>(word[0]))] |=
            1u << std::min<std::size_t>(word.size(), 31);
    if (Words_.size() * 2 > Slots_.size())
        Rehash(std::max<std::size_t>(64, Slots_.size() * 2));
    else
        Insert(Words_.size() - 1);
}

void TVbWordList::Rehash(std::size_t slots) {
    Slots_.assign(slots, -1);
    for (std::size_t w = 0; w < Words_.size(); ++w)
        Insert(w);
}

void TVbWordList::Insert(std::size_t word) {
    std::size_t mask = Slots_.size() - 1;
    std::size_t s = FoldedHash(Words_[word]) & mask;
    while (Slots_[s] >= 0)
        s = (s + 1) & mask;
    Slots_[s] = static_cast<std::int32_t>(word);
}

bool TVbWordList::Contains(std::string_view word) const {
    // Empty entries stand in the list but never match: no reader asks for an empty word.
    if (word.empty() || word.size() > MaxLength_) return false;
    const std::uint32_t lengths = Lengths_[Fold(static_cast<unsigned char>(word[0]))];
    if (!(lengths >> std::min<std::size_t>(word.size(), 31) & 1u)) return false;
    std::size_t mask = Slots_.size() - 1;
    for (std::size_t s = FoldedHash(word) & mask; Slots_[s] >= 0; s = (s + 1) & mask) {
        const auto k = static_cast<std::size_t>(Slots_[s]);
        if (Words_[k].size() != word.size()) continue;
        if (!Upper_[k].empty()) {
            // An entry of single-byte characters: compare with it folded to upper case once.
            // A double-byte character in the word can never equal such an entry, and its lead
            // byte already differs from every byte of it.
            const std::string& upper = Upper_[k];
            std::size_t i = 0;
            while (i < upper.size() && Fold(static_cast<unsigned char>(word[i])) ==
                                           static_cast<unsigned char>(upper[i]))
                ++i;
            if (i == upper.size()) return true;
        } else if (SameFolded(Words_[k], word)) {
            return true;
        }
    }
    return false;
}

// ---- TVbParser ----

namespace {

// Character classes of the tokenizer, one table entry per byte value.
enum : std::uint8_t {
    ccLetter = 1,   // A..Z, a..z
    ccDigit = 2,    // 0..9
    ccBlank = 4,    // the space only: a tab is no blank
    ccOperator = 8, // ! & * + - / < = > \ ^ and the letters
    ccSymbol = 16,  // ( ) , . ; [ ]
    ccNumber = 32,  // digits and "."
    ccWord = 64,    // letters, digits and "_": what continues a word
    ccLead = 128,   // lead byte of a double-byte character
};

using TClassTable = std::array<std::uint8_t, 256>;

// The classes of one code page: lead bytes from the code page, and in a single-byte code page
// every byte that stands for a letter is a letter, so that "A\xF1o" (code page 1252) is one word
// as a Japanese name is in code page 932.
TClassTable MakeClasses(const platform::TCodePage& page) {
    TClassTable t{};
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] |= ccLetter | ccOperator | ccWord;
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] |= ccLetter | ccOperator | ccWord;
    for (int c = '0'; c <= '9'; ++c)
        t[c] |= ccDigit | ccNumber | ccWord;
    t[' '] |= ccBlank;
    for (unsigned char c : std::string_view("!&*+-/<=>\\^"))
        t[c] |= ccOperator;
    for (unsigned char c : std::string_view("(),.;[]"))
        t[c] |= ccSymbol;
    t['.'] |= ccNumber;
    t['_'] |= ccWord;
    for (int c = 0x80; c <= 0xFF; ++c) {
        if (page.IsLeadByte(static_cast<unsigned char>(c)))
            t[c] |= ccLead;
        else if (page.IsLetterByte(static_cast<unsigned char>(c)))
            t[c] |= ccLetter | ccWord;
    }
    return t;
}

// The class table of the run's source code page, made once per code page.
const TClassTable& SourceClasses() {
    static std::mutex lock;
    static std::map<int, std::unique_ptr<TClassTable>> tables;
    const platform::TCodePage& page = platform::SourceCodePage();
    std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<TClassTable>& table = tables[page.Number()];
    if (!table) table = std::make_unique<TClassTable>(MakeClasses(page));
    return *table;
}

// Is the "_" at p the second byte of a double-byte character? The bytes that can lead a
// character, directly before p, pair up from the first of them (the byte before that run ends a
// character), so p is a second byte exactly when that run is odd.
bool IsSecondByte(const TClassTable& classes, std::string_view s, std::size_t p) {
    std::size_t k = p;
    while (k > 0 && (classes[static_cast<unsigned char>(s[k - 1])] & ccLead))
        --k;
    return (p - k) % 2 == 1;
}

// A line continues on the next one when it is at least 2 bytes long and ends in a "_" of its own.
bool Continues(const TClassTable& classes, std::string_view line) {
    return line.size() >= 2 && line.back() == '_' && !IsSecondByte(classes, line, line.size() - 1);
}

std::string Trimmed(const std::string& s) {
    std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

} // namespace

// ---- TVbWordLists ----

std::string TVbWordLists::DefaultFolder() { return platform::ExecutableDir() + "/vb"; }

const TVbWordLists& TVbWordLists::Load() {
    if (Loaded_) return *this;
    TVbWordList internal, keywords, operators;
    internal.LoadFromFile(Folder_ + "/internal.txt");
    keywords.LoadFromFile(Folder_ + "/keyword.txt");
    operators.LoadFromFile(Folder_ + "/operator.txt");
    InternalWords = std::move(internal);
    Keywords = std::move(keywords);
    Operators = std::move(operators);
    Loaded_ = true;
    return *this;
}

// ---- TVbParser ----

namespace {
std::unique_ptr<TVbWordLists> ReadWordLists(std::string folder) {
    auto lists = std::make_unique<TVbWordLists>(std::move(folder));
    lists->Load();
    return lists;
}
} // namespace

TVbParser::TVbParser(TVbSource& source) : TVbParser(source, TVbWordLists::DefaultFolder()) {}

TVbParser::TVbParser(TVbSource& source, const std::string& wordListDir)
    : Source(source), OwnWordLists_(ReadWordLists(wordListDir)), WordLists_(*OwnWordLists_),
      InternalWords(WordLists_.InternalWords), Keywords(WordLists_.Keywords),
      Operators(WordLists_.Operators), Classes_(&SourceClasses()) {}

TVbParser::TVbParser(TVbSource& source, TVbWordLists& wordLists)
    : Source(source), WordLists_(wordLists.Load()), InternalWords(WordLists_.InternalWords),
      Keywords(WordLists_.Keywords), Operators(WordLists_.Operators), Classes_(&SourceClasses()) {}

bool TVbParser::Execute() {
    try {
        JoinContinuationLines();
        Tokenize();
        ExtractVariables();
        ExtractMethods();
        return true;
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
}

// Raw lines to logical lines: a line ending in "_" is joined with the next one (the "_" removed,
// nothing inserted) and the next one's place is kept by an empty line, so both lists stay line
// for line and a continued statement stands whole on its first line.
void TVbParser::JoinContinuationLines() {
    ClearModel();
    const TSourceList& raw = Source.RawLines;
    TSourceList& logical = Source.LogicalLines;
    logical.Clear();
    const int count = raw.Count();
    logical.Reserve(raw.AllText().size() - 2 * static_cast<std::size_t>(count), count);
    // One pass: a line that continues gathers the lines after it into its own entry, and each
    // gathered line stays as an empty entry, so logical line k is still physical line k.
    std::string joined;
    std::vector<std::size_t> starts;
    for (int r = 0; r < count;) {
        std::string_view head = raw.Text(r);
        int next = r + 1;
        if (next < count && Continues(*Classes_, head)) {
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
                    IsSecondByte(*Classes_, std::string_view(joined).substr(from),
                                 joined.size() - 1 - from))
                    break;
            }
            logical.AddLine(joined, raw.LineNumber(r));
            for (int k = r + 1; k < next; ++k)
                logical.AddLine(std::string_view(), raw.LineNumber(k));
        } else {
            logical.AddLine(head, raw.LineNumber(r));
        }
        r = next;
    }
}

void TVbParser::Tokenize() {
    ClearModel();
    if (Source.LogicalLines.Count() == 0) return;
    // Every logical line followed by CR LF, in one buffer that stays unchanged while the tokens
    // live: token texts are views into it.
    const std::string& text = Source.LogicalLines.AllText();
    Text_ = text.data();
    Pos_ = 0;
    End_ = text.size();
    State = 0;
    Line = 1;
    LastKind_ = -1;
    LastKeyword_ = std::string_view();
    HeaderSeen_ = false;
    NoHeader_ = false;
    WordAt_ = static_cast<std::size_t>(-1);
    // Typical VB code has a token every six to ten bytes; the room left over is given back
    // below, where the block shrinks in place.
    Source.Tokens.Reserve(End_ / 6 + 16);

    while (Pos_ < End_) {
        // No reader takes a line end, nor a blank (ReadHeader passes leading blanks, but only
        // before the code): go straight on to the step for characters no reader takes.
        const char c = Text_[Pos_];
        const bool noReader = c == '\r' || (c == ' ' && State > 1);
        if (!noReader && State > 1) {
            // Past the header, the first character tells which readers can take it; they are
            // tried in the same order as below, the others could not yield anything here.
            const std::uint8_t cls = ClassOf(c);
            bool read;
            if (cls & (ccLetter | ccLead))
                read = ReadKeyword() || ReadOperator() || ReadIdentifier();
            else if (cls & ccOperator)
                read = ReadOperator();
            else if (cls & ccSymbol)
                read = ReadSymbol();
            else if (cls & ccDigit)
                read = ReadNumber();
            else
                read = ReadStringLiteral() || ReadComment();
            if (read) continue;
        } else if (!noReader &&
                   (ReadHeader() || ReadKeyword() || ReadOperator() || ReadIdentifier() ||
                    ReadSymbol() || ReadNumber() || ReadStringLiteral() || ReadComment())) {
            continue;
        }
        // No reader takes this character: pass blanks, or else drop the rest of the line.
        std::size_t before = Pos_;
        if (SkipSpaces() == 0) {
            std::string_view dropped = SkipRestOfLine();
            if (!dropped.empty()) Source.DroppedText.push_back({Line, dropped});
        }
        ReadLineEnd();
        // Every CR of the text is followed by LF, so each round moves on; this only guards the
        // loop should that ever not hold.
        if (Pos_ == before) ++Pos_;
    }
    Source.Tokens.ShrinkToFit();
}

// Appends a token read at the current line. The scope machine runs first: it sees the list as it
// was before this token and may change the token's scope.
void TVbParser::AddToken(std::uint8_t kind, std::string_view text, std::uint8_t scope) {
    TVbToken token(scope, kind, text, Line);
    State = UpdateScope(token);
    Source.Tokens.Add(token);
    LastKind_ = kind;
    if (kind == tkKeyword) LastKeyword_ = text;
    if (kind <= tkAttribute) HeaderSeen_ = true;
}

std::string_view TVbParser::ReadWord() {
    // A word starts at a letter or a double-byte character and goes on over letters, digits, "_"
    // and double-byte characters, so a Japanese name is one word; in a single-byte code page a
    // byte that stands for a letter is a letter ("A\xF1o" in code page 1252).
    if (Pos_ == WordAt_) {
        std::string_view word(Text_ + Pos_, WordEnd_ - Pos_);
        Pos_ = WordEnd_;
        return word;
    }
    // The text ends with CR LF, which ends every word, so the scan needs no end test.
    const platform::TCodePage& trail = platform::SourceCodePage();
    auto doubleByte = [&](std::size_t q) {
        return (ClassOf(Text_[q]) & ccLead) &&
               trail.IsTrailByte(static_cast<unsigned char>(Text_[q + 1]));
    };
    std::size_t p = Pos_;
    if (p < End_ && (ClassOf(Text_[p]) & ccLetter)) {
        ++p;
    } else if (p < End_ && doubleByte(p)) {
        p += 2;
    }
    if (p != Pos_) {
        for (;;) {
            while (ClassOf(Text_[p]) & ccWord)
                ++p;
            if (!doubleByte(p)) break;
            p += 2;
        }
    }
    std::string_view word(Text_ + Pos_, p - Pos_);
    WordAt_ = Pos_;
    WordEnd_ = p;
    Pos_ = p;
    return word;
}

// Header lines (version line, designer block, attribute lines) become whole-line tokens.
bool TVbParser::ReadHeader() {
    if ((State != 0 && State != 1) || NoHeader_) return false;
    const std::size_t p = Pos_;
    while (Pos_ < End_ && Text_[Pos_] == ' ')
        ++Pos_;
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
    if (!word.empty() && Keywords.Contains(word)) {
        AddToken(tkKeyword, word, State);
        return true;
    }
    Pos_ = start;
    return false;
}

// The longest run of operator characters, when it is an operator list entry as a whole. Letters
// are operator characters, so "a=b" is one run that matches nothing.
bool TVbParser::ReadOperator() {
    // A run longer than every entry matches none, so the scan need not go further than that.
    const std::size_t limit = Pos_ + Operators.MaxLength() + 1;
    std::size_t p = Pos_;
    while (p < End_ && p < limit && (ClassOf(Text_[p]) & ccOperator))
        ++p;
    if (p == limit) return false;
    std::string_view run(Text_ + Pos_, p - Pos_);
    if (run.empty() || !Operators.Contains(run)) return false;
    Pos_ = p;
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
    if (Pos_ >= End_ || !(ClassOf(Text_[Pos_]) & ccSymbol)) return false;
    AddToken(tkSymbol, std::string_view(Text_ + Pos_, 1), State);
    ++Pos_;
    return true;
}

// Digits and points in any order: 1.2.3 is one token, and 1E5 is the number 1 and the word E5.
bool TVbParser::ReadNumber() {
    std::size_t p = Pos_;
    while (p < End_ && (ClassOf(Text_[p]) & ccNumber))
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
    const void* cr = std::memchr(Text_ + Pos_, '\r', End_ - Pos_);
    std::size_t p = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - Text_) : End_;
    std::string_view comment(Text_ + Pos_, p - Pos_);
    Pos_ = p;
    AddToken(tkComment, comment, State);
    return true;
}

std::size_t TVbParser::SkipSpaces() {
    const std::size_t start = Pos_;
    while (Pos_ < End_ && Text_[Pos_] == ' ')
        ++Pos_;
    return Pos_ - start;
}

// Passes everything up to the line end, leaving the CR unread, and answers what it passed.
std::string_view TVbParser::SkipRestOfLine() {
    const std::size_t start = Pos_;
    const void* cr = std::memchr(Text_ + Pos_, '\r', End_ - Pos_);
    Pos_ = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - Text_) : End_;
    return std::string_view(Text_ + start, Pos_ - start);
}

void TVbParser::ReadLineEnd() {
    if (Pos_ + 1 < End_ && Text_[Pos_] == '\r' && Text_[Pos_ + 1] == '\n') {
        Pos_ += 2;
        ++Line;
    }
}

// The scope state machine: answers the new state and may change the token's scope. The token is
// not in the list yet, so LastKeyword_ is the keyword before it.
std::uint8_t TVbParser::UpdateScope(TVbToken& token) {
    const std::uint8_t s = State;
    const bool hasLastKeyword = !LastKeyword_.empty();
    // The name of a Sub or Function keeps the scope its header began in; the body is private.
    if (token.Kind == tkIdentifier && s != 0 && hasLastKeyword &&
        (LastKeyword_ == "Function" || LastKeyword_ == "Sub"))
        return scPrivate;
    std::uint8_t r = s == 0 ? static_cast<std::uint8_t>(scHeader) : s;
    if (s == 1 && token.Kind > tkAttribute) {
        // The first token after the header: module level is Public by default.
        token.Scope = scPublic;
        r = scPublic;
    }
    if (token.Kind == tkKeyword) {
        std::string_view word = token.Text();
        if (word == "Public")
            r = scPublic;
        else if (word == "Friend")
            r = scFriend;
        else if (word == "Private" || word == "Dim" || word == "Const")
            r = scPrivate;
        else if ((word == "Function" || word == "Sub" || word == "Property") && hasLastKeyword &&
                 LastKeyword_ == "End")
            r = scPublic; // leaving a procedure
    }
    if (token.Kind != tkIdentifier && token.Scope != scHeader) token.Scope = scOther;
    return r;
}

// ---- Extraction ----

bool TVbParser::IsKeyword(int i, std::string_view text) const {
    if (i < 0 || i >= Source.Tokens.Count()) return false;
    const TVbToken* t = Source.Tokens.Get(i);
    return t->Kind == tkKeyword && t->Text() == text;
}

bool TVbParser::IsSymbol(int i, std::string_view text) const {
    if (i < 0 || i >= Source.Tokens.Count()) return false;
    const TVbToken* t = Source.Tokens.Get(i);
    return t->Kind == tkSymbol && t->Text() == text;
}

bool TVbParser::NextIdentifier(int& i) const {
    const int n = Source.Tokens.Count();
    while (i < n && Source.Tokens.Get(i)->Kind != tkIdentifier)
        ++i;
    return i < n;
}

// The bracket text after a name: the tokens between "(" and ")", each followed by a blank, the
// whole trimmed. A bracket not closed on the name's line ends before the first token of a later
// line, and reading resumes at that token.
std::string TVbParser::ReadBounds(int& i) const {
    const int n = Source.Tokens.Count();
    int j = i + 1;
    if (!IsSymbol(j, "(")) {
        i = std::min(i + 1, n);
        return std::string();
    }
    ++j;
    std::string bounds;
    while (j < n) {
        const TVbToken* t = Source.Tokens.Get(j);
        if (t->Line > Source.Tokens.Get(j - 1)->Line) break;
        if (t->Kind == tkSymbol && t->Text() == ")") {
            ++j;
            break;
        }
        bounds.append(t->Text());
        bounds.push_back(' ');
        ++j;
    }
    i = j;
    return Trimmed(bounds);
}

std::string TVbParser::ReadAsType(int& i) const {
    if (!IsKeyword(i, "As")) return std::string();
    const int n = Source.Tokens.Count();
    std::string type = i + 1 < n ? std::string(Source.Tokens.Get(i + 1)->Text()) : std::string();
    i = std::min(i + 2, n);
    return type;
}

void TVbParser::SkipUntilIdentifier(int& i) const {
    const int n = Source.Tokens.Count();
    while (i < n && Source.Tokens.Get(i)->Kind != tkIdentifier)
        ++i;
    if (i >= n) throw EGeneralError(ParserTexts().SkipUntilIdentifier);
}

// Module-level variables: every identifier from the end of the header up to the first procedure
// name that is not taken up as a bracket text or a type name.
void TVbParser::ExtractVariables() {
    const int n = Source.Tokens.Count();
    int i = 0;
    while (i < n) {
        if (Source.Tokens.Get(i)->Kind <= tkAttribute) {
            ++i;
            continue;
        }
        if (!NextIdentifier(i)) break;
        // "Declare PtrSafe Function" (VBA 7) is a declaration as much as "Declare Function".
        const bool declared = IsKeyword(i - 2, "Declare") ||
                              (i >= 3 && Source.Tokens.Get(i - 2)->Text() == "PtrSafe" &&
                               IsKeyword(i - 3, "Declare"));
        const bool procedureName =
            (IsKeyword(i - 1, "Sub") || IsKeyword(i - 1, "Function") ||
             IsKeyword(i - 1, "Procedure") || IsKeyword(i - 1, "Property")) &&
            !declared;
        if (procedureName) break;
        TVbToken* name = Source.Tokens.Get(i);
        std::string bounds = ReadBounds(i);
        std::string type = ReadAsType(i);
        Source.Variables.Add(
            std::make_unique<TVbVariable>(name, std::move(bounds), std::move(type)));
        ++i;
    }
}

// The argument list after a procedure's name. It ends at its ")" and also at the first token of
// a later line than the name: a default value that is no identifier, a fixed-length string or a
// ")" lost in a dropped rest of line must not turn the body's names into arguments.
void TVbParser::ReadArguments(int& i, TVbMethod& method) const {
    const int n = Source.Tokens.Count();
    if (i >= n || Source.Tokens.Get(i)->Text() != "(") return;
    ++i;
    if (i < n && Source.Tokens.Get(i)->Text() == ")") {
        ++i;
        return;
    }
    const std::int32_t headerLine = method.NameToken->Line;
    for (;;) {
        for (;; ++i) {
            if (i >= n) throw EGeneralError(ParserTexts().UnclosedArguments);
            const TVbToken* t = Source.Tokens.Get(i);
            if (t->Line > headerLine) return; // the body begins with this token
            if (t->Kind == tkSymbol && t->Text() == ")") {
                ++i;
                return;
            }
            if (t->Kind == tkIdentifier) break;
        }
        TVbToken* name = Source.Tokens.Get(i);
        std::string bounds = ReadBounds(i);
        std::string type = ReadAsType(i);
        method.Arguments.Add(
            std::make_unique<TVbVariable>(name, std::move(bounds), std::move(type)));
        if (i < n && Source.Tokens.Get(i)->Text() == ",") ++i;
        if (i < n && Source.Tokens.Get(i)->Text() == ")") {
            ++i;
            return;
        }
    }
}

// Every Sub, Function and Property procedure with its name, arguments and body. Bodies are not
// searched for further procedures; Declare lines make none.
void TVbParser::ExtractMethods() {
    static constexpr std::string_view kProcedureWords[] = {"Function", "Sub", "Property"};
    const int n = Source.Tokens.Count();
    int i = 0;
    while (i < n) {
        for (std::string_view word : kProcedureWords) {
            if (Source.Tokens.Get(i)->Kind != tkKeyword) break; // the common case: no test holds
            // A procedure may also be the very first token (a file without a header).
            if (!IsKeyword(i, word)) continue;
            // Declare lines make no procedure, also with PtrSafe (VBA 7) before the word.
            if (IsKeyword(i - 1, "Declare") ||
                (i >= 2 && Source.Tokens.Get(i - 1)->Text() == "PtrSafe" &&
                 IsKeyword(i - 2, "Declare")))
                continue;
            auto method = std::make_unique<TVbMethod>();
            SkipUntilIdentifier(i);
            method->NameToken = Source.Tokens.Get(i);
            ++i;
            ReadArguments(i, *method);
            // The body runs up to and including the word of its "End" line; i stays on that word.
            for (;;) {
                if (i >= n) throw EGeneralError(ParserTexts().UnfinishedMethod);
                TVbToken* token = Source.Tokens.Get(i);
                method->Tokens.Add(token);
                if (token->Kind == tkKeyword && token->Text() == word && IsKeyword(i - 1, "End"))
                    break;
                ++i;
            }
            Source.Methods.Add(std::move(method));
        }
        ++i;
    }
}
