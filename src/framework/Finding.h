// A finding: what one rule reported on one part. Everything the user sees of a finding (result
// lines, jump records, every output format of vrt, baselines) is composed from this record.
#pragma once

#include "platform/CodePage.h"

#include <cstdint>
#include <string>

struct TFindingRecord {
    // How the rule reported it: ReportAt with a line, ReportAt with -1, or Report.
    enum class TOrigin : std::uint8_t { At, AtNoLine, Report };

    std::string Rule;       // the rule's class name, as the checker project file stores it
    std::string File;       // FileName of the part under check (the file system's bytes)
    std::int32_t Line = -1; // the line number; -1 when the finding has none
    std::string Message;    // the rule's message (code page bytes)
    TOrigin Origin = TOrigin::At;

    bool HasLine() const { return Origin == TOrigin::At; }
    // The result line: F(L) : M, or F : M without a line. The file is marked as a path, so
    // that every edge converts it as the file system's name and the message in its own encoding.
    std::string ResultLine() const {
        const std::string file = platform::MarkPath(File);
        return HasLine() ? file + "(" + std::to_string(Line) + ") : " + Message
                         : file + " : " + Message;
    }
    // The line of the jump record: 1 for Report, -1 for ReportAt(-1), else the line.
    std::int32_t JumpLine() const { return Origin == TOrigin::Report ? 1 : Line; }
};
