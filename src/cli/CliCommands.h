// The four commands of vrt. Each answers the exit status; failures are raised as EVetrinError
// (texts in code page 932, paths and names marked) and reported by main.
#pragma once

#include "cli/CliOutput.h"

#include <string>
#include <vector>

struct TCheckOptions {
    std::string RulesFile; // UTF-8 as given; empty: the defaults
    TFormat Format = TFormat::Text;
    int CodePage = 932;                              // of the VB sources
    const platform::TCodePage* TextTarget = nullptr; // text output: none for UTF-8
    bool Log = false;
    std::string BaselineFile;          // UTF-8; report only findings not in this baseline
    std::string WriteBaselineFile;     // UTF-8; record the run's findings in this baseline
    bool NoIgnore = false;             // report suppressed findings too
    bool Quiet = false;                // no summary line after a text check
    bool ExitZero = false;             // findings exit 0 (errors still exit 2)
    int Jobs = 0;                      // members read, parsed and checked at once; 0: per core
    std::vector<std::string> Projects; // UTF-8 as given
};

struct TStatsOptions {
    std::string RulesFile;
    int CodePage = 932; // of the VB sources
    bool Tsv = false;
    std::string HtmlFile; // UTF-8; write the HTML report here instead of printing a table
    int Jobs = 0;
    std::vector<std::string> Projects;
};

// 0 no finding (or --exit-zero), 1 at least one finding.
int RunCheck(const TCheckOptions& options);
int RunStats(const TStatsOptions& options);
// Lists the rules, or writes the default selection to a checker project file.
int RunRules(const std::string& writeFile);
// Prints the tokens, dropped text, variables and methods of one member source file.
int RunDump(const std::string& sourceFile, int codePage);
