// vrt stats: the line counts of every member of projects, as a table with bars, tab-separated
// values or an HTML page.
#pragma once

#include "cli/commands/Command.h"

#include <string>
#include <vector>

class TStatsCommand : public TCommand {
public:
    CLI::App* Add(CLI::App& app) override;
    int Run() override;
    int CodePage() const override { return CodePage_; }

private:
    std::string RulesFile_;
    int CodePage_ = 932;
    bool Tsv_ = false;
    std::string HtmlFile_; // UTF-8; write the HTML report here instead of printing a table
    int Jobs_ = 0;
    std::vector<std::string> Projects_;
};
