#include "checkers/VbNoCheckFile.h"

#include "checkers/CheckerTexts.h"

void TVbNoCheckFile::Check(TVtParts& part) {
    // The part keeps the list; the other rules of this run ask it through IsCheckTarget.
    part.ExcludedFiles = ExceptionFileList;
}

bool TVbNoCheckFile::IsTarget(const TVtParts&) const { return true; }

void TVbNoCheckFile::Settings(TSettingsVisitor& visitor) {
    visitor.Texts({"ExceptionFileList", "チェックしないファイル"}, ExceptionFileList);
}
