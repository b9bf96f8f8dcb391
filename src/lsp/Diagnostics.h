// What the editor shows of a member's findings: diagnostics, the hover over them, and the code
// actions that suppress or fix them.
#pragma once

#include "framework/Finding.h"
#include "framework/Language.h"
#include "lsp/TextDocument.h"
#include "platform/CodePage.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// The line of the editor's text a finding stands on (0-based): its line, or the first line for a
// finding without one.
int FindingLine(const TFindingRecord& finding);
// One diagnostic per finding: the whole line, the rule as its code, source "vetrin", the message
// in UTF-8 (names from the sources in `source`).
nlohmann::json Diagnostics(const std::vector<TFindingRecord>& findings, const TTextDocument& text,
                           const platform::TCodePage& source);
// The hover at a line: the rule's name and explanation and the message of every finding on it;
// null when there is none.
nlohmann::json Hover(const std::vector<TFindingRecord>& findings, int line,
                     const platform::TCodePage& source, TLanguage language);
// The code actions for the diagnostics the editor names (those of other sources are passed by):
// a suppression comment on the line or in the file, and the fix where one is certain.
nlohmann::json CodeActions(const std::string& uri, const TTextDocument& text,
                           const nlohmann::json& diagnostics, TLanguage language);
