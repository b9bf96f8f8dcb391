#include "win32/ProgramStarter.h"

#include "platform/Files.h"
#include "win32/Utf16.h"

#include <windows.h>

namespace win32 {

std::wstring QuotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count literally unless a quote follows them: then they are doubled, and
        // the quote is escaped.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L'"';
}

std::wstring CommandLineOf(const std::wstring& program,
                           const std::vector<std::wstring>& arguments) {
    // The program's own name ends at the first quote or blank, with no escapes: it is quoted
    // whole, and a name cannot contain a quote.
    std::wstring line = L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments)
        line += L" " + QuotedArgument(argument);
    return line;
}

bool TWin32ProgramStarter::StartDetached(const TEditorLaunch& launch) {
    if (launch.Program.empty()) return false;
    std::wstring program = Wide(platform::NativePath(launch.Program));
    std::vector<std::wstring> arguments;
    for (const std::string& argument : launch.Arguments)
        arguments.push_back(Wide(argument));
    std::wstring commandLine = CommandLineOf(program, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // No program name apart from the command line: a bare name is looked for as the system
    // looks for commands (the program's folder, the system folders, PATH).
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace win32
