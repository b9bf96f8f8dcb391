// Line length limit: every code line longer than the limit, in bytes of the stored line.
#pragma once

#include "checkers/RuleTable.h"

class TVbLimitLengthOfLine : public TDescribedRule {
public:
    // The largest allowed line length in bytes; a longer line is reported.
    std::int32_t MaxLength = 80;

    std::string_view ClassName() const override { return "TVbLimitLengthOfLine"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    bool IsTarget(const TVtParts& part) const override;
    void AssignSettings(const TVetrin& other) override;
};
