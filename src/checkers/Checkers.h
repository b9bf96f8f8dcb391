// The set of rules: one collection that creates the nine checkers in their fixed order.
#pragma once

#include "framework/Vetrin.h"

// Creates the nine rule checkers of the rule table and adds them to the collection in the
// table's order.
void AddAllCheckers(TVetrins& checkers);
