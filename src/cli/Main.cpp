// vrt: the command-line checker. Exit status 0 no finding, 1 findings, 2 an error.
#include "cli/commands/CheckCommand.h"
#include "cli/commands/DumpCommand.h"
#include "cli/commands/LspCommand.h"
#include "cli/commands/RulesCommand.h"
#include "cli/commands/StatsCommand.h"
#include "cli/formats/Escaping.h"

#include "cli/CliTexts.h"
#include "framework/Errors.h"
#include "framework/Language.h"
#include "platform/CodePage.h"
#include "platform/Console.h"
#include "version/VetrinVersion.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// One usage line per command, made from its options: "vrt check [--rules FILE.vrp] ... PROJECT".
std::string CommandsUsage(const CLI::App& app) {
    constexpr std::size_t width = 100;
    std::string text = std::string(CliText(TCliText::CommandsHeading)) + "\n";
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

// The language the command line asks for with --lang (its last one), else the user's locale's.
// It is chosen before the options are described, since their help is written in it; a value
// that is no language is left to the option's own check.
TLanguage ChosenLanguage(const std::vector<std::string>& arguments) {
    std::optional<TLanguage> chosen;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--") break;
        std::optional<std::string> value;
        if (a == "--lang" && i + 1 < arguments.size())
            value = arguments[i + 1];
        else if (a.rfind("--lang=", 0) == 0)
            value = a.substr(7);
        if (value && (*value == "ja" || *value == "en"))
            chosen = platform::LanguageFromName(*value);
    }
    return chosen ? *chosen : platform::UserLanguage();
}

// CLI11's headings in the run's language.
void UseLanguageLabels(CLI::App& app) {
    auto formatter = app.get_formatter();
    formatter->label("Usage", CliText(TCliText::UsageLabel));
    formatter->label("OPTIONS", CliText(TCliText::OptionsLabel));
    formatter->label("SUBCOMMAND", CliText(TCliText::CommandLabel));
    formatter->label("SUBCOMMANDS", CliText(TCliText::CommandLabel));
    formatter->label("Positionals", CliText(TCliText::PositionalsLabel));
    app.option_defaults()->group(CliText(TCliText::OptionsGroup));
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

    SetCurrentLanguage(ChosenLanguage(arguments));
    CLI::App app(CliText(TCliText::ProgramDescription), "vrt");
    UseLanguageLabels(app);
    app.set_help_flag("--help,-h", CliText(TCliText::HelpFlag));
    app.require_subcommand(1);
    // --lang may stand after the command too ("vrt check --lang en ...").
    app.fallthrough();
    // Options are "--name" everywhere; a Windows-style "/name" would swallow a path such as
    // "/projects/App.vbp" (set before the subcommands, which inherit it).
    app.allow_windows_style_options(false);
    app.set_help_all_flag("--help-all", CliText(TCliText::HelpAll));
    app.set_version_flag("--version", "vrt " VETRIN_VERSION_TEXT, CliText(TCliText::VersionFlag));
    // Read before the parse (ChosenLanguage); here it is described, checked and shown in the help.
    std::string language;
    app.add_option("--lang", language, CliText(TCliText::LangOption))
        ->check(CLI::IsMember({"ja", "en"}))
        ->type_name("ja|en");

    std::vector<std::unique_ptr<TCommand>> commands;
    commands.push_back(std::make_unique<TCheckCommand>());
    commands.push_back(std::make_unique<TStatsCommand>());
    commands.push_back(std::make_unique<TRulesCommand>());
    commands.push_back(std::make_unique<TDumpCommand>());
    commands.push_back(std::make_unique<TLspCommand>());
    std::vector<std::pair<CLI::App*, TCommand*>> added;
    for (const auto& command : commands)
        added.emplace_back(command->Add(app), command.get());
    for (const auto& [command, unused] : added)
        command->group(CliText(TCliText::CommandsGroup));
    app.footer(CommandsUsage(app) + CliText(TCliText::ProgramFooter));

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
            PrintError(CliText(TCliText::DashName, {{"command", command}, {"name", *name}}));
        }
        platform::WriteStandardStream(stderr, std::string(CliText(TCliText::RunHelp)) + "\n");
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
