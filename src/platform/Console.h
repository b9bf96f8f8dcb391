// The command line and the standard output streams of a console program.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The code page number of UTF-8.
constexpr unsigned Utf8CodePage = 65001;

// The command-line arguments, the program first, in UTF-8. On Windows they are taken from the
// wide command line, so that a file name outside the system's ANSI code page arrives whole; on
// POSIX they are argv as given.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output and standard error while the object lives: bytes are written exactly as given
// (no line-end translation), and a Windows console shows them as text in the code page chosen,
// UTF-8 unless UseCodePage says otherwise; the console gets its own code page back at the end.
// Nothing to do on POSIX, where the terminal decides.
class TConsoleOutput {
public:
    TConsoleOutput();
    ~TConsoleOutput();
    TConsoleOutput(const TConsoleOutput&) = delete;
    TConsoleOutput& operator=(const TConsoleOutput&) = delete;

    void UseCodePage(unsigned codePage);
};

} // namespace platform
