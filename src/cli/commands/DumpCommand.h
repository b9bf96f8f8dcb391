// vrt dump: the tokens, dropped text, module-level variables and procedures of one member source
// file, as tab-separated lines.
#pragma once

#include "cli/commands/Command.h"

#include <string>

class TDumpCommand : public TCommand {
public:
    CLI::App* Add(CLI::App& app) override;
    int Run() override;
    int CodePage() const override { return CodePage_; }

private:
    std::string SourceFile_;
    int CodePage_ = 932;
    bool Syntax_ = false; // the syntax model instead of the tokens
};
