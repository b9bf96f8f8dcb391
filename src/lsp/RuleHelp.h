// What each rule asks for, in a few sentences, for the editor's hover.
#pragma once

#include "framework/Language.h"

#include <string>
#include <string_view>

// The explanation of a rule (class name as the rule table has it), UTF-8 Markdown; empty for a
// name that is no rule's.
std::string RuleExplanation(std::string_view className, TLanguage language);
