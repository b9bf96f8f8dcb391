#include "checkers/Checkers.h"

#include "checkers/VBNeedAutoIncrementVer.h"
#include "checkers/VBNeedOptionExplicit.h"
#include "checkers/VBUnusedArguments.h"
#include "checkers/VBUnusedLocalVariables.h"
#include "checkers/VbAnalyzeStatistics.h"
#include "checkers/VbFileNamingRule.h"
#include "checkers/VbLimitLengthOfLine.h"
#include "checkers/VbNoCheckFile.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"

#include <memory>

void AddAllCheckers(TVetrins& checkers) {
    // This order is the order of the run passes, of the rows within a tab and of the sections
    // of the checker project file.
    checkers.Add(std::make_unique<TVbNoCheckFile>());
    checkers.Add(std::make_unique<TVBUnusedLocalVariables>());
    checkers.Add(std::make_unique<TVBUnusedArguments>());
    checkers.Add(std::make_unique<TVBNeedOptionExplicit>());
    checkers.Add(std::make_unique<TVBNeedAutoIncrementVer>());
    checkers.Add(std::make_unique<TVbAnalyzeStatistics>());
    checkers.Add(std::make_unique<TVbFileNamingRule>());
    checkers.Add(std::make_unique<TVbProhibitImplicitPublicDeclaration>());
    checkers.Add(std::make_unique<TVbLimitLengthOfLine>());
}
