#include "lsp/Diagnostics.h"

#include "checkers/RuleTable.h"
#include "lsp/RuleHelp.h"
#include "platform/CodePage.h"

#include <string_view>

using nlohmann::json;

namespace {

constexpr const char* Source = "vetrin";
constexpr std::string_view ImplicitPublicRule = "TVbProhibitImplicitPublicDeclaration";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool StartsWithWord(std::string_view text, std::string_view word) {
    if (!platform::StartsWithAscii(text, word)) return false;
    return text.size() == word.size() || IsBlank(text[word.size()]) || text[word.size()] == '(';
}

json Position(int line, int character) { return {{"line", line}, {"character", character}}; }

json Insertion(int line, int character, const std::string& text) {
    json at = Position(line, character);
    return {{"range", {{"start", at}, {"end", at}}}, {"newText", text}};
}

json Action(const std::string& title, const std::string& uri, const json& diagnostic, json edit,
            bool preferred) {
    json action = {{"title", title},
                   {"kind", "quickfix"},
                   {"diagnostics", json::array({diagnostic})},
                   {"edit", {{"changes", {{uri, json::array({std::move(edit)})}}}}}};
    if (preferred) action["isPreferred"] = true;
    return action;
}

// Whether a directive on a line of its own before `line` covers it: the line holds code (a
// directive covers the next line with code) and does not continue the line before it.
bool LineTakesDirectiveAbove(const TTextDocument& text, int line) {
    const std::string_view code = platform::TrimBlanks(text.Line(line));
    if (code.empty() || code.front() == '\'' || StartsWithWord(code, "Rem")) return false;
    const std::string_view before = platform::TrimBlanks(text.Line(line - 1));
    return line == 0 || before.empty() || before.back() != '_';
}

// Where a file's directive goes: after the leading block of the file (a form's or class's
// header and the Attribute lines), so that it stands among the code.
int FileDirectiveLine(const TTextDocument& text) {
    int after = 0;
    for (int i = 0; i < text.LineCount(); ++i) {
        if (StartsWithWord(platform::TrimBlanks(text.Line(i)), "Attribute"))
            after = i + 1;
        else if (after > 0)
            break;
    }
    return after;
}

std::string Indentation(std::string_view line) {
    std::size_t n = 0;
    while (n < line.size() && IsBlank(line[n]))
        ++n;
    return std::string(line.substr(0, n));
}

} // namespace

int FindingLine(const TFindingRecord& finding) {
    return finding.HasLine() && finding.Line > 0 ? finding.Line - 1 : 0;
}

json Diagnostics(const std::vector<TFindingRecord>& findings, const TTextDocument& text,
                 const platform::TCodePage& source) {
    json list = json::array();
    for (const TFindingRecord& finding : findings) {
        const int line = FindingLine(finding);
        list.push_back({{"range",
                         {{"start", Position(line, 0)},
                          {"end", Position(line, Utf16Length(text.Line(line)))}}},
                        {"severity", 2},
                        {"code", finding.Rule},
                        {"source", Source},
                        {"message", platform::TextToUtf8(finding.Message, source)}});
    }
    return list;
}

json Hover(const std::vector<TFindingRecord>& findings, int line, const platform::TCodePage& source,
           TLanguage language) {
    std::string text;
    for (const TFindingRecord& finding : findings) {
        if (FindingLine(finding) != line) continue;
        if (!text.empty()) text += "\n\n---\n\n";
        const TRuleRow* row = FindRuleRow(finding.Rule);
        text += "**" + std::string(row ? row->DisplayName : finding.Rule.c_str()) + "** (`" +
                finding.Rule + "`)\n\n" + platform::TextToUtf8(finding.Message, source);
        const std::string explanation = RuleExplanation(finding.Rule, language);
        if (!explanation.empty()) text += "\n\n" + explanation;
    }
    if (text.empty()) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", text}}}};
}

json CodeActions(const std::string& uri, const TTextDocument& text, const json& diagnostics,
                 TLanguage language) {
    const bool japanese = language == TLanguage::Japanese;
    const std::string eol(text.LineEnd());
    json actions = json::array();
    if (!diagnostics.is_array()) return actions;
    for (const json& diagnostic : diagnostics) {
        if (!diagnostic.is_object() || diagnostic.value("source", "") != Source) continue;
        const json* code = diagnostic.contains("code") ? &diagnostic["code"] : nullptr;
        if (!code || !code->is_string()) continue;
        const std::string rule = code->get<std::string>();
        int line = 0;
        try {
            line = diagnostic.at("range").at("start").at("line").get<int>();
        } catch (const json::exception&) {
            continue;
        }
        const std::string_view lineText = text.Line(line);
        if (rule == ImplicitPublicRule) {
            const std::string indent = Indentation(lineText);
            const std::string_view words = platform::TrimBlanks(lineText);
            for (std::string_view word : {"Sub", "Function", "Property", "Static"})
                if (StartsWithWord(words, word)) {
                    actions.push_back(
                        Action(japanese ? "Public を明示する" : "Make it explicitly Public", uri,
                               diagnostic, Insertion(line, Utf16Length(indent), "Public "), true));
                    break;
                }
        }
        if (LineTakesDirectiveAbove(text, line))
            actions.push_back(
                Action((japanese ? "この行で " + rule + " を抑制する"
                                 : "Suppress " + rule + " on this line"),
                       uri, diagnostic,
                       Insertion(line, 0, Indentation(lineText) + "' vetrin:ignore " + rule + eol),
                       false));
        actions.push_back(Action(
            (japanese ? "このファイルで " + rule + " を抑制する"
                      : "Suppress " + rule + " in this file"),
            uri, diagnostic,
            Insertion(FileDirectiveLine(text), 0, "' vetrin:ignore-file " + rule + eol), false));
    }
    return actions;
}
