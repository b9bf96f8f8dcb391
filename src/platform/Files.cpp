#include "platform/Files.h"

namespace platform {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

bool ReadFileLines(std::string_view path, std::vector<std::string>& lines) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    lines = SplitLines(bytes);
    return true;
}

} // namespace platform
