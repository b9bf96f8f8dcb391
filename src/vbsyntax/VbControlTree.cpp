#include "vbsyntax/VbControlTree.h"

#include <cstdlib>

namespace {

std::string_view Trimmed(std::string_view line) {
    // A header token ends with "[cr]" for its line end.
    if (line.size() >= 4 && line.substr(line.size() - 4) == "[cr]") line.remove_suffix(4);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

// The next blank-separated word of `line` from `at`.
std::string_view NextWord(std::string_view line, std::size_t& at) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    const std::size_t from = at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '=')
        ++at;
    return line.substr(from, at - from);
}

// The value after "=", without blanks and without a comment after it.
std::string_view ValueOf(std::string_view line, std::size_t at) {
    std::size_t eq = line.find('=', at);
    if (eq == std::string_view::npos) return {};
    std::string_view v = line.substr(eq + 1);
    while (!v.empty() && v.front() == ' ')
        v.remove_prefix(1);
    if (!v.empty() && v.front() != '"') {
        std::size_t comment = v.find('\'');
        if (comment != std::string_view::npos) v = v.substr(0, comment);
    }
    while (!v.empty() && v.back() == ' ')
        v.remove_suffix(1);
    return v;
}

} // namespace

void ReadControlTree(const TVbSource& source, TVbSyntax& syntax) {
    // The open Begin blocks: a control's index in Controls, or -1 for a BeginProperty.
    std::vector<std::int32_t> open;
    for (int i = 0; i < source.Tokens.Count(); ++i) {
        const TVbToken& t = *source.Tokens.Get(i);
        if (t.Kind != tkHeader && t.Kind != tkAttribute) {
            if (t.Scope != scHeader) break; // the header is over
            continue;
        }
        const std::string_view line = Trimmed(t.Text());
        std::size_t at = 0;
        const std::string_view word = NextWord(line, at);
        if (t.Kind == tkAttribute) {
            if (!SameName(word, "Attribute")) continue;
            const std::string_view name = NextWord(line, at);
            syntax.Attributes.push_back({name, ValueOf(line, at), source.Tokens.LineOf(i)});
            continue;
        }
        if (SameName(word, "Begin")) {
            TVbControl c{};
            c.TypeName = NextWord(line, at);
            c.Name = NextWord(line, at);
            c.Line = source.Tokens.LineOf(i);
            c.Depth = 0;
            for (std::int32_t k : open)
                if (k >= 0) ++c.Depth;
            open.push_back(static_cast<std::int32_t>(syntax.Controls.size()));
            syntax.Controls.push_back(c);
        } else if (SameName(word, "BeginProperty")) {
            open.push_back(-1);
        } else if (SameName(word, "End") || SameName(word, "EndProperty")) {
            if (!open.empty()) open.pop_back();
        } else if (!open.empty() && open.back() >= 0 && !word.empty()) {
            TVbControl& c = syntax.Controls[static_cast<std::size_t>(open.back())];
            if (SameName(word, "Index")) {
                c.Index =
                    static_cast<std::int32_t>(std::atoi(std::string(ValueOf(line, at)).c_str()));
            } else if (c.Depth > 0 &&
                       !(c.TypeName.size() > 3 && SameName(c.TypeName.substr(0, 3), "VB."))) {
                // A property of a control of the project (a user control) set in the designer.
                syntax.References.push_back({word, source.Tokens.LineOf(i), -1, TVbQualifier::Other,
                                             false, c.Name, c.Name});
            }
        }
    }
}
