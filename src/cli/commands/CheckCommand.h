// vrt check: reads and checks projects and writes their findings in one of the formats.
#pragma once

#include "cli/commands/Command.h"

#include <string>
#include <vector>

class TCheckCommand : public TCommand {
public:
    CLI::App* Add(CLI::App& app) override;
    int Run() override;
    int CodePage() const override { return CodePage_; }

private:
    std::string RulesFile_; // UTF-8 as given; empty: the defaults
    std::string Format_ = "text";
    std::string Encoding_ = "utf-8";
    std::string OutputFile_; // UTF-8; empty: standard output
    int CodePage_ = 932;
    bool Log_ = false;
    std::string BaselineFile_;          // report only findings not in this baseline
    std::string WriteBaselineFile_;     // record the run's findings in this baseline
    bool NoIgnore_ = false;             // report suppressed findings too
    bool Quiet_ = false;                // no summary line after a text check
    bool ExitZero_ = false;             // findings exit 0 (errors still exit 2)
    bool AllowMissing_ = false;         // missing or unreadable members leave the status at 0 or 1
    int Jobs_ = 0;                      // 0: one per core
    std::vector<std::string> Projects_; // UTF-8 as given
};
