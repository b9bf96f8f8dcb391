// The set of rules: one collection that creates the nine checkers in their fixed order.
#pragma once

#include "framework/Vetrin.h"

// Creates the nine rule checkers and adds them to the collection in this order: excluded files,
// unused locals, unused arguments, Option Explicit, version auto-increment, comment statistics,
// file naming, implicit Public, line length.
void AddAllCheckers(TVetrins& checkers);
