#include "checkers/Checkers.h"

#include "checkers/RuleTable.h"

void AddAllCheckers(TVetrins& checkers) {
    for (const TRuleRow& row : RuleTable())
        checkers.Add(row.Create());
}
