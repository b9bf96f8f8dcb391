#include "presenters/EditorLaunch.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "presenters/ResultStore.h"
#include "presenters/UiTexts.h"
#include "presenters/VtOption.h"

std::vector<std::string> SplitArguments(std::string_view parameters) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false, quoted = false;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const char c = parameters[i];
        if (c == '"') {
            inArgument = true;
            if (quoted && i + 1 < parameters.size() && parameters[i + 1] == '"') {
                current += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

std::vector<std::string> EditorArguments(std::string_view parameters, const std::string& file,
                                         int line) {
    std::vector<std::string> arguments;
    for (const std::string& argument : SplitArguments(parameters))
        arguments.push_back(platform::Cp932ToUtf8(argument));
    auto replaceFirst = [&arguments](std::string_view placeholder, const std::string& value) {
        for (std::string& argument : arguments) {
            std::size_t at = argument.find(placeholder);
            if (at == std::string::npos) continue;
            argument.replace(at, placeholder.size(), value);
            return;
        }
    };
    replaceFirst("%L", std::to_string(line));
    replaceFirst("%F", platform::NativePath(file));
    return arguments;
}

TEditorJump EditorJumpFor(const TVtOption& option, const TFindingRecord& finding) {
    TEditorJump jump;
    const std::string commandLine = platform::Cp932ToUtf8(option.CommandLine);
    const std::string program = option.GetEditorProgram();
    const std::string parameters = option.GetEditorParameters();
    if (program.empty() && parameters.empty()) {
        jump.Error = std::string(uitext::Text(uitext::NoEditorSet));
    } else if (parameters.empty()) {
        jump.Error = uitext::Format(uitext::EditorWithoutParameters, {{"command", commandLine}});
    } else if (program.empty()) {
        jump.Error = uitext::Format(uitext::EditorNotStarted, {{"command", commandLine}});
    } else {
        // The command line is code page 932 text; the program is started by its file name.
        jump.Launch.Program = platform::PathFromSystemText(program);
        jump.Launch.Arguments = EditorArguments(parameters, finding.File, finding.JumpLine());
    }
    return jump;
}

std::optional<TEditorJump> EditorJumpForRow(const TVtOption& option, const TResultStore& results,
                                            int row) {
    TFindingRecord finding;
    if (!results.Record(row, finding)) return std::nullopt;
    return EditorJumpFor(option, finding);
}

std::string EditorNotStartedText(const TEditorLaunch& launch) {
    std::string commandLine = platform::NativePath(launch.Program);
    for (const std::string& argument : launch.Arguments)
        commandLine += " " + argument;
    return uitext::Format(uitext::EditorNotStarted, {{"command", commandLine}});
}
