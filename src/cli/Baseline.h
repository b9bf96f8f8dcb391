// A baseline: the findings a project had when it was recorded, so that a check reports only the
// findings that are new since. A finding is known by its project, rule, file (relative to the
// project's folder; letter case and the kind of slash do not count), message, and its
// occurrence number among the findings with the same rule, file and message, never by its line:
// lines inserted above an old finding leave it old, and one more finding with an old message
// in the same file is new.
#pragma once

#include "framework/Finding.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>

class TBaseline {
public:
    // Messages are kept in UTF-8: the names in them are text of `source`, the run's code page.
    explicit TBaseline(const platform::TCodePage& source) : Source_(source) {}

    // Reads a baseline file (engine path). A missing or malformed file raises EGeneralError.
    void LoadFromFile(const std::string& fileName);
    // Writes the recorded findings as JSON sorted by project, file, rule, message and occurrence,
    // one finding per line; written whole or not at all. Raises EFCreateError.
    void SaveToFile(const std::string& fileName) const;
    // The text SaveToFile writes.
    std::string ToJson() const;

    // Records a finding of the project (engine path as checked).
    void Add(const std::string& projectFile, const TFindingRecord& finding);
    // Answers whether the finding is in the baseline, counting it as one more occurrence of its
    // kind in this run; every finding of a run passes here once, in run order.
    bool Match(const std::string& projectFile, const TFindingRecord& finding);
    // Entries of the projects matched against that no finding of the run took.
    std::int64_t FixedCount() const;
    std::int64_t Count() const;

private:
    // project name, file, rule, message: UTF-8; project and file in their compared form.
    using TKey = std::tuple<std::string, std::string, std::string, std::string>;
    struct TEntry {
        std::string Project, File; // as first recorded, for writing
        std::int64_t Count = 0;
        std::int64_t Seen = 0;
    };
    static TKey MakeKey(const std::string& project, const std::string& file,
                        const std::string& rule, const std::string& message);
    // Project name and relative file of a finding, in UTF-8 as written to the file. Findings
    // come file by file, so the last answer is kept.
    const std::pair<std::string, std::string>& Place(const std::string& projectFile,
                                                     const TFindingRecord& finding);
    const platform::TCodePage& Source_;
    std::string PlacedProject_, PlacedFile_;
    std::pair<std::string, std::string> Placed_;
    std::map<TKey, TEntry> Entries_;
    std::set<std::string> Projects_; // compared form of the projects matched against
};
