#include "cli/commands/RulesCommand.h"

#include "checkers/CheckSession.h"
#include "checkers/RuleTable.h"
#include "cli/CliRun.h"
#include "cli/CliTexts.h"
#include "cli/Columns.h"
#include "cli/Output.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>

CLI::App* TRulesCommand::Add(CLI::App& app) {
    CLI::App* command = app.add_subcommand("rules", CliText(TCliText::RulesCommand));
    command->footer(CliText(TCliText::RulesDescription));
    command->add_option("--write", WriteFile_, CliText(TCliText::WriteOption))
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
    auto caption = [](const TVetrin& rule) {
        return std::to_string(rule.Category()) + " " + CategoryCaption(rule.Category());
    };
    std::size_t classWidth = 0, captionWidth = 0;
    for (int i = 0; i < rules.Count(); ++i) {
        classWidth = std::max(classWidth, rules.Items(i)->ClassName().size());
        captionWidth = std::max(captionWidth, DisplayWidth(caption(*rules.Items(i))));
    }
    std::string text;
    for (int i = 0; i < rules.Count(); ++i) {
        const TVetrin& rule = *rules.Items(i);
        text += PadRight(std::string(rule.ClassName()), classWidth) + "  " +
                PadRight(caption(rule), captionWidth) + "  " +
                PadRight(platform::Cp932ToUtf8(rule.DisplayName()), 40) + "  " +
                (rule.HasDetail() ? CliText(TCliText::HasSettings) : "-") + "\n";
    }
    TOutput out(stdout);
    out.Write(text);
    if (!out.Close()) throw EGeneralError(CliTextCp932(TCliText::CannotWriteOutput));
    return 0;
}
