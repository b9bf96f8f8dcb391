#include "checkers/VBNeedAutoIncrementVer.h"

#include "vbsource/VbSource.h"

void TVBNeedAutoIncrementVer::Check(TVtParts& part) {
    const TSourceList& lines = part.LogicalLines;
    int index = lines.IndexOfName("AutoIncrementVer");
    // A project without the line has no setting to judge.
    if (index < 0) return;
    std::string_view value = lines.ValueAt(index);
    if (value == "0" && Required)
        ReportAt(TText::AutoIncrementOff, {}, lines.LineNumber(index));
    else if (value == "1" && !Required)
        ReportAt(TText::AutoIncrementOn, {}, lines.LineNumber(index));
}

bool TVBNeedAutoIncrementVer::IsTarget(const TVtParts& part) const {
    return dynamic_cast<const TVbProjectSource*>(&part) != nullptr;
}

void TVBNeedAutoIncrementVer::Settings(TSettingsVisitor& visitor) {
    visitor.Flag({"Required", "自動インクリメントが有効であること"}, Required);
}
