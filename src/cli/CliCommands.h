// The four commands of vrt. Each answers the exit status; failures are raised as EVetrinError
// (texts in code page 932, paths and names marked) and reported by main.
#pragma once

#include "cli/CliOutput.h"

#include <string>
#include <vector>

struct TCheckOptions {
    std::string RulesFile; // UTF-8 as given; empty: the defaults
    TFormat Format = TFormat::Text;
    const platform::TCodePage* TextTarget = nullptr; // text output: none for UTF-8
    bool Log = false;
    std::vector<std::string> Projects; // UTF-8 as given
};

struct TStatsOptions {
    std::string RulesFile;
    bool Tsv = false;
    std::vector<std::string> Projects;
};

// 0 no finding, 1 at least one finding.
int RunCheck(const TCheckOptions& options);
int RunStats(const TStatsOptions& options);
// Lists the rules, or writes the default selection to a checker project file.
int RunRules(const std::string& writeFile);
// Prints the tokens, dropped text, variables and methods of one member source file.
int RunDump(const std::string& sourceFile);
