// Excluded files: hands the list of files that the other rules must leave alone to every part.
#pragma once

#include "checkers/DescribedRule.h"

class TVbNoCheckFile : public TDescribedRule {
public:
    // One entry per excluded file: a file name, or a full path when the entry contains "\".
    TStringList ExceptionFileList;

    void Check(TVtParts& part) override;
    void Settings(TSettingsVisitor& visitor) override;
    bool IgnoresExclusion() const override { return true; }
    bool IsTarget(const TVtParts& part) const override;
};
