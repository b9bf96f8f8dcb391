#include "cli/commands/RulesCommand.h"

#include "checkers/CheckSession.h"
#include "checkers/RuleTable.h"
#include "cli/CliRun.h"
#include "cli/Columns.h"
#include "cli/Output.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>

namespace {

const char* const Description =
    "Lists the rules: class name, category, display name, and whether the rule has settings.\n"
    "With --write FILE, writes a checker project file of all rules enabled at their defaults\n"
    "instead (written whole or not at all), a starting point for --rules.";

} // namespace

CLI::App* TRulesCommand::Add(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("rules", "List the rules, or write a checker project file");
    command->footer(Description);
    command->add_option("--write", WriteFile_, "Write the default selection to this .vrp file")
        ->type_name("FILE.vrp");
    return command;
}

int TRulesCommand::Run() {
    TCheckSession session;
    EnableAllRules(session);
    if (!WriteFile_.empty()) {
        session.SaveRules(platform::EnginePath(WriteFile_));
        return 0;
    }
    const TVetrins& rules = session.Rules();
    std::size_t classWidth = 0;
    for (int i = 0; i < rules.Count(); ++i)
        classWidth = std::max(classWidth, rules.Items(i)->ClassName().size());
    std::string text;
    for (int i = 0; i < rules.Count(); ++i) {
        const TVetrin& rule = *rules.Items(i);
        std::string caption =
            std::to_string(rule.Category()) + " " + CategoryCaption(rule.Category());
        text += PadRight(std::string(rule.ClassName()), classWidth) + "  " + PadRight(caption, 10) +
                "  " + PadRight(platform::Cp932ToUtf8(rule.GetCheckerName()), 40) + "  " +
                (rule.HasDetail() ? "settings" : "-") + "\n";
    }
    TOutput out(stdout);
    out.Write(text);
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return 0;
}
