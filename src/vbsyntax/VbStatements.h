// Splits a model's words into logical statements and reads its "#If" directives.
#pragma once

#include "vbsyntax/VbSyntax.h"

// Fills syntax.Statements and syntax.Directives from syntax.Words.
void SplitStatements(TVbSyntax& syntax);
