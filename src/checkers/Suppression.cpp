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

TSuppression::TSuppression(const TVbSource& source) {
    // The comments' texts stand in the source's logical lines: most files hold no tag at all, and
    // then no token need be looked at.
    if (!MayHoldDirective(source.LogicalLines.AllText())) return;
    const int n = source.Tokens.Count();
    std::vector<std::string> rules;
    for (int k = 0; k < n; ++k) {
        const TVbToken& t = *source.Tokens.Get(k);
        bool wholeFile = false;
        if (t.Kind != tkComment || !ParseSuppressionComment(t.Text(), wholeFile, rules)) continue;
        Directives_.push_back({t.Line, -1, wholeFile, rules});
    }
    // Most files have no directive: only then are the lines with code looked up.
    if (Directives_.empty()) return;
    // Lines that hold anything but comments, in order (tokens come in line order).
    std::vector<std::int32_t> codeLines;
    for (int k = 0; k < n; ++k) {
        const TVbToken& t = *source.Tokens.Get(k);
        if (t.Kind != tkComment && (codeLines.empty() || codeLines.back() != t.Line))
            codeLines.push_back(t.Line);
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
