// vetrin.exe: the desktop application on the Windows API. Options first, then the frame and its
// windows, then the message loop; at the end the windows go and the options are written back.
#include "win32/Application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    return win32::RunApplication(instance, show);
}
