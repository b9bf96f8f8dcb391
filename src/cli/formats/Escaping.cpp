#include "cli/formats/Escaping.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const char Hex[] = "0123456789ABCDEF";

constexpr std::uint64_t EachByte(unsigned char c) { return 0x0101010101010101ull * c; }

// Whether any of eight bytes needs a look of its own: a control character (below 0x20, or DEL),
// or in UTF-8 the 0xC2 that may start a C1 control character.
bool MayNeedEscape(std::uint64_t bytes, bool utf8) {
    constexpr std::uint64_t high = EachByte(0x80);
    const auto anyZero = [](std::uint64_t x) { return (x - EachByte(1)) & ~x & high; };
    const std::uint64_t below = (bytes - EachByte(0x20)) & ~bytes & high;
    return below || anyZero(bytes ^ EachByte(0x7F)) || (utf8 && anyZero(bytes ^ EachByte(0xC2)));
}

} // namespace

void AppendLineSafe(std::string& out, std::string_view text, bool utf8) {
    std::size_t plain = 0; // start of the stretch not yet copied
    std::size_t i = 0;
    while (i < text.size()) {
        // Eight bytes at a time past the text that needs nothing.
        if (text.size() >= 8) {
            // The last stretch is read as the last eight bytes, overlapping those before.
            const std::size_t at = std::min(i, text.size() - 8);
            std::uint64_t bytes;
            std::memcpy(&bytes, text.data() + at, sizeof bytes);
            if (!MayNeedEscape(bytes, utf8)) {
                i = at + 8;
                continue;
            }
        }
        for (const std::size_t end = std::min(text.size(), i + 8); i < end; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            const bool c0 = c < 0x20 || c == 0x7F;
            const bool c1 = utf8 && c == 0xC2 && i + 1 < text.size() &&
                            static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                            static_cast<unsigned char>(text[i + 1]) <= 0x9F;
            if (!c0 && !c1) continue;
            out.append(text.substr(plain, i - plain));
            if (c0) {
                out += "\\x";
                out += Hex[c >> 4];
                out += Hex[c & 15];
            } else {
                const auto code = static_cast<unsigned char>(text[++i]);
                out += "\\u00";
                out += Hex[code >> 4];
                out += Hex[code & 15];
            }
            plain = i + 1;
        }
    }
    out.append(text.substr(plain));
}

std::string LineSafe(std::string_view text, bool utf8) {
    std::string out;
    out.reserve(text.size());
    AppendLineSafe(out, text, utf8);
    return out;
}

std::string EscapeWorkflowData(std::string_view text, bool property) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '%':
            out += "%25";
            break;
        case '\r':
            out += "%0D";
            break;
        case '\n':
            out += "%0A";
            break;
        case ':':
            out += property ? "%3A" : ":";
            break;
        case ',':
            out += property ? "%2C" : ",";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string EscapeAzureData(std::string_view text, bool property) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '%':
            out += "%AZP25";
            break;
        case '\r':
            out += "%0D";
            break;
        case '\n':
            out += "%0A";
            break;
        case ';':
            out += property ? "%3B" : ";";
            break;
        case ']':
            out += property ? "%5D" : "]";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void AppendXml(std::string& out, std::string_view utf8, bool attribute) {
    for (char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += attribute ? "&quot;" : "\"";
            break;
        case '\'':
            out += attribute ? "&apos;" : "'";
            break;
        case '\t':
            out += attribute ? "&#9;" : "\t";
            break;
        case '\n':
            out += attribute ? "&#10;" : "\n";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += "\xEF\xBF\xBD"; // U+FFFD
            else
                out += c;
        }
    }
}

std::string Xml(std::string_view utf8, bool attribute) {
    std::string out;
    out.reserve(utf8.size());
    AppendXml(out, utf8, attribute);
    return out;
}

void AppendDumpEscaped(std::string& out, std::string_view utf8) {
    for (char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
}
