#include "platform/CodePage.h"

#include "platform/Native.h"

#include <atomic>
#include <cstdint>

namespace platform {

std::size_t FindFirstOf(std::string_view s, std::string_view chars, std::size_t from) {
    // Walk from the start so that `from` inside a double-byte character cannot mislead us.
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = CharLength(s, i);
        if (i >= from && n == 1 && chars.find(s[i]) != std::string_view::npos) return i;
        i += n;
    }
    return std::string_view::npos;
}

std::size_t FindLastOf(std::string_view s, std::string_view chars) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = CharLength(s, i);
        if (n == 1 && chars.find(s[i]) != std::string_view::npos) found = i;
        i += n;
    }
    return found;
}

std::size_t Find(std::string_view s, std::string_view what, std::size_t from) {
    if (what.empty()) return from <= s.size() ? from : std::string_view::npos;
    for (std::size_t i = 0; i < s.size();) {
        if (i >= from && s.substr(i, what.size()) == what) return i;
        i += CharLength(s, i);
    }
    return std::string_view::npos;
}

std::string FileNamePart(std::string_view path) {
    std::size_t p = FindLastOf(path, "/\\:");
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(static_cast<unsigned char>(a[i])) !=
            AsciiUpper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {

// The code page of engine text.
constexpr unsigned EngineCodePage = 932;

// The UTF-8 form of one code page 932 character (one byte, or a lead and a trail byte), worked
// out by the system's converter the first time the character is met and remembered: bytes 0..2
// hold the UTF-8 bytes, byte 3 their count (4 for a character the converter rejects). 0 means
// not yet known.
std::atomic<std::uint32_t>& Cp932Entry(unsigned code) {
    static std::atomic<std::uint32_t> table[65536];
    return table[code];
}

std::uint32_t Cp932Char(const char* bytes, std::size_t length) {
    unsigned code = length == 2 ? (static_cast<unsigned char>(bytes[0]) << 8) |
                                      static_cast<unsigned char>(bytes[1])
                                : static_cast<unsigned char>(bytes[0]);
    std::atomic<std::uint32_t>& entry = Cp932Entry(code);
    std::uint32_t known = entry.load(std::memory_order_relaxed);
    if (known) return known;
    std::string utf8 = native::CharToUtf8(bytes, length, EngineCodePage);
    std::uint32_t value = 4u << 24;
    if (!utf8.empty() && utf8.size() <= 3) {
        value = static_cast<std::uint32_t>(utf8.size()) << 24;
        for (std::size_t k = 0; k < utf8.size(); ++k)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(utf8[k])) << (8 * k);
    }
    entry.store(value, std::memory_order_relaxed);
    return value;
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    std::size_t i = 0;
    while (i < cp932.size()) {
        // ASCII runs are the same in both encodings.
        std::size_t run = i;
        while (run < cp932.size() && static_cast<unsigned char>(cp932[run]) < 0x80)
            ++run;
        out.append(cp932, i, run - i);
        i = run;
        if (i >= cp932.size()) break;
        std::size_t n = CharLength(cp932, i);
        std::uint32_t value = Cp932Char(cp932.data() + i, n);
        std::uint32_t count = value >> 24;
        if (count == 4) {
            out.append("\xEF\xBF\xBD"); // a byte or pair that is no character: U+FFFD
            // A pair whose second byte is ASCII gives that character back: only the first byte
            // is lost, as a standard decoder reads it.
            if (n == 2 && static_cast<unsigned char>(cp932[i + 1]) < 0x80) n = 1;
        } else {
            for (std::uint32_t k = 0; k < count; ++k)
                out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
        }
        i += n;
    }
    return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
    return native::Utf8ToCodePage(utf8, EngineCodePage);
}

} // namespace platform
