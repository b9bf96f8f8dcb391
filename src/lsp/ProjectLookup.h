// Which VB project a source file belongs to.
#pragma once

#include "platform/CodePage.h"

#include <string>

// Whether a project file (engine path) names the member (an absolute engine path) among its
// members; the project's member paths are text of `source`. False when it cannot be read.
bool ProjectNamesMember(const std::string& project, const std::string& member,
                        const platform::TCodePage& source);
// The project of a member: the nearest project file (.vbp, letter case ignored) that names it,
// looked for in the member's folder and then in each folder above it; in one folder the first
// by name. Empty when there is none.
std::string FindProjectOf(const std::string& member, const platform::TCodePage& source);
