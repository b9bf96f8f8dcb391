#include "cli/commands/CommonOptions.h"

#include "platform/CodePage.h"

#include <exception>

CLI::Option* AddCodePageOption(CLI::App& command, int& codePage) {
    return command
        .add_option("--codepage", codePage,
                    "Code page of the VB sources: 932 (default), 874, 936, 949, 950 or 1250-1258")
        ->type_name("N")
        ->check([](const std::string& value) -> std::string {
            try {
                std::size_t used = 0;
                int n = std::stoi(value, &used);
                if (used == value.size() && platform::FindCodePage(n)) return std::string();
            } catch (const std::exception&) {
            }
            return "code page " + value + " is not supported (" + platform::SupportedCodePages() +
                   ")";
        });
}

CLI::Option* AddJobsOption(CLI::App& command, int& jobs) {
    return command
        .add_option("--jobs,-j", jobs,
                    "Members read, parsed and checked at once (default: one per core); the "
                    "output is the same whatever the number")
        ->check(CLI::Range(1, 256))
        ->type_name("N");
}

CLI::Option* AddRulesOption(CLI::App& command, std::string& rulesFile) {
    return command.add_option("--rules", rulesFile, "Checker project file (.vrp) to apply")
        ->type_name("FILE.vrp");
}

CLI::Option* AddProjectsOption(CLI::App& command, std::vector<std::string>& projects) {
    return command
        .add_option(
            "projects", projects,
            "VB project files (.vbp), groups (.vbg) or folders (default: the current folder)")
        ->type_name("PROJECT.vbp|GROUP.vbg|FOLDER");
}
