#include "platform/Files.h"

#include "platform/CodePage.h"

namespace platform {

// Paths are the file system's form on every system (UTF-8 on Windows, the file system's bytes on
// POSIX), so a path written in a code page is converted through UTF-8.
std::string PathFromSourceText(std::string_view sourceText, const TCodePage& source) {
    return IsAscii(sourceText) ? std::string(sourceText) : source.ToUtf8(sourceText);
}

std::string PathFromSystemText(std::string_view systemText) {
    return IsAscii(systemText) ? std::string(systemText) : Cp932ToUtf8(systemText);
}

std::string PathToSystemText(std::string_view path) {
    return IsAscii(path) ? std::string(path) : Utf8ToCp932(PathToUtf8(path));
}

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

std::string RelativePath(std::string_view folder, std::string_view path) {
    // Both are made absolute, then compared component by component ("/" and "\\" alike; a
    // Windows drive or server is the first component).
    auto split = [](const std::string& p) {
        std::vector<std::string> parts;
        std::string current;
        // File-system bytes: no byte of a non-ASCII character equals a separator.
        for (char c : p) {
            if (c == '/' || c == '\\') {
                if (!current.empty()) parts.push_back(std::move(current));
                current.clear();
            } else {
                current += c;
            }
        }
        if (!current.empty()) parts.push_back(std::move(current));
        return parts;
    };
    std::vector<std::string> from = split(AbsolutePath(folder)), to = split(AbsolutePath(path));
    std::size_t common = 0;
    while (common < from.size() && common < to.size() && from[common] == to[common])
        ++common;
    std::string result;
    for (std::size_t i = common; i < from.size(); ++i)
        result += result.empty() ? ".." : "/..";
    for (std::size_t i = common; i < to.size(); ++i) {
        if (!result.empty()) result += '/';
        result += to[i];
    }
    return result.empty() ? "." : result;
}

} // namespace platform
