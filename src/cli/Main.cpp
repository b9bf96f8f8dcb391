// vrt: the command-line checker. Exit status 0 no finding, 1 findings, 2 an error.
#include "cli/commands/CheckCommand.h"
#include "cli/commands/DumpCommand.h"
#include "cli/commands/LspCommand.h"
#include "cli/commands/RulesCommand.h"
#include "cli/commands/StatsCommand.h"
#include "cli/formats/Escaping.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Console.h"
#include "version/VetrinVersion.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const Description =
    "vrt checks Visual Basic 5/6 projects (.vbp) against the coding rules of Vetrin.\n"
    "Source files are read in the Windows code page given with --codepage (932, Shift-JIS, by\n"
    "default); output is UTF-8.";

const char* const ExitStatus =
    "Run 'vrt COMMAND --help' for the details of a command.\n"
    "Exit status: 0 no finding, 1 at least one finding (check), 2 an error (one line on stderr).";

// One usage line per command, made from its options: "vrt check [--rules FILE.vrp] ... PROJECT".
std::string CommandsUsage(const CLI::App& app) {
    constexpr std::size_t width = 100;
    std::string text = "Commands:\n";
    for (const CLI::App* command : app.get_subcommands({})) {
        std::string prefix = "  vrt " + command->get_name();
        std::string line = prefix;
        const std::string indent(prefix.size(), ' ');
        auto add = [&](const std::string& item) {
            if (line.size() + 1 + item.size() > width) {
                text += line + "\n";
                line = indent;
            }
            line += " " + item;
        };
        std::vector<std::string> positionals;
        for (const CLI::Option* option : command->get_options()) {
            if (option == command->get_help_ptr() || option == command->get_help_all_ptr())
                continue;
            std::string typeName = option->get_type_name();
            if (std::size_t colon = typeName.find(':'); colon != std::string::npos)
                typeName.erase(colon);
            if (option->get_positional()) {
                positionals.push_back(typeName + (option->get_expected_max() > 1 ? "..." : ""));
                continue;
            }
            std::string name = option->get_lnames().empty() ? "-" + option->get_snames().front()
                                                            : "--" + option->get_lnames().front();
            add("[" + name + (typeName.empty() ? "" : " " + typeName) + "]");
        }
        for (const std::string& positional : positionals)
            add(positional);
        text += line + "\n";
    }
    return text;
}

// An argument before "--" that starts with "-" and looks like a file name (it has an extension),
// such as "-x.vbp": the parser took it for an option.
const std::string* FileNameTakenForOption(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") break;
        if (a.size() > 1 && a[0] == '-' && a.find('=') == std::string::npos &&
            a.find('.') != std::string::npos)
            return &a;
    }
    return nullptr;
}

void PrintError(const std::string& utf8) {
    std::string line = "vrt: " + LineSafe(utf8) + "\n";
    platform::WriteStandardStream(stderr, line);
}

} // namespace

int main(int argc, char** argv) {
    // Output bytes as written; arguments in UTF-8 whatever the system's code page, so that every
    // file name arrives whole.
    platform::UseBinaryStandardStreams();
    std::vector<std::string> arguments = platform::CommandLineArguments(argc, argv);
    std::vector<char*> argumentPointers;
    for (auto& a : arguments)
        argumentPointers.push_back(a.data());

    CLI::App app(Description, "vrt");
    app.require_subcommand(1);
    // Options are "--name" everywhere; a Windows-style "/name" would swallow a path such as
    // "/projects/App.vbp" (set before the subcommands, which inherit it).
    app.allow_windows_style_options(false);
    app.set_help_all_flag("--help-all", "Describe every command");
    app.set_version_flag("--version", "vrt " VETRIN_VERSION_TEXT, "Print the version and exit");

    std::vector<std::unique_ptr<TCommand>> commands;
    commands.push_back(std::make_unique<TCheckCommand>());
    commands.push_back(std::make_unique<TStatsCommand>());
    commands.push_back(std::make_unique<TRulesCommand>());
    commands.push_back(std::make_unique<TDumpCommand>());
    commands.push_back(std::make_unique<TLspCommand>());
    std::vector<std::pair<CLI::App*, TCommand*>> added;
    for (const auto& command : commands)
        added.emplace_back(command->Add(app), command.get());
    app.footer(CommandsUsage(app) + ExitStatus);

    try {
        app.parse(static_cast<int>(argumentPointers.size()), argumentPointers.data());
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        PrintError(e.what());
        if (const std::string* name = FileNameTakenForOption(arguments)) {
            const std::string command =
                arguments.size() > 1 && arguments[1][0] != '-' ? arguments[1] : "check";
            PrintError("a name that starts with \"-\" is read as an option: write -- before it, "
                       "as in vrt " +
                       command + " -- " + *name);
        }
        platform::WriteStandardStream(stderr, "Run 'vrt --help' for usage.\n");
        return 2;
    }

    TCommand* chosen = nullptr;
    for (const auto& [parsed, command] : added)
        if (*parsed) chosen = command;
    if (!chosen) return 2;
    try {
        return chosen->Run();
    } catch (const EVetrinError& e) {
        std::fflush(stdout);
        // The option checked the code page: one of the known ones.
        PrintError(platform::TextToUtf8(e.Message(), *platform::FindCodePage(chosen->CodePage())));
        return 2;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        PrintError(e.what());
        return 2;
    }
}
