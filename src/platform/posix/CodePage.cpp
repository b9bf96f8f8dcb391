// Code page conversions through iconv.
#include "platform/Native.h"

#include <cerrno>
#include <iconv.h>

namespace platform::native {

namespace {

// One conversion through iconv. `replacement` is written for every input sequence iconv
// rejects; the offending input advances by `skip(in, left)` bytes.
template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, Skip skip) {
    std::string out;
    if (input.empty()) return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    out.reserve(input.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* o = buffer;
        std::size_t oLeft = sizeof buffer;
        std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buffer, o - buffer);
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: an invalid or incomplete sequence.
            out.append(replacement);
            std::size_t n = skip(in, inLeft);
            in += n;
            inLeft -= n;
        }
    }
    // Flush what a converter holds back (code pages 1255 and 1258 compose base characters with
    // the marks after them).
    char* o = buffer;
    std::size_t oLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &oLeft);
    out.append(buffer, o - buffer);
    iconv_close(cd);
    return out;
}

// iconv's name of a Windows code page: "CP932", "CP1252", ...
std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

} // namespace

std::string CharToUtf8(const char* bytes, std::size_t length, unsigned codePage) {
    return Convert("UTF-8", IconvName(codePage).c_str(), std::string_view(bytes, length), "",
                   [](const char*, std::size_t left) { return left; });
}

std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage) {
    return Convert(
        IconvName(codePage).c_str(), "UTF-8", utf8, "?", [](const char* in, std::size_t left) {
            // Skip one UTF-8 character (or one stray byte).
            unsigned char c = static_cast<unsigned char>(in[0]);
            std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            for (std::size_t k = 1; k < n; ++k)
                if (k >= left || (static_cast<unsigned char>(in[k]) & 0xC0) != 0x80) return k;
            return n;
        });
}

} // namespace platform::native
