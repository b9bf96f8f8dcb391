// The command line and standard output on Windows: wide arguments, binary streams, and the
// console's output code page set for the run and given back at its end.
#include "platform/Console.h"
#include "platform/win/WideText.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

namespace platform {

namespace {

// The console's own output code page, 0 when the process has no console or it is given back.
// Read by the Ctrl+C handler, which runs on a thread of its own.
std::atomic<unsigned> SavedCodePage{0};

void RestoreCodePage() {
    unsigned saved = SavedCodePage.exchange(0);
    if (saved) SetConsoleOutputCP(saved);
}

// Ctrl+C, Ctrl+Break or a closed console window end the process without running destructors:
// give the console its code page back first, then let the default handler end the process.
BOOL WINAPI OnConsoleControl(DWORD) {
    RestoreCodePage();
    return FALSE;
}

} // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(win::FromWide(wide[i], win::Utf8CodePage));
    LocalFree(wide);
    return arguments;
}

TConsoleOutput::TConsoleOutput() {
    // The engine writes "\n" and code page bytes; the C run-time must not rewrite them.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    unsigned current = GetConsoleOutputCP();
    if (current == 0) return;
    SavedCodePage = current;
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    SetConsoleOutputCP(Utf8CodePage);
}

TConsoleOutput::~TConsoleOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    RestoreCodePage();
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

void TConsoleOutput::UseCodePage(unsigned codePage) {
    if (SavedCodePage == 0) return;
    std::fflush(stdout);
    std::fflush(stderr);
    SetConsoleOutputCP(codePage);
}

} // namespace platform
