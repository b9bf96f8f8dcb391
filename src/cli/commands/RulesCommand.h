// vrt rules: the rules of the table, or a checker project file of all of them at their defaults.
#pragma once

#include "cli/commands/Command.h"

#include <string>

class TRulesCommand : public TCommand {
public:
    CLI::App* Add(CLI::App& app) override;
    int Run() override;

private:
    std::string WriteFile_;
};
