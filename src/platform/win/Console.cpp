// The command line and standard output on Windows: wide arguments, binary streams, and text for
// a console written as wide characters.
#include "platform/Console.h"
#include "platform/win/WideText.h"

#include <algorithm>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

namespace platform {

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

void UseBinaryStandardStreams() {
    // The engine writes "\n" and code page bytes; the C run-time must not rewrite them.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool WriteStandardStream(std::FILE* stream, std::string_view text, unsigned codePage) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    // A console: the bytes would be read in the console's own code page (and the C run-time
    // hands an unbuffered stream over byte by byte, which splits every multi-byte character),
    // so the characters go in as UTF-16, after whatever the stream still holds.
    std::fflush(stream);
    std::wstring wide = win::ToWide(text, codePage);
    std::size_t done = 0;
    while (done < wide.size()) {
        // Pieces of at most 8192 characters, never between the halves of a surrogate pair.
        std::size_t n = std::min<std::size_t>(wide.size() - done, 8192);
        if (done + n < wide.size() && IS_HIGH_SURROGATE(wide[done + n - 1])) --n;
        DWORD written = 0;
        if (!WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(n), &written, nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace platform
