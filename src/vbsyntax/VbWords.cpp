#include "vbsyntax/VbWords.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

unsigned char Upper(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 32) : u;
}

bool IsLetter(char c) { return (Upper(c) >= 'A' && Upper(c) <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }
bool IsWordByte(char c) { return IsLetter(c) || IsDigit(c) || c == '_' || IsHigh(c); }
bool IsSuffix(char c) { return std::strchr("%&!#@$", c) != nullptr && c != 0; }

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

// Open addressing over the upper-cased words, each slot holding its word's signature (length and
// first, second and last letters, folded), so that a probe compares a number and only a word with
// the same signature is compared letter by letter. Most names fail the first tests (no word of the
// table has their length with their first or their last letter) and are not looked up at all.
struct TKeySet {
    static constexpr std::size_t MaxLength = 12;
    static constexpr std::uint32_t SlotBits = 9;
    static constexpr std::uint32_t SlotMask = (1u << SlotBits) - 1;
    struct TSlot {
        std::uint32_t Signature = 0;
        const TKeyEntry* Entry = nullptr;
    };
    std::array<TSlot, SlotMask + 1> Slots{};
    std::array<std::uint32_t, MaxLength + 1> FirstLetters{}; // bit n: a word starts with 'A' + n
    std::array<std::uint32_t, MaxLength + 1> LastLetters{};  // bit n: a word ends with 'A' + n
    // The caller has checked that the word has two bytes at least.
    static std::uint32_t Signature(std::string_view w) {
        return static_cast<std::uint32_t>(w.size()) | std::uint32_t{Upper(w[0])} << 8 |
               std::uint32_t{Upper(w[1])} << 16 | std::uint32_t{Upper(w.back())} << 24;
    }
    static std::uint32_t SlotOf(std::uint32_t signature) {
        return (signature * 0x9E3779B1u) >> (32 - SlotBits);
    }
    TKeySet() {
        for (const TKeyEntry& e : KeyWords) {
            const std::uint32_t signature = Signature(e.Upper);
            std::uint32_t s = SlotOf(signature);
            while (Slots[s].Entry)
                s = (s + 1) & SlotMask;
            Slots[s] = {signature, &e};
            FirstLetters[e.Upper.size()] |= 1u << (e.Upper[0] - 'A');
            LastLetters[e.Upper.size()] |= 1u << (e.Upper.back() - 'A');
        }
    }
    const TKeyEntry* Find(std::string_view w) const {
        if (w.size() < 2 || w.size() > MaxLength) return nullptr;
        const unsigned first = Upper(w[0]) - 'A';
        if (first >= 26 || !(FirstLetters[w.size()] & (1u << first))) return nullptr;
        const unsigned last = Upper(w.back()) - 'A';
        if (last >= 26 || !(LastLetters[w.size()] & (1u << last))) return nullptr;
        const std::uint32_t signature = Signature(w);
        for (std::uint32_t s = SlotOf(signature); Slots[s].Entry; s = (s + 1) & SlotMask)
            if (Slots[s].Signature == signature && SameName(Slots[s].Entry->Upper, w))
                return Slots[s].Entry;
        return nullptr;
    }
};

const TKeySet TheKeySet;
const TKeySet& KeySet() { return TheKeySet; }

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
                    if (IsHigh(s[i]) && i + 1 < s.size() && !IsWordByte(s[i + 1]) &&
                        std::strchr("@[\\]^`{|}", s[i + 1]) && s[i + 1] != 0)
                        ++i;
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
            if (std::strchr("()[],.;", c)) {
                Add(s.substr(from, 1), TVbWordKind::Symbol);
                ++i;
                continue;
            }
            if (c == '!' && i + 1 < s.size() && IsWordByte(s[i + 1])) {
                Add(s.substr(from, 1), TVbWordKind::Symbol);
                ++i;
                continue;
            }
            if (std::strchr("=<>+-*/\\^&", c)) {
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

TVbWordKind KindOfToken(std::uint8_t kind) {
    switch (kind) {
    case tkKeyword:
    case tkIdentifier:
        return TVbWordKind::Word;
    case tkOperator:
        return TVbWordKind::Operator;
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

void ClassifyWord(TVbWord& word) {
    const TKeyEntry* e = KeySet().Find(word.Text);
    word.Key = e ? e->Key : kNone;
    // A name with a type suffix (Date$, Error$) is a function's name, not the keyword.
    word.Reserved = e && e->Reserved && word.Suffix == 0;
}

std::vector<TVbWord> ReadWords(const TVbSource& source) {
    const TVbTokenList& tokens = source.Tokens;
    const std::vector<TVbDroppedText>& dropped = source.DroppedText;
    std::vector<TVbWord> out;
    out.reserve(static_cast<std::size_t>(tokens.Count()) + dropped.size() * 2);
    std::size_t d = 0;
    std::size_t skip = 0; // bytes of dropped[d] already taken as a suffix
    std::int32_t lastLine = 0;
    auto readDropped = [&](bool statementStart) {
        const TVbDroppedText& piece = dropped[d];
        TDroppedReader(out, piece.Line)
            .Read(piece.Text.substr(std::min(skip, piece.Text.size())), statementStart);
        lastLine = piece.Line;
        ++d;
        skip = 0;
    };
    // The source owns its tokens, one after the other in one block.
    const int tokenCount = tokens.Count();
    const TVbToken* const first = tokenCount > 0 ? tokens.Get(0) : nullptr;
    const std::size_t droppedCount = dropped.size();
    for (int i = 0; i < tokenCount; ++i) {
        const TVbToken& t = first[i];
        if (t.Kind == tkVersion || t.Kind == tkHeader || t.Kind == tkAttribute) continue;
        while (d < droppedCount && dropped[d].Line < t.Line) {
            readDropped(dropped[d].Line != lastLine);
        }
        const std::string_view text = t.Text();
        const char* end = text.data() + text.size();
        if (t.Kind == tkOperator && (text == "&" || text == "!") && !out.empty() &&
            out.back().Kind == TVbWordKind::Word && out.back().Suffix == 0 &&
            out.back().Text.data() + out.back().Text.size() == text.data() &&
            out.back().Line == t.Line) {
            // Directly after a name: its type suffix (n&), or "!" between two names (rs!Field).
            const TVbToken* next = i + 1 < tokens.Count() ? tokens.Get(i + 1) : nullptr;
            // a&b joins two operands; n&) or n& = 1 is a suffix.
            const bool joined = next && next->Line == t.Line && next->Text().data() == end &&
                                (next->Kind == tkIdentifier || next->Kind == tkKeyword ||
                                 next->Kind == tkNumber || next->Kind == tkString);
            if (!joined) {
                out.back().Suffix = text[0];
                ClassifyWord(out.back());
                continue;
            }
            if (text == "!") {
                out.push_back({text, t.Line, TVbWordKind::Symbol});
                continue;
            }
        }
        TVbWord w{text, t.Line, KindOfToken(t.Kind)};
        if (w.Kind == TVbWordKind::Word) {
            // A suffix the tokenizer dropped ($ % # @) stands right after the name.
            if (d < dropped.size() && dropped[d].Line == t.Line && dropped[d].Text.data() == end &&
                !dropped[d].Text.empty() && IsSuffix(dropped[d].Text[0]) &&
                (dropped[d].Text.size() == 1 || !IsWordByte(dropped[d].Text[1]))) {
                w.Suffix = dropped[d].Text[0];
                skip = 1;
            }
            ClassifyWord(w);
            if (w.Key == kRem && w.Suffix == 0 &&
                (t.Line != lastLine ||
                 (!out.empty() && out.back().Kind == TVbWordKind::Separator))) {
                // "Rem" starts a comment: the rest of the statement's line is not read.
                w.Kind = TVbWordKind::Comment;
                out.push_back(w);
                while (i + 1 < tokens.Count() && tokens.Get(i + 1)->Line == t.Line)
                    ++i;
                while (d < dropped.size() && dropped[d].Line == t.Line) {
                    ++d;
                    skip = 0;
                }
                lastLine = t.Line;
                continue;
            }
        }
        out.push_back(w);
        lastLine = t.Line;
    }
    while (d < dropped.size())
        readDropped(dropped[d].Line != lastLine);
    return out;
}
