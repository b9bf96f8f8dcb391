#include "cli/commands/CommonOptions.h"

#include "cli/CliTexts.h"
#include "platform/CodePage.h"

#include <exception>

CLI::Option* AddCodePageOption(CLI::App& command, int& codePage) {
    return command.add_option("--codepage", codePage, CliText(TCliText::CodePageOption))
        ->type_name("N")
        ->check([](const std::string& value) -> std::string {
            try {
                std::size_t used = 0;
                int n = std::stoi(value, &used);
                if (used == value.size() && platform::FindCodePage(n)) return std::string();
            } catch (const std::exception&) {
            }
            return CliText(TCliText::CodePageNotSupported,
                           {{"value", value}, {"supported", platform::SupportedCodePages()}});
        });
}

CLI::Option* AddJobsOption(CLI::App& command, int& jobs) {
    return command.add_option("--jobs,-j", jobs, CliText(TCliText::JobsOption))
        ->check(CLI::Range(1, 256))
        ->type_name("N");
}

CLI::Option* AddRulesOption(CLI::App& command, std::string& rulesFile) {
    return command.add_option("--rules", rulesFile, CliText(TCliText::RulesFileOption))
        ->type_name("FILE.vrp");
}

CLI::Option* AddProjectsOption(CLI::App& command, std::vector<std::string>& projects) {
    return command.add_option("projects", projects, CliText(TCliText::ProjectsArgument))
        ->type_name("PROJECT.vbp|GROUP.vbg|FOLDER");
}
