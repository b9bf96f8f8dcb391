// vrt's output: standard output, buffered, or a file written whole at the end; text in a code
// page (UTF-8 unless said otherwise).
#pragma once

#include "platform/Console.h"

#include <cstdio>
#include <string>
#include <string_view>

// Close reports whether everything was written.
class TOutput {
public:
    // Standard output (or another stream) with a large buffer.
    explicit TOutput(std::FILE* stream, unsigned codePage = platform::Utf8CodePage);
    // A file (engine path; empty: standard output), written by Close through a temporary file
    // renamed into place, so that it is never seen half-written and a failed write leaves what
    // was there.
    static TOutput To(const std::string& file, unsigned codePage = platform::Utf8CodePage);
    void Write(std::string_view bytes);
    bool Close();

private:
    std::FILE* Stream_;
    std::string File_; // the file to write at Close; empty: the stream
    unsigned CodePage_;
    std::string Buffer_;
    bool Failed_ = false;
    void Drain();
};
