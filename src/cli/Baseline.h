// A baseline: the findings a project had when it was recorded, so that a check reports only the
// findings that are new since. A finding is known by its project (its path relative to the
// baseline file's folder), rule, file (relative to the project's folder), message, and its
// occurrence number among the findings with the same rule, file and message, never by its line:
// the message is its key and fields, compared through its Japanese text whatever the run's
// language, which is also what files of versions 1 and 2 keep (entries written now carry the key
// and the fields beside it);
// lines inserted above an old finding leave it old, and one more finding with an old message
// in the same file is new. In both paths letter case and the kind of slash do not count.
// Files of version 1 named the project by its file name only; they still match a project whose
// file name no other project of the run shares.
#pragma once

#include "framework/Finding.h"
#include "platform/CodePage.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

class TBaseline {
public:
    // A baseline kept in the file (engine path), whose folder the projects are relative to.
    // Messages are kept in UTF-8: the names in them are text of `source`, the run's code page.
    TBaseline(const std::string& fileName, const platform::TCodePage& source);
    // Reads the file. A missing or malformed file raises EGeneralError.
    void Load();
    // Writes the recorded findings as JSON sorted by project, file, rule, message and occurrence,
    // one finding per line; written whole or not at all. Raises EFCreateError.
    void Save() const;
    const std::string& FileName() const { return FileName_; }
    // The projects of the run (engine paths), before the first Match: a version 1 entry is
    // matched only by a project whose file name is unique among them.
    void SetRunProjects(const std::vector<std::string>& projectFiles);
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
    // project, file, rule, message: UTF-8; project and file in their compared form.
    using TKey = std::tuple<std::string, std::string, std::string, std::string>;
    struct TEntry {
        std::string Project, File; // as first recorded, for writing
        // The message's key and its fields by name (UTF-8); none for a message kept as text.
        std::string MessageId;
        std::vector<std::pair<std::string, std::string>> Fields;
        std::int64_t Count = 0;
        std::int64_t Seen = 0;
    };
    static TKey MakeKey(const std::string& project, const std::string& file,
                        const std::string& rule, const std::string& message);
    // The compared message of a finding: its Japanese text in UTF-8.
    std::string ComparedMessage(const TFindingRecord& finding) const;
    // The project (relative to the baseline's folder) and the file (relative to the project's
    // folder) of a finding, in UTF-8 as written to the file, and for a version 1 file the
    // project's file name where it may stand for the project (else empty). Findings come file
    // by file, so the last answer is kept.
    struct TPlace {
        std::string Project, File, LegacyProject;
    };
    const TPlace& Place(const std::string& projectFile, const TFindingRecord& finding);
    std::string FileName_, Folder_;
    const platform::TCodePage& Source_;
    int Version_ = 2;
    std::set<std::string> SharedNames_; // compared file names that two projects of the run share
    std::string PlacedProject_, PlacedFile_;
    TPlace Placed_;
    std::map<TKey, TEntry> Entries_;
    std::set<std::string> Projects_; // compared form of the projects matched against
};
