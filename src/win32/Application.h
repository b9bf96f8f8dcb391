// The program's run: options, the frame and its windows in their order, the command line
// (a project and a rules file), the message loop, and the options written back at the end.
#pragma once

#include <windows.h>

namespace win32 {

int RunApplication(HINSTANCE instance, int show);

} // namespace win32
