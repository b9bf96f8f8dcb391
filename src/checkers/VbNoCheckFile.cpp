#include "checkers/VbNoCheckFile.h"

#include "checkers/CheckerTexts.h"

void TVbNoCheckFile::Check(TVtParts& part) {
    // The part keeps the list; the other rules of this run ask it through IsCheckTarget.
    part.ExcludedFiles = ExceptionFileList;
}

void TVbNoCheckFile::SaveSettings(TVetrinList& writer) const {
    writer.WriteStrings(ExceptionFileList);
}

void TVbNoCheckFile::LoadSettings(TVetrinList& reader) { reader.ReadStrings(ExceptionFileList); }

bool TVbNoCheckFile::IsTarget(const TVtParts&) const { return true; }

void TVbNoCheckFile::AssignSettings(const TVetrin& other) {
    if (auto* o = dynamic_cast<const TVbNoCheckFile*>(&other))
        ExceptionFileList = o->ExceptionFileList;
}
