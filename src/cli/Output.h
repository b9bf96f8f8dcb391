// vrt's standard output: buffered, for text in a code page (UTF-8 unless said otherwise).
#pragma once

#include "platform/Console.h"

#include <cstdio>
#include <string>
#include <string_view>

// Standard output with a large buffer; Close reports whether everything was written.
class TOutput {
public:
    explicit TOutput(std::FILE* stream, unsigned codePage = platform::Utf8CodePage);
    void Write(std::string_view bytes);
    bool Close();

private:
    std::FILE* Stream_;
    unsigned CodePage_;
    std::string Buffer_;
    bool Failed_ = false;
    void Drain();
};
