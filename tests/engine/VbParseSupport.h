// Helpers for the tokenizer and extraction tests: parse a text as a member source and show its
// tokens compactly.
#pragma once

#include "TestSupport.h"
#include "vbsource/VbParsers.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A module source whose raw lines are the given text (code page 932; CR, LF or CR LF end lines).
inline std::unique_ptr<TVbModuleSource> SourceOf(std::string_view text) {
    auto source = std::make_unique<TVbModuleSource>(nullptr);
    source->RawLines.AssignText(text);
    return source;
}

// Parses the text with the word lists beside the test executable; `ok` gets Execute's answer.
inline std::unique_ptr<TVbModuleSource> Parsed(std::string_view text, bool* ok = nullptr,
                                               int codePage = 932) {
    auto source = SourceOf(text);
    source->SetCodePage(Page(codePage));
    TVbModuleParser parser(*source);
    bool answer = parser.Execute();
    if (ok) *ok = answer;
    return source;
}

// "kind:scope:text@line" for one token of a source.
inline std::string Show(const TVbSource& source, const TVbToken& t) {
    return std::to_string(t.Kind) + ":" + std::to_string(t.Scope) + ":" + std::string(t.Text()) +
           "@" + std::to_string(source.Tokens.LineOf(&t));
}

// Every token of the source, shown as above.
inline std::vector<std::string> Shown(const TVbSource& source) {
    std::vector<std::string> out;
    for (int i = 0; i < source.Tokens.Count(); ++i)
        out.push_back(Show(source, *source.Tokens.Get(i)));
    return out;
}

// The texts of the tokens from position `from` on.
inline std::vector<std::string> Texts(const TVbTokenList& tokens, int from = 0) {
    std::vector<std::string> out;
    for (int i = from; i < tokens.Count(); ++i)
        out.emplace_back(tokens.Get(i)->Text());
    return out;
}

inline std::vector<std::string> Names(const TVbVariableList& variables) {
    std::vector<std::string> out;
    for (int i = 0; i < variables.Count(); ++i)
        out.emplace_back(variables.Get(i)->Name());
    return out;
}

// The header line every module begins with.
inline const char* kModuleHeader = "Attribute VB_Name = \"Module1\"\r\n";
