// How a finding is known across runs, whatever line it moved to: by its project, its file
// relative to the project's folder, its rule, its message and its occurrence among the findings
// of the same file, rule and message. The baseline and the GitLab fingerprints both use it.
#pragma once

#include <string>

// The compared form of a path in UTF-8: ASCII letters folded, "\" taken for "/" (VB projects
// come from a case-insensitive file system). UTF-8 never puts an ASCII byte inside a multi-byte
// character, so this cannot change one.
std::string ComparedPath(std::string utf8);
