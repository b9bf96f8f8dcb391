// File naming rule: the file name of the project and of each member must match the wildcard
// pattern of its kind of file.
#pragma once

#include "checkers/DescribedRule.h"

class TVbFileNamingRule : public TDescribedRule {
public:
    // Rows of the naming table.
    enum : int {
        rowAll = 0,
        rowProject = 1,
        rowForm = 2,
        rowModule = 3,
        rowClass = 4,
        rowUserControl = 5,
        rowPropertyPage = 6,
        rowOther = 7,
        RowCount = 8,
    };

    TVbFileNamingRule();

    // Eight rows: Names are the kind labels, Values the patterns (empty: no pattern of its own).
    TStringPairList NamingRules;

    void Check(TVtParts& part) override;
    void Settings(TSettingsVisitor& visitor) override;
    bool IsTarget(const TVtParts& part) const override;

private:
    std::string PatternOf(int row) const;
};
