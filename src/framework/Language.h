// The language of everything the user reads: findings, log lines, errors, help and windows.
// A program chooses it once at start (a command-line option, the desktop's option, or the user's
// locale), before any run begins; until then it is Japanese.
#pragma once

#include "platform/UserLanguage.h"

using platform::TLanguage;

TLanguage CurrentLanguage();
void SetCurrentLanguage(TLanguage language);
