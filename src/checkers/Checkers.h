// The set of rules: one collection that creates every checker of the rule table in its order.
#pragma once

#include "framework/Vetrin.h"

// Creates a checker of each row of the rule table and adds them to the collection in the
// table's order.
void AddAllCheckers(TVetrins& checkers);
