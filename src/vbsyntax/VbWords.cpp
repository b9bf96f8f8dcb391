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

// The reserved words, upper case, by length: statements, declarations, types and operators.
constexpr std::string_view Reserved[] = {
    "AS",      "DO",         "IF",         "IN",         "IS",         "ON",        "OR",
    "TO",      "AND",        "ANY",        "DIM",        "END",        "FOR",       "GET",
    "LET",     "MOD",        "NEW",        "NOT",        "SET",        "SUB",       "XOR",
    "BYTE",    "CALL",       "CASE",       "DATE",       "EACH",       "ELSE",      "EQV",
    "EXIT",    "GOTO",       "IMP",        "LIKE",       "LONG",       "LOOP",      "NEXT",
    "STEP",    "THEN",       "TRUE",       "TYPE",       "WEND",       "WITH",      "ENUM",
    "BYREF",   "BYVAL",      "CONST",      "ERROR",      "EVENT",      "FALSE",     "GOSUB",
    "REDIM",   "UNTIL",      "WHILE",      "DOUBLE",     "ELSEIF",     "GLOBAL",    "OBJECT",
    "OPTION",  "PUBLIC",     "RESUME",     "RETURN",     "SELECT",     "SINGLE",    "STATIC",
    "STRING",  "TYPEOF",     "BOOLEAN",    "DECLARE",    "INTEGER",    "NOTHING",   "PRIVATE",
    "VARIANT", "CURRENCY",   "EXPLICIT",   "FUNCTION",   "OPTIONAL",   "PRESERVE",  "PROPERTY",
    "FRIEND",  "PARAMARRAY", "WITHEVENTS", "IMPLEMENTS", "RAISEEVENT", "ADDRESSOF",
};

struct TReservedSet {
    // Open addressing over the upper-cased words; a look-up folds at most 12 bytes.
    std::array<std::string_view, 256> Slots{};
    static std::uint32_t Hash(std::string_view w) {
        std::uint32_t h = static_cast<std::uint32_t>(w.size()) * 31u;
        for (char c : w)
            h = h * 131u + Upper(c);
        return h;
    }
    TReservedSet() {
        for (std::string_view w : Reserved) {
            std::uint32_t s = Hash(w) & 255u;
            while (!Slots[s].empty())
                s = (s + 1) & 255u;
            Slots[s] = w;
        }
    }
    bool Has(std::string_view w) const {
        if (w.size() < 2 || w.size() > 10) return false;
        for (std::uint32_t s = Hash(w) & 255u; !Slots[s].empty(); s = (s + 1) & 255u)
            if (SameName(Slots[s], w)) return true;
        return false;
    }
};

const TReservedSet& ReservedSet() {
    static const TReservedSet set;
    return set;
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
                if (SameName(w, "Rem") && suffix == 0 && Out_.size() >= 1 && IsStatementStart()) {
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
        if (kind == TVbWordKind::Word && suffix == 0) w.Reserved = IsReservedWord(text);
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

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

bool IsReservedWord(std::string_view word) { return ReservedSet().Has(word); }

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
    for (int i = 0; i < tokens.Count(); ++i) {
        const TVbToken& t = *tokens.Get(i);
        if (t.Kind == tkVersion || t.Kind == tkHeader || t.Kind == tkAttribute) continue;
        while (d < dropped.size() && dropped[d].Line < t.Line) {
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
                out.back().Reserved = false;
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
            if (w.Suffix == 0) w.Reserved = IsReservedWord(text);
            if (SameName(text, "Rem") && w.Suffix == 0 &&
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
