#include "cli/commands/LspCommand.h"

#include "cli/commands/CommonOptions.h"
#include "lsp/LanguageServer.h"
#include "platform/Files.h"

#include <cstdio>

namespace {

const char* const Description =
    "Serves the Language Server Protocol on standard input and output, for editors: each open\n"
    ".bas, .frm, .cls, .ctl or .pag file is checked as the editor holds it, in the project that\n"
    "names it (the nearest .vbp in its folder or above; --project names one), and its findings\n"
    "are published as diagnostics, with code actions that suppress them and hovers that explain\n"
    "them. A file outside any project is checked with the rules on members alone. The client's\n"
    "initializationOptions (project, rulesFile, codePage, language: \"ja\" or \"en\") take the\n"
    "place of the options. Standard output carries protocol messages only.\n"
    "Exit status: 0 after shutdown and exit, 1 when the input ends or exit comes without\n"
    "shutdown.";

} // namespace

CLI::App* TLspCommand::Add(CLI::App& app) {
    CLI::App* command = app.add_subcommand("lsp", "Run the language server for editors");
    command->footer(Description);
    AddRulesOption(*command, RulesFile_);
    command
        ->add_option("--project", ProjectFile_,
                     "Project file (.vbp) of the members it names (others: their nearest project)")
        ->type_name("FILE.vbp");
    AddCodePageOption(*command, CodePage_);
    return command;
}

int TLspCommand::Run() {
    TServerOptions options;
    options.CodePage = CodePage_;
    if (!RulesFile_.empty())
        options.RulesFile = platform::AbsolutePath(platform::EnginePath(RulesFile_));
    if (!ProjectFile_.empty())
        options.ProjectFile = platform::AbsolutePath(platform::EnginePath(ProjectFile_));
    TLanguageServer server(stdin, stdout, options);
    return server.Run();
}
