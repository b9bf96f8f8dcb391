// The designer block of forms, user controls and property pages ("Begin VB.Form ..." to "End")
// and the member's Attribute lines, read from the header lines of the token list.
#pragma once

#include "vbsyntax/VbSyntax.h"

// Fills syntax.Controls and syntax.Attributes; the property lines of controls that are not VB's
// own (user controls of the project, say) become uses of the property's name.
void ReadControlTree(const TVbSource& source, TVbSyntax& syntax);
