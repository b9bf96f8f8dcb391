// Project groups (.vbg): a first line "VBGROUP 5.0", then one line per project,
// "StartupProject=PATH" or "Project=PATH", the path relative to the group's folder with "\"
// separators. The projects are checked in the group's order, as if given one by one.
#pragma once

#include "platform/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

struct TGroupProject {
    std::string Path;    // resolved (engine form, absolute), as a member path is
    std::string Written; // as the group writes it
    bool Exists = false;
};

// Answers whether a path names a project group (extension .vbg, letter case ignored).
bool IsProjectGroup(std::string_view path);
// Reads a group file (engine path). Raises EFOpenError when it cannot be read and EGeneralError
// when it is not a project group.
// The paths written in the group are text of `source`, the run's code page.
std::vector<TGroupProject> ReadProjectGroup(const std::string& groupFile,
                                            const platform::TCodePage& source);
