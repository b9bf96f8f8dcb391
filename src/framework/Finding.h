// A finding: what one rule reported on one part. Everything the user sees of a finding (result
// lines, jump records, every output format of vrt, baselines) is composed from this record.
#pragma once

#include "framework/TextCatalog.h"
#include "platform/CodePage.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TFindingRecord {
    // How the rule reported it: ReportAt with a line, ReportAt with -1, or Report.
    enum class TOrigin : std::uint8_t { At, AtNoLine, Report };

    std::string Rule;       // the rule's class name, as the checker project file stores it
    std::string File;       // FileName of the part under check (the file system's bytes)
    std::int32_t Line = -1; // the line number; -1 when the finding has none
    std::string Message;    // the rule's message in the run's language (code page bytes)
    TOrigin Origin = TOrigin::At;
    // The number of lines of the file (at least 1): where a finding without a line ends, for
    // formats that point at the whole file.
    std::int32_t FileLines = 1;
    // The message's key and its fields' values (code page bytes, source text marked) in the
    // order of TextFieldNames; no key for a message given as text.
    std::optional<TText> MessageKey;
    std::vector<std::string> Fields;

    // The message in a language: made again from its key and fields, or the text as given.
    std::string MessageIn(TLanguage language) const {
        if (!MessageKey) return Message;
        std::span<const std::string> names = TextFieldNames(*MessageKey);
        std::vector<TTextField> fields;
        for (std::size_t i = 0; i < names.size() && i < Fields.size(); ++i)
            fields.push_back({names[i], Fields[i]});
        std::string text;
        AppendFilled(text, TextCp932(*MessageKey, language), fields, false);
        return text;
    }
    bool HasLine() const { return Origin == TOrigin::At; }
    // The result line: F(L) : M, or F : M without a line. The file is marked as a path, so
    // that every edge converts it as the file system's name and the message in its own encoding.
    std::string ResultLine() const {
        std::string line;
        line.reserve(File.size() + Message.size() + 20);
        platform::AppendMarkedPath(line, File);
        AppendLineSeparator(line);
        line += Message;
        return line;
    }
    // What stands between the file and the message in the result line: "(L) : " or " : ".
    void AppendLineSeparator(std::string& out) const {
        if (!HasLine()) {
            out += " : ";
            return;
        }
        char digits[16];
        char* end = std::to_chars(digits, digits + sizeof digits, Line).ptr;
        out += '(';
        out.append(digits, end);
        out += ") : ";
    }
    // The line of the jump record: 1 for Report, -1 for ReportAt(-1), else the line.
    std::int32_t JumpLine() const { return Origin == TOrigin::Report ? 1 : Line; }
};
