#include "checkers/Suppression.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    return true;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

// A rule name: ASCII letters, digits and "_" (class names are plain ASCII), or "*".
bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Whether the text holds "vetrin:ignore" anywhere, letter case ignored: every directive does. A
// search for the colon, the rarest of its bytes in code, then a look at what stands around it.
bool MayHoldDirective(std::string_view text) {
    static constexpr std::string_view Before = "vetrin", After = "ignore";
    const char* data = text.data();
    std::size_t from = Before.size();
    while (from + After.size() < text.size()) {
        const void* hit = std::memchr(data + from, ':', text.size() - from - After.size());
        if (!hit) return false;
        const std::size_t colon = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (EqualIgnoringCase(text.substr(colon - Before.size(), Before.size()), Before) &&
            StartsWithIgnoringCase(text.substr(colon + 1), After))
            return true;
        from = colon + 1;
    }
    return false;
}

} // namespace

bool ParseSuppressionComment(std::string_view comment, bool& wholeFile,
                             std::vector<std::string>& rules) {
    rules.clear();
    std::size_t i = 0;
    if (i >= comment.size() || comment[i] != '\'') return false;
    ++i;
    while (i < comment.size() && IsSpace(comment[i]))
        ++i;
    std::string_view rest = comment.substr(i);
    static constexpr std::string_view FileTag = "vetrin:ignore-file", LineTag = "vetrin:ignore";
    if (StartsWithIgnoringCase(rest, FileTag)) {
        wholeFile = true;
        i += FileTag.size();
    } else if (StartsWithIgnoringCase(rest, LineTag)) {
        wholeFile = false;
        i += LineTag.size();
    } else {
        return false;
    }
    // The tag stands alone ("vetrin:ignored" is no tag) and is followed by the list.
    if (i < comment.size() && !IsSpace(comment[i])) return false;
    // Names separated by commas; the list ends at a name that no comma follows.
    for (;;) {
        while (i < comment.size() && IsSpace(comment[i]))
            ++i;
        std::size_t start = i;
        if (i < comment.size() && comment[i] == '*') {
            ++i;
        } else {
            while (i < comment.size() && IsNameChar(comment[i]))
                ++i;
        }
        if (i == start) break;
        rules.emplace_back(comment.substr(start, i - start));
        while (i < comment.size() && IsSpace(comment[i]))
            ++i;
        if (i >= comment.size() || comment[i] != ',') break;
        ++i;
    }
    return true;
}

namespace {

// A "Rem" statement's word: the tokenizer reads it as a word, not as a comment.
bool IsRemWord(const TVbToken& t) {
    return (t.Kind == tkKeyword || t.Kind == tkIdentifier) && EqualIgnoringCase(t.Text(), "Rem");
}

// The text of a "Rem" comment that starts at `from` in `text` ("Rem" and the rest of the line),
// written as a "'" comment so that one reader reads both; empty when no Rem stands there.
std::string RemAsComment(std::string_view text, std::size_t from) {
    while (from < text.size() && IsSpace(text[from]))
        ++from;
    if (!StartsWithIgnoringCase(text.substr(from), "Rem")) return std::string();
    from += 3;
    if (from < text.size() && !IsSpace(text[from])) return std::string(); // "Remark" is no Rem
    std::size_t end = text.find('\r', from);
    return "'" + std::string(text.substr(from, end == std::string_view::npos ? end : end - from));
}

// The "Rem" statements after a ":" in text the tokenizer dropped ("x = 1: Rem ..."), outside
// string literals.
template <typename F> void ForEachRemAfterColon(std::string_view dropped, F&& visit) {
    bool inString = false;
    for (std::size_t i = 0; i < dropped.size(); ++i) {
        if (dropped[i] == '"') inString = !inString;
        if (inString || dropped[i] != ':') continue;
        std::string comment = RemAsComment(dropped, i + 1);
        if (!comment.empty()) {
            visit(comment);
            return; // the Rem takes the rest of the line
        }
    }
}

} // namespace

TSuppression::TSuppression(const TVbSource& source) {
    // The comments' texts stand in the source's logical lines: most files hold no tag at all, and
    // then no token need be looked at.
    const std::string& all = source.LogicalLines.AllText();
    if (!MayHoldDirective(all)) return;
    const int n = source.Tokens.Count();
    std::vector<std::string> rules;
    // Lines that begin with "Rem": comments, for all their tokens.
    std::vector<std::int32_t> remLines;
    auto addDirective = [&](std::int32_t line, std::string_view comment) {
        bool wholeFile = false;
        if (ParseSuppressionComment(comment, wholeFile, rules))
            Directives_.push_back({line, -1, wholeFile, rules});
    };
    TVbLineCursor lines(source.Tokens);
    for (int k = 0; k < n; ++k) {
        const TVbToken& t = *source.Tokens.Get(k);
        if (t.Kind == tkComment) {
            addDirective(lines.LineOf(k), t.Text());
        } else if (IsRemWord(t) && source.Tokens.FirstOnLine(lines.LineOf(k)) == k) {
            const std::int32_t line = lines.LineOf(k);
            remLines.push_back(line);
            // Token texts are views into the logical text: the Rem runs to its line's end.
            const std::size_t at = static_cast<std::size_t>(t.Text().data() - all.data());
            if (at < all.size()) addDirective(line, RemAsComment(all, at));
        }
    }
    // A Rem after a ":" stands in the text the tokenizer dropped.
    for (const TVbDroppedText& d : source.DroppedText)
        ForEachRemAfterColon(d.Text,
                             [&](const std::string& comment) { addDirective(d.Line, comment); });
    // Most files have no directive: only then are the lines with code looked up.
    if (Directives_.empty()) return;
    // Lines that hold anything but comments, in order (tokens come in line order).
    std::vector<std::int32_t> codeLines;
    std::size_t rem = 0;
    for (int k = 0; k < n; ++k) {
        const TVbToken& t = *source.Tokens.Get(k);
        const std::int32_t line = lines.LineOf(k);
        while (rem < remLines.size() && remLines[rem] < line)
            ++rem;
        if (rem < remLines.size() && remLines[rem] == line) continue;
        if (t.Kind != tkComment && (codeLines.empty() || codeLines.back() != line))
            codeLines.push_back(line);
    }
    for (TDirective& d : Directives_) {
        if (d.WholeFile) continue;
        auto it = std::lower_bound(codeLines.begin(), codeLines.end(), d.Line);
        if (it != codeLines.end()) d.TargetLine = *it; // its own line, or the next with code
    }
}

bool TSuppression::Suppresses(const TFindingRecord& finding) const {
    for (const TDirective& d : Directives_) {
        if (!d.WholeFile && (!finding.HasLine() || finding.Line != d.TargetLine)) continue;
        for (const std::string& rule : d.Rules)
            if (rule == "*" || EqualIgnoringCase(rule, finding.Rule)) return true;
    }
    return false;
}
