#include "cli/Columns.h"

#include "platform/CodePage.h"

std::size_t DisplayWidth(const std::string& utf8) { return platform::Utf8ToCp932(utf8).size(); }

std::string PadRight(const std::string& utf8, std::size_t width) {
    std::size_t shown = DisplayWidth(utf8);
    return utf8 + std::string(width > shown ? width - shown : 0, ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}
