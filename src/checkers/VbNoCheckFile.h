// Excluded files: hands the list of files that the other rules must leave alone to every part.
#pragma once

#include "checkers/RuleTable.h"

class TVbNoCheckFile : public TDescribedRule {
public:
    // One entry per excluded file: a file name, or a full path when the entry contains "\".
    TStringList ExceptionFileList;

    std::string_view ClassName() const override { return "TVbNoCheckFile"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    bool IgnoresExclusion() const override { return true; }
    bool IsTarget(const TVtParts& part) const override;
    void AssignSettings(const TVetrin& other) override;
};
