// The options several commands take, written once.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

// --codepage N: the Windows ANSI code page the sources were saved in; one that is not known is a
// usage error.
CLI::Option* AddCodePageOption(CLI::App& command, int& codePage);
// --jobs N (-j): members read, parsed and checked at once.
CLI::Option* AddJobsOption(CLI::App& command, int& jobs);
// --rules FILE.vrp: the checker project file to apply.
CLI::Option* AddRulesOption(CLI::App& command, std::string& rulesFile);
// The projects to check: .vbp files, .vbg groups or folders (none: the current folder).
CLI::Option* AddProjectsOption(CLI::App& command, std::vector<std::string>& projects);
