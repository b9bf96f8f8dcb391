// Projects found by folder: every VB project file (.vbp, letter case ignored) under a folder.
#pragma once

#include <string>
#include <vector>

struct TFoundProject {
    std::string Path;  // engine form
    std::string Shown; // UTF-8: the folder as given, then the path below it
};

// Walks the folder (engine path; shown as `shownFolder`) and everything below it, in sorted
// order (names compared byte by byte, a folder's projects where its name sorts): hidden files
// and folders (names that start with ".") are skipped, and a folder reached a second time
// through symbolic links is not walked again, so a loop of links ends.
std::vector<TFoundProject> ProjectsUnder(const std::string& folder, const std::string& shownFolder);
