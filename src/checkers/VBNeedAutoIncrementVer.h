// Version auto-increment required: the project's AutoIncrementVer must be on (or, if so set, off).
#pragma once

#include "checkers/RuleTable.h"

class TVBNeedAutoIncrementVer : public TDescribedRule {
public:
    // True: the project must have automatic increment on; false: it must have it off.
    bool Required = true;

    std::string_view ClassName() const override { return "TVBNeedAutoIncrementVer"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    bool IsTarget(const TVtParts& part) const override;
    void AssignSettings(const TVetrin& other) override;
};
