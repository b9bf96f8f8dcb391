#include "vbsyntax/VbWords.h"

#include "vbsource/VbWordLists.h"
#include "vbsyntax/VbStatements.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

unsigned char Upper(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

// What a byte can be, one table look-up instead of a test for each kind.
enum : std::uint8_t {
    bcLetter = 1,    // an ASCII letter
    bcDigit = 2,     // 0 to 9
    bcWord = 4,      // a byte of a name: a letter, a digit, "_", or a byte of 0x80 and above
    bcSuffix = 8,    // a type suffix: % & ! # @ $
    bcSymbol = 16,   // ( ) [ ] , . ;
    bcOperator = 32, // = < > + - * / \ ^ &
    bcTrail = 64, // a double-byte character's second byte that is no word byte: @ [ \ ] ^ ` { | }
};
constexpr std::array<std::uint8_t, 256> ByteClasses = [] {
    std::array<std::uint8_t, 256> t{};
    auto mark = [&](std::string_view bytes, std::uint8_t c) {
        for (char b : bytes)
            t[static_cast<unsigned char>(b)] |= c;
    };
    for (int b = 0; b < 256; ++b) {
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) t[b] |= bcLetter | bcWord;
        if (b >= '0' && b <= '9') t[b] |= bcDigit | bcWord;
        if (b >= 0x80) t[b] |= bcWord;
    }
    mark("_", bcWord);
    mark("%&!#@$", bcSuffix);
    mark("()[],.;", bcSymbol);
    t[0] |= bcSymbol; // a NUL byte stands alone, as a symbol, and joins no word around it
    mark("=<>+-*/\\^&", bcOperator);
    mark("@[\\]^`{|}", bcTrail);
    return t;
}();
bool Is(char c, std::uint8_t classes) {
    return (ByteClasses[static_cast<unsigned char>(c)] & classes) != 0;
}
bool IsLetter(char c) { return Is(c, bcLetter); }
bool IsDigit(char c) { return Is(c, bcDigit); }
bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }
bool IsWordByte(char c) { return Is(c, bcWord); }
bool IsSuffix(char c) { return Is(c, bcSuffix); }

struct TKeyEntry {
    std::string_view Upper; // the word in upper case
    TVbKey Key;
    bool Reserved;
};

constexpr TKeyEntry KeyWords[] = {
    {"AS", kAs, true},
    {"ATTRIBUTE", kAttribute, false},
    {"BYREF", kByRef, true},
    {"BYVAL", kByVal, true},
    {"CALLBYNAME", kCallByName, false},
    {"CASE", kCase, true},
    {"CONST", kConst, true},
    {"DECLARE", kDeclare, true},
    {"DIM", kDim, true},
    {"DO", kDo, true},
    {"ELSE", kElse, true},
    {"ELSEIF", kElseIf, true},
    {"END", kEnd, true},
    {"ENUM", kEnum, true},
    {"ERROR", kError, true},
    {"EVENT", kEvent, true},
    {"FOR", kFor, true},
    {"FRIEND", kFriend, true},
    {"FUNCTION", kFunction, true},
    {"GLOBAL", kGlobal, true},
    {"GOSUB", kGoSub, true},
    {"GOTO", kGoTo, true},
    {"IF", kIf, true},
    {"IMPLEMENTS", kImplements, true},
    {"LET", kLet, true},
    {"LOCAL", kLocal, false},
    {"LOOP", kLoop, true},
    {"ME", kMe, true},
    {"NEW", kNew, true},
    {"NEXT", kNext, true},
    {"ON", kOn, true},
    {"OPTION", kOption, true},
    {"OPTIONAL", kOptional, true},
    {"PARAMARRAY", kParamArray, true},
    {"PRIVATE", kPrivate, true},
    {"PROPERTY", kProperty, true},
    {"PTRSAFE", kPtrSafe, false},
    {"PUBLIC", kPublic, true},
    {"REM", kRem, false},
    {"RESUME", kResume, true},
    {"SELECT", kSelect, true},
    {"SET", kSet, true},
    {"STATIC", kStatic, true},
    {"SUB", kSub, true},
    {"THEN", kThen, true},
    {"TYPE", kType, true},
    {"WEND", kWend, true},
    {"WHILE", kWhile, true},
    {"WITHEVENTS", kWithEvents, true},
    {"GET", kGet, true},
    {"DEFBOOL", kDefType, true},
    {"DEFBYTE", kDefType, true},
    {"DEFINT", kDefType, true},
    {"DEFLNG", kDefType, true},
    {"DEFCUR", kDefType, true},
    {"DEFSNG", kDefType, true},
    {"DEFDBL", kDefType, true},
    {"DEFDEC", kDefType, true},
    {"DEFDATE", kDefType, true},
    {"DEFSTR", kDefType, true},
    {"DEFOBJ", kDefType, true},
    {"DEFVAR", kDefType, true},
    {"ANY", kNone, true},
    {"AND", kNone, true},
    {"BYTE", kNone, true},
    {"CALL", kNone, true},
    {"DATE", kNone, true},
    {"EACH", kNone, true},
    {"EQV", kNone, true},
    {"EXIT", kNone, true},
    {"IMP", kNone, true},
    {"IN", kNone, true},
    {"IS", kNone, true},
    {"LIKE", kNone, true},
    {"LONG", kNone, true},
    {"MOD", kNone, true},
    {"NOT", kNone, true},
    {"OR", kNone, true},
    {"STEP", kNone, true},
    {"TO", kNone, true},
    {"TRUE", kNone, true},
    {"FALSE", kNone, true},
    {"XOR", kNone, true},
    {"DOUBLE", kNone, true},
    {"INTEGER", kNone, true},
    {"STRING", kNone, true},
    {"BOOLEAN", kNone, true},
    {"SINGLE", kNone, true},
    {"CURRENCY", kNone, true},
    {"VARIANT", kNone, true},
    {"OBJECT", kNone, true},
    {"NOTHING", kNone, true},
    {"TYPEOF", kNone, true},
    {"UNTIL", kNone, true},
    {"RETURN", kNone, true},
    {"REDIM", kNone, true},
    {"PRESERVE", kNone, true},
    {"RAISEEVENT", kNone, true},
    {"ADDRESSOF", kNone, true},
    {"EXPLICIT", kNone, true},
    {"WITH", kNone, true},
};

// Words of 2 to MaxLength bytes by their length and their first and last letters (letter case
// ignored): a word that fails it is none of the words it was given.
struct TLetterFilter {
    static constexpr std::size_t MaxLength = 12;
    std::array<std::uint32_t, MaxLength + 1> FirstLetters{}; // bit n: a word starts with 'A' + n
    std::array<std::uint32_t, MaxLength + 1> LastLetters{};  // bit n: a word ends with 'A' + n
    // `upper`: the word in upper case, 2 to MaxLength letters.
    void Add(std::string_view upper) {
        FirstLetters[upper.size()] |= 1u << (upper[0] - 'A');
        LastLetters[upper.size()] |= 1u << (upper.back() - 'A');
    }
    bool MayHold(std::string_view w) const {
        const std::size_t n = w.size();
        if (n < 2 || n > MaxLength) return false;
        const unsigned first = (static_cast<unsigned char>(w[0]) | 0x20u) - 'a';
        if (first >= 26 || !(FirstLetters[n] & (1u << first))) return false;
        const unsigned last = (static_cast<unsigned char>(w[n - 1]) | 0x20u) - 'a';
        return last < 26 && (LastLetters[n] & (1u << last));
    }
};

// Open addressing over the words of the table, each slot holding its word's length and folded
// key (vbname::ShortKey), so that a probe compares three numbers and never a letter. Most names
// fail the first tests (no word of the table has their length with their first or their last
// letter) and are not looked up at all.
struct TKeySet {
    static constexpr std::size_t MaxLength = TLetterFilter::MaxLength;
    static constexpr std::uint32_t SlotBits = 9;
    static constexpr std::uint32_t SlotMask = (1u << SlotBits) - 1;
    struct TSlot {
        std::uint64_t Head = 0;
        std::uint64_t Tail = 0;
        std::size_t Length = 0; // 0: an empty slot
        const TKeyEntry* Entry = nullptr;
    };
    std::array<TSlot, SlotMask + 1> Slots{};
    TLetterFilter Letters;
    static std::uint32_t SlotOf(const vbname::TShortKey& k, std::size_t length) {
        return vbname::Mix(k.Head * 0x9E3779B97F4A7C15ull + k.Tail + length) & SlotMask;
    }
    TKeySet() {
        for (const TKeyEntry& e : KeyWords) {
            const vbname::TShortKey k = vbname::ShortKey(e.Upper.data(), e.Upper.size());
            std::uint32_t s = SlotOf(k, e.Upper.size());
            while (Slots[s].Entry)
                s = (s + 1) & SlotMask;
            Slots[s] = {k.Head, k.Tail, e.Upper.size(), &e};
            Letters.Add(e.Upper);
        }
    }
    // False for a word that no word of the table can be (most names are told so).
    bool MayHold(std::string_view w) const { return Letters.MayHold(w); }
    // The entry of a word that MayHold.
    const TKeyEntry* Lookup(std::string_view w) const {
        const std::size_t n = w.size();
        const vbname::TShortKey k = vbname::ShortKey(w.data(), n);
        for (std::uint32_t s = SlotOf(k, n); Slots[s].Entry; s = (s + 1) & SlotMask)
            if (Slots[s].Head == k.Head && Slots[s].Tail == k.Tail && Slots[s].Length == n)
                return Slots[s].Entry;
        return nullptr;
    }
    const TKeyEntry* Find(std::string_view w) const { return MayHold(w) ? Lookup(w) : nullptr; }
};

const TKeySet TheKeySet;
const TKeySet& KeySet() { return TheKeySet; }

// The look-ups of one member's words: a spelling met again (the same keyword, the same name, as
// written) is answered from the slot of its bytes, without folding and probing the table.
class TKeyMemo {
public:
    // The entry of a word of 2 to TKeySet::MaxLength bytes, or none.
    const TKeyEntry* Known(std::string_view w) {
        const std::size_t n = w.size();
        const vbname::TShortKey k = vbname::RawShortKey(w.data(), n);
        TSlot& slot = Slots_[TKeySet::SlotOf(k, n) & (Slots_.size() - 1)];
        if (slot.Length != n || slot.Head != k.Head || slot.Tail != k.Tail)
            slot = {k.Head, k.Tail, n, KeySet().Lookup(w)};
        return slot.Entry;
    }

private:
    using TSlot = TKeySet::TSlot; // Length 0: empty, since a word of the table has two bytes
    std::array<TSlot, 256> Slots_{};
};

// The filter of the words of the table that a token the tokenizer read as a name (tkIdentifier)
// can be: those its keyword list does not hold (the tokenizer makes a keyword of every word in its
// list, in any letter case). With the usual list they are a few (CallByName, Local...), so most
// names are told apart by their length and first and last letters alone.
TLetterFilter NameKeys(const TVbWordList* keywords) {
    TLetterFilter filter;
    for (const TKeyEntry& e : KeyWords)
        if (!keywords || !keywords->Contains(e.Upper)) filter.Add(e.Upper);
    return filter;
}

// Whether a word with this entry (or none) and type suffix is reserved: a name with a type suffix
// (Date$, Error$) is a function's name, not the keyword.
[[gnu::always_inline]] inline bool IsReserved(const TKeyEntry* e, char suffix) {
    return e && e->Reserved && suffix == 0;
}

[[gnu::always_inline]] inline void Classify(TVbWord& word, const TKeyEntry* e) {
    word.Key = e ? e->Key : kNone;
    word.Reserved = IsReserved(e, word.Suffix);
}

// Reads text that the tokenizer dropped, from `from` on, and appends its words.
class TDroppedReader {
public:
    TDroppedReader(std::vector<TVbWord>& out, std::int32_t line) : Out_(out), Line_(line) {}

    void Read(std::string_view s, bool statementStart) {
        std::size_t i = 0;
        bool start = statementStart;
        while (i < s.size()) {
            const char c = s[i];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++i;
                continue;
            }
            const std::size_t from = i;
            if (c == ':') {
                if (i + 1 < s.size() && s[i + 1] == '=') {
                    Add(s.substr(from, 2), TVbWordKind::Operator);
                    i += 2;
                    start = false;
                } else {
                    Add(s.substr(from, 1), TVbWordKind::Separator);
                    ++i;
                    start = true;
                }
                continue;
            }
            if (c == '#' && start) {
                // A directive is its whole line; a comment after it is dropped with it.
                std::size_t end = s.find('\'', i);
                std::string_view d =
                    s.substr(from, end == std::string_view::npos ? s.npos : end - from);
                while (!d.empty() && (d.back() == ' ' || d.back() == '\t' || d.back() == '\r'))
                    d.remove_suffix(1);
                Add(d, TVbWordKind::Directive);
                return;
            }
            start = false;
            if (IsLetter(c) || c == '_' || IsHigh(c)) {
                while (i < s.size() && IsWordByte(s[i])) {
                    // A double-byte character whose second byte is no word byte stays whole.
                    if (IsHigh(s[i]) && i + 1 < s.size() && Is(s[i + 1], bcTrail)) ++i;
                    ++i;
                }
                std::string_view w = s.substr(from, i - from);
                if (w == "_") continue; // a line continuation left in the text
                char suffix = 0;
                if (i < s.size() && IsSuffix(s[i]) &&
                    (i + 1 >= s.size() || !IsWordByte(s[i + 1]))) {
                    suffix = s[i];
                    ++i;
                }
                Add(w, TVbWordKind::Word, suffix);
                if (Out_.back().Key == kRem && suffix == 0 && IsStatementStart()) {
                    Out_.back().Kind = TVbWordKind::Comment;
                    Out_.back().Key = kNone;
                    Out_.back().Text = s.substr(from);
                    return;
                }
                continue;
            }
            if (IsDigit(c) || (c == '.' && i + 1 < s.size() && IsDigit(s[i + 1]))) {
                while (i < s.size() && (IsDigit(s[i]) || s[i] == '.' || IsLetter(s[i])))
                    ++i;
                if (i < s.size() && IsSuffix(s[i])) ++i;
                Add(s.substr(from, i - from), TVbWordKind::Number);
                continue;
            }
            if (c == '&' && i + 1 < s.size() &&
                (Upper(s[i + 1]) == 'H' || Upper(s[i + 1]) == 'O')) {
                i += 2;
                while (i < s.size() && (IsDigit(s[i]) || IsLetter(s[i])))
                    ++i;
                if (i < s.size() && (s[i] == '&' || s[i] == '%')) ++i;
                Add(s.substr(from, i - from), TVbWordKind::Number);
                continue;
            }
            if (c == '#') {
                // A file number (Print #1) or a date literal (#1/2/2000#).
                std::size_t close = s.find('#', i + 1);
                if (i + 1 < s.size() && IsDigit(s[i + 1]) && close != std::string_view::npos &&
                    s.substr(i + 1, close - i - 1).find_first_of(",)") == std::string_view::npos) {
                    Add(s.substr(from, close + 1 - from), TVbWordKind::Number);
                    i = close + 1;
                } else {
                    ++i;
                }
                continue;
            }
            if (c == '"') {
                ++i;
                while (i < s.size()) {
                    if (s[i] == '"') {
                        if (i + 1 < s.size() && s[i + 1] == '"') {
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    ++i;
                }
                Add(s.substr(from, i - from), TVbWordKind::String);
                continue;
            }
            if (c == '\'') {
                Add(s.substr(from), TVbWordKind::Comment);
                return;
            }
            if (Is(c, bcSymbol)) {
                Add(s.substr(from, 1), TVbWordKind::Symbol);
                ++i;
                continue;
            }
            if (c == '!' && i + 1 < s.size() && IsWordByte(s[i + 1])) {
                Add(s.substr(from, 1), TVbWordKind::Symbol);
                ++i;
                continue;
            }
            if (Is(c, bcOperator)) {
                ++i;
                if ((c == '<' || c == '>') && i < s.size() && (s[i] == '=' || s[i] == '>')) ++i;
                Add(s.substr(from, i - from), TVbWordKind::Operator);
                continue;
            }
            ++i; // anything else ({, `, a stray byte) is no word
        }
    }

private:
    bool IsStatementStart() const {
        if (Out_.size() < 2) return true;
        const TVbWord& before = Out_[Out_.size() - 2];
        return before.Line != Line_ || before.Kind == TVbWordKind::Separator;
    }
    void Add(std::string_view text, TVbWordKind kind, char suffix = 0) {
        TVbWord w{text, Line_, kind, suffix, false};
        if (kind == TVbWordKind::Word) ClassifyWord(w);
        Out_.push_back(w);
    }
    std::vector<TVbWord>& Out_;
    std::int32_t Line_;
};

// Where the reading of the dropped text stands.
struct TDroppedAt {
    std::size_t Next = 0;      // the index of the next piece to read
    std::size_t Skip = 0;      // bytes of that piece already taken as a suffix
    std::int32_t LastLine = 0; // the line of the last word read
};

// Reads the dropped pieces that stand before `line`, and tells the splitter of their words. Out of
// the hot loop, which keeps its state in registers.
[[gnu::noinline]] TDroppedAt ReadDroppedBefore(std::vector<TVbWord>& out,
                                               TStatementSplitter& statements,
                                               const std::vector<TVbDroppedText>& dropped,
                                               TDroppedAt at, std::int32_t line) {
    const auto from = static_cast<std::uint32_t>(out.size());
    while (at.Next < dropped.size() && dropped[at.Next].Line < line) {
        const TVbDroppedText& piece = dropped[at.Next];
        TDroppedReader(out, piece.Line)
            .Read(piece.Text.substr(std::min(at.Skip, piece.Text.size())),
                  piece.Line != at.LastLine);
        at.LastLine = piece.Line;
        ++at.Next;
        at.Skip = 0;
    }
    statements.Words(from, static_cast<std::uint32_t>(out.size()));
    return at;
}

// What a token that is no word and no operator becomes.
TVbWordKind KindOfToken(std::uint8_t kind) {
    switch (kind) {
    case tkSymbol:
        return TVbWordKind::Symbol;
    case tkNumber:
        return TVbWordKind::Number;
    case tkString:
        return TVbWordKind::String;
    default:
        return TVbWordKind::Comment;
    }
}

} // namespace

bool IsReservedWord(std::string_view word) {
    const TKeyEntry* e = KeySet().Find(word);
    return e && e->Reserved;
}

void ClassifyWord(TVbWord& word) { Classify(word, KeySet().Find(word.Text)); }

void ReadWords(const TVbSource& source, std::vector<TVbWord>& out, TStatementSplitter& statements) {
    const TVbTokenList& tokens = source.Tokens;
    const std::vector<TVbDroppedText>& dropped = source.DroppedText;
    out.clear();
    // A word of its own for each token, and for dropped text about one word in five bytes (code
    // in a tab-indented line), with room for a short piece's separator: growing the block would
    // copy every word read so far.
    std::size_t droppedBytes = 0;
    for (const TVbDroppedText& piece : dropped)
        droppedBytes += piece.Text.size();
    out.reserve(static_cast<std::size_t>(tokens.Count()) + dropped.size() * 2 + droppedBytes / 4);
    TDroppedAt at;
    TKeyMemo memo;
    const TLetterFilter nameKeys = NameKeys(source.TokenKeywords);
    // The line of the next dropped piece; past every line when none is left, so one comparison a
    // token tells whether dropped text comes first.
    constexpr std::int32_t noLine = std::numeric_limits<std::int32_t>::max();
    auto lineOf = [&](std::size_t d) { return d < dropped.size() ? dropped[d].Line : noLine; };
    std::int32_t droppedLine = lineOf(0);
    std::int32_t lastLine = 0;
    // The source owns its tokens, one after the other in one block.
    const int tokenCount = tokens.Count();
    const TVbToken* const first = tokenCount > 0 ? tokens.Get(0) : nullptr;
    const TVbToken* const last = first + tokenCount;
    // The line at hand and the first token after it: both only move on, a line at a time. What
    // depends on the line (the dropped text before it and on it) is seen to once a line.
    std::int32_t line = 0;
    TStartReader lineEnds = tokens.FirstOnLines(1);
    const TVbToken* lineEnd = first + lineEnds.Next();
    const TVbToken* token = first;
    while (token != last) {
        for (; token >= lineEnd; ++line)
            lineEnd = first + lineEnds.Next();
        // A header line (one token) is passed.
        while (token != lineEnd && token->Kind <= tkAttribute)
            ++token;
        if (token == lineEnd) continue;
        if (droppedLine < line) {
            at.LastLine = lastLine;
            at = ReadDroppedBefore(out, statements, dropped, at, line);
            lastLine = at.LastLine;
            droppedLine = lineOf(at.Next);
        }
        const bool droppedHere = droppedLine == line;
        // The line's words, and whether a comment stands among them (most lines have none).
        const auto lineFirst = static_cast<std::uint32_t>(out.size());
        bool comment = false;
        for (; token != lineEnd; ++token) {
            const TVbToken& t = *token;
            const std::uint8_t kind = t.Kind;
            if (kind <= tkAttribute) continue;
            const std::string_view text = t.Text();
            const char* end = text.data() + text.size();
            // One jump on the kind of the token: a keyword and a name are told apart here, not
            // again inside.
            const TKeyEntry* e;
            switch (kind) {
            case tkKeyword: {
                // Looked up at once.
                const std::size_t n = text.size();
                e = n >= 2 && n <= TKeySet::MaxLength ? memo.Known(text) : nullptr;
                break;
            }
            case tkIdentifier:
                // First the tests of the few words a name can be.
                e = nameKeys.MayHold(text) ? memo.Known(text) : nullptr;
                break;
            case tkOperator:
                if (text.size() == 1 && (text[0] == '&' || text[0] == '!') && !out.empty()) {
                    TVbWord& before = out.back();
                    // Whether it touches the word before comes first: most do not ("a" & b), and
                    // the word's kind and suffix, written a byte each just before, are read back
                    // only then.
                    if (before.Text.data() + before.Text.size() == text.data() &&
                        before.Line == line && before.Kind == TVbWordKind::Word &&
                        before.Suffix == 0) {
                        // Directly after a name: its type suffix (n&), or "!" between two names
                        // (rs!Field). a&b joins two operands; n&) or n& = 1 is a suffix.
                        const TVbToken* next = token + 1 != lineEnd ? token + 1 : nullptr;
                        const bool joined =
                            next && next->Text().data() == end &&
                            (next->Kind == tkIdentifier || next->Kind == tkKeyword ||
                             next->Kind == tkNumber || next->Kind == tkString);
                        if (!joined) {
                            before.Suffix = text[0];
                            ClassifyWord(before);
                            continue;
                        }
                        if (text[0] == '!') {
                            out.push_back({text, line, TVbWordKind::Symbol});
                            continue;
                        }
                    }
                }
                out.push_back({text, line, TVbWordKind::Operator});
                lastLine = line;
                continue;
            default: {
                const TVbWordKind wordKind = KindOfToken(kind);
                if (wordKind == TVbWordKind::Comment) comment = true;
                out.push_back({text, line, wordKind});
                lastLine = line;
                continue;
            }
            }
            // A suffix the tokenizer dropped ($ % # @) stands right after the name.
            char suffix = 0;
            if (droppedHere) {
                const std::string_view rest = dropped[at.Next].Text;
                if (rest.data() == end && !rest.empty() && IsSuffix(rest[0]) &&
                    (rest.size() == 1 || !IsWordByte(rest[1]))) {
                    suffix = rest[0];
                    at.Skip = 1;
                }
            }
            // The word is made in place from these.
            const TVbKey key = e ? e->Key : kNone;
            const bool reserved = IsReserved(e, suffix);
            if (key == kRem && suffix == 0 &&
                (line != lastLine || (!out.empty() && out.back().Kind == TVbWordKind::Separator))) {
                // "Rem" starts a comment: the rest of the statement's line is not read.
                out.push_back({text, line, TVbWordKind::Comment, 0, reserved, kNone});
                comment = true;
                token = lineEnd - 1;
                while (droppedLine == line) {
                    ++at.Next;
                    at.Skip = 0;
                    droppedLine = lineOf(at.Next);
                }
                lastLine = line;
                continue;
            }
            out.push_back({text, line, TVbWordKind::Word, suffix, reserved, key});
            lastLine = line;
        }
        const auto wordsEnd = static_cast<std::uint32_t>(out.size());
        if (comment)
            statements.Words(lineFirst, wordsEnd);
        else
            statements.Plain(lineFirst, wordsEnd, line);
    }
    at.LastLine = lastLine;
    ReadDroppedBefore(out, statements, dropped, at, noLine);
    statements.Finish();
}
