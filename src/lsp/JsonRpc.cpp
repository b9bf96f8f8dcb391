#include "lsp/JsonRpc.h"

#include <charconv>
#include <cstdint>

namespace {

constexpr std::string_view LengthField = "Content-Length:";
// A message larger than this is refused rather than allocated: no editor sends one.
constexpr std::uint64_t MaxBody = std::uint64_t{1} << 30;

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(text[i]) != lower(prefix[i])) return false;
    }
    return true;
}

// "Name: value", the name made of letters, digits and "-".
bool IsHeaderLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() &&
           ((line[i] >= 'A' && line[i] <= 'Z') || (line[i] >= 'a' && line[i] <= 'z') ||
            (line[i] >= '0' && line[i] <= '9') || line[i] == '-'))
        ++i;
    return i > 0 && i < line.size() && line[i] == ':';
}

} // namespace

std::optional<std::string> TMessageReader::ReadLine() {
    if (!Pending_.empty()) {
        std::string line = std::move(Pending_);
        Pending_.clear();
        return line;
    }
    std::string line;
    int c;
    while ((c = std::fgetc(Stream_)) != EOF) {
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (c == EOF && line.empty()) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::optional<TMessageReader::TMessage> TMessageReader::Next() {
    std::optional<std::uint64_t> length;
    std::string error;
    bool anyLine = false;
    for (;;) {
        std::optional<std::string> line = ReadLine();
        if (!line) return std::nullopt;
        if (line->empty()) {
            if (!anyLine) continue; // blank lines between messages
            break;
        }
        anyLine = true;
        if (StartsWithIgnoringCase(*line, LengthField)) {
            std::string_view value = std::string_view(*line).substr(LengthField.size());
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
                value.remove_prefix(1);
            std::uint64_t n = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
            if (ec != std::errc() || end != value.data() + value.size() || n > MaxBody) {
                error = "invalid Content-Length: " + std::string(value);
                length.reset();
            } else {
                length = n;
            }
            continue;
        }
        if (!IsHeaderLine(*line)) {
            // No header line: what is left of a body that could not be framed. A header that
            // follows it on the same line starts the next block.
            const std::size_t at = line->find(LengthField);
            if (at != std::string::npos) {
                Pending_ = line->substr(at);
                anyLine = false;
            }
            if (error.empty()) error = "a line that is no header: the message is skipped";
        }
    }
    if (!length) {
        if (error.empty()) error = "a header without Content-Length";
        return TMessage{std::string(), error};
    }
    std::string body(static_cast<std::size_t>(*length), '\0');
    if (*length > 0 && std::fread(body.data(), 1, body.size(), Stream_) != body.size())
        return std::nullopt;
    return TMessage{std::move(body), std::string()};
}

bool WriteMessage(std::FILE* stream, const std::string& json) {
    const std::string header = "Content-Length: " + std::to_string(json.size()) + "\r\n\r\n";
    return std::fwrite(header.data(), 1, header.size(), stream) == header.size() &&
           std::fwrite(json.data(), 1, json.size(), stream) == json.size() &&
           std::fflush(stream) == 0;
}
