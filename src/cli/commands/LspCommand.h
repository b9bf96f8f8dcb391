// vrt lsp: the language server on standard input and output.
#pragma once

#include "cli/commands/Command.h"

#include <string>

class TLspCommand : public TCommand {
public:
    CLI::App* Add(CLI::App& app) override;
    int Run() override;
    int CodePage() const override { return CodePage_; }

private:
    std::string RulesFile_;   // UTF-8 as given
    std::string ProjectFile_; // UTF-8 as given
    int CodePage_ = 932;
};
