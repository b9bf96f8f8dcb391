// What the commands that check projects share: the projects a command line names, the rules of
// the run, and one project read, checked and its failures told.
#pragma once

#include "checkers/CheckSession.h"
#include "cli/CliRun.h"

#include <cstdint>
#include <string>
#include <vector>

// One line on stderr: "vrt: " and the UTF-8 text, its control characters escaped.
void Warn(const std::string& utf8);

struct TProjectToCheck {
    std::string Path;  // engine form
    std::string Shown; // UTF-8, as given or as the group resolves it
};

// The projects named on the command line, each folder replaced by every project found under it
// (ProjectsUnder; no argument: the current folder) and each project group by its projects in the
// group's order. A project of a group that is missing is reported and counted in `missing`; the
// others are checked. Raises when a project named cannot be read or is no project, and when
// there is none to check.
// The paths written in groups are text of `source`, the run's code page.
std::vector<TProjectToCheck> ProjectsToCheck(const std::vector<std::string>& args,
                                             const platform::TCodePage& source, int& missing);

// Reads, parses and checks one project, as the desktop's check run does; the members that could
// not be read or parsed are told on stderr once the parse walk is over, before the check, one
// line each. Answers how many members could not be checked.
std::int64_t CheckProject(const std::string& path, TCheckSession& session, TStreamLog* log);

// The session of a command: every rule on, then the checker project file (UTF-8, as given; none
// when empty).
void PrepareRules(TCheckSession& session, const std::string& utf8File);
