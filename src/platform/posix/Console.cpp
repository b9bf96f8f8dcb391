// The command line and standard output on POSIX: bytes in, bytes out.
#include "platform/Console.h"

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

TConsoleOutput::TConsoleOutput() = default;
TConsoleOutput::~TConsoleOutput() = default;
void TConsoleOutput::UseCodePage(unsigned) {}

} // namespace platform
