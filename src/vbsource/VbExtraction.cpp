// The extraction: module-level variables and procedures (name, arguments, body) from the tokens.
#include "vbsource/VbParsers.h"

#include "framework/Errors.h"
#include "framework/TextCatalog.h"

#include <algorithm>

namespace {
std::string Trimmed(const std::string& s) {
    std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}
} // namespace

bool TVbParser::IsKeyword(int i, std::string_view text) const {
    if (i < 0 || i >= Source.Tokens.Count()) return false;
    const TVbToken* t = Source.Tokens.Get(i);
    return t->Kind == tkKeyword && t->Is(text);
}

bool TVbParser::IsSymbol(int i, std::string_view text) const {
    if (i < 0 || i >= Source.Tokens.Count()) return false;
    const TVbToken* t = Source.Tokens.Get(i);
    return t->Kind == tkSymbol && t->Is(text);
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
    // The bracket's line ends before this token.
    const int lineEnd = Source.Tokens.FirstOnLine(Source.Tokens.LineOf(j) + 1);
    ++j;
    std::string bounds;
    while (j < n && j < lineEnd) {
        const TVbToken* t = Source.Tokens.Get(j);
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

std::string_view TVbParser::ReadAsType(int& i) const {
    if (!IsKeyword(i, "As")) return std::string_view();
    const int n = Source.Tokens.Count();
    const std::string_view type = i + 1 < n ? Source.Tokens.Get(i + 1)->Text() : std::string_view();
    i = std::min(i + 2, n);
    return type;
}

// The name of the procedure whose word stands at i: the first identifier after the word, or else
// the keyword directly before the header's "(" (a procedure named with a keyword: "Property Get
// Step()", "Function Error()"). The search never passes the header's line, so the "Attribute
// Step.VB_Description" line below such a header names nothing. -1 when the line holds no name
// (a stray "End Sub" read as a header, say). `line` is set to the header's line.
int TVbParser::FindProcedureName(int i, std::int32_t& line) const {
    line = Source.Tokens.LineOf(i);
    const int lineEnd = Source.Tokens.FirstOnLine(line + 1);
    for (int k = i + 1; k < lineEnd; ++k) {
        const TVbToken* t = Source.Tokens.Get(k);
        if (t->Kind == tkIdentifier) return k;
        if (t->Kind == tkSymbol && t->Text() == "(")
            return k - 1 > i && Source.Tokens.Get(k - 1)->Kind == tkKeyword ? k - 1 : -1;
    }
    return -1;
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
        const std::string_view bounds = Source.StoreText(ReadBounds(i));
        const std::string_view type = ReadAsType(i);
        Source.Variables.Add(TVbVariable(name, Source.Tokens.LineOf(name), bounds, type));
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
    const int headerEnd = Source.Tokens.FirstOnLine(method.Line + 1);
    for (;;) {
        for (;; ++i) {
            if (i >= n) throw EGeneralError(Say(TText::UnclosedArguments));
            if (i >= headerEnd) return; // the body begins with this token
            const TVbToken* t = Source.Tokens.Get(i);
            if (t->Kind == tkSymbol && t->Text() == ")") {
                ++i;
                return;
            }
            if (t->Kind == tkIdentifier) break;
        }
        TVbToken* name = Source.Tokens.Get(i);
        const std::string_view bounds = Source.StoreText(ReadBounds(i));
        const std::string_view type = ReadAsType(i);
        // The argument stands on the header's line: the list ends with it.
        method.Arguments.Add(TVbVariable(name, method.Line, bounds, type));
        // A default value ("Optional Flags As Long = eafAlt Or eafVirtKey") names no argument:
        // it runs up to the "," or ")" at its own depth.
        if (i < n && Source.Tokens.Get(i)->Text() == "=") SkipDefaultValue(i, headerEnd);
        if (i < n && Source.Tokens.Get(i)->Text() == ",") ++i;
        if (i < n && Source.Tokens.Get(i)->Text() == ")") {
            ++i;
            return;
        }
    }
}

// Passes a default value from its "=" to the "," or ")" that ends it, leaving i there; brackets
// inside it nest. It also ends before the first token of a later line than the header (at
// headerEnd).
void TVbParser::SkipDefaultValue(int& i, int headerEnd) const {
    const int n = Source.Tokens.Count();
    int depth = 0;
    for (++i; i < n; ++i) {
        if (i >= headerEnd) return;
        const TVbToken* t = Source.Tokens.Get(i);
        if (t->Kind != tkSymbol) continue;
        const std::string_view text = t->Text();
        if (text == "(") {
            ++depth;
        } else if (text == ")") {
            if (depth == 0) return;
            --depth;
        } else if (text == "," && depth == 0) {
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
        // The common case: no test holds for a token that is no keyword.
        if (Source.Tokens.Get(i)->Kind != tkKeyword) {
            ++i;
            continue;
        }
        for (std::string_view word : kProcedureWords) {
            if (Source.Tokens.Get(i)->Kind != tkKeyword) break; // (i moved on to a later token)
            // A procedure may also be the very first token (a file without a header).
            if (!IsKeyword(i, word)) continue;
            // Declare lines make no procedure, also with PtrSafe (VBA 7) before the word.
            if (IsKeyword(i - 1, "Declare") ||
                (i >= 2 && Source.Tokens.Get(i - 1)->Text() == "PtrSafe" &&
                 IsKeyword(i - 2, "Declare")))
                continue;
            // A header line without a name reads no procedure, and the scan goes on after it.
            std::int32_t line = 0;
            const int name = FindProcedureName(i, line);
            if (name < 0) continue;
            auto method = std::make_unique<TVbMethod>();
            i = name;
            method->NameToken = Source.Tokens.Get(i);
            method->Line = line;
            ++i;
            ReadArguments(i, *method);
            // The body runs up to and including the word of its "End" line; i stays on that word.
            // The source keeps its tokens one after the other in one block: the scan walks it.
            TVbToken* const tokens = Source.Tokens.Get(0);
            auto isKeyword = [&](int k, std::string_view text) {
                return tokens[k].Kind == tkKeyword && tokens[k].Is(text);
            };
            const int first = i;
            while (i < n && !(isKeyword(i, word) && i > 0 && isKeyword(i - 1, "End")))
                ++i;
            method->Tokens.AddRun(&tokens[first], std::min(i + 1, n) - first);
            if (i >= n) throw EGeneralError(Say(TText::UnfinishedMethod));
            Source.Methods.Add(std::move(method));
        }
        ++i;
    }
}
