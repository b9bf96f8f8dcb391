// Starting the editor on the Windows API: CreateProcessW with a command line whose arguments are
// quoted by the rules of the Windows command line, so that the program's C run-time splits it
// back into exactly the arguments given (a path with blanks, quotes or Japanese stays one).
#pragma once

#include "presenters/EditorLaunch.h"

#include <string>
#include <vector>

namespace win32 {

// One argument as the command line writes it: as it is when it needs no quotes, else in double
// quotes with each quote escaped and the backslashes before a quote (or the closing one) doubled.
std::wstring QuotedArgument(const std::wstring& argument);
// The program, then each argument, separated by blanks.
std::wstring CommandLineOf(const std::wstring& program, const std::vector<std::wstring>& arguments);

class TWin32ProgramStarter : public TProgramStarter {
public:
    bool StartDetached(const TEditorLaunch& launch) override;
};

} // namespace win32
