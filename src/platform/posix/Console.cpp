// The command line and standard output on POSIX: bytes in, bytes out.
#include "platform/Console.h"

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void UseBinaryStandardStreams() {}

bool WriteStandardStream(std::FILE* stream, std::string_view text, unsigned) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

} // namespace platform
