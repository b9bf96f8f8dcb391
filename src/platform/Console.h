// The command line and the standard output streams of a console program.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The code page number of UTF-8.
constexpr unsigned Utf8CodePage = 65001;

// The command-line arguments, the program first, in UTF-8. On Windows they are taken from the
// wide command line, so that a file name outside the system's ANSI code page arrives whole; on
// POSIX they are argv as given.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Makes standard output and standard error carry bytes exactly as written (no line-end
// translation on Windows). Call once, before anything is written.
void UseBinaryStandardStreams();

// Writes text in a code page (UTF-8 unless said otherwise) to standard output or standard error.
// A Windows console is given the characters themselves, whatever its own code page; anywhere else
// (a pipe, a file, a POSIX terminal) the bytes go out unchanged. False when the write failed.
bool WriteStandardStream(std::FILE* stream, std::string_view text,
                         unsigned codePage = Utf8CodePage);

} // namespace platform
