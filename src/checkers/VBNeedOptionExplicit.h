// Option Explicit required: every source file must hold the statement "Option Explicit".
#pragma once

#include "checkers/MemberWalk.h"

class TVBNeedOptionExplicit : public TWalkedRule {
public:
    bool IsTarget(const TVtParts& part) const override;
    unsigned Needs() const override { return wnLines; }
    void BeginWalk(const TVbSource& source) override;
    void WalkLine(const TVbSource& source, const TWalkLine& line) override;

protected:
    void EndWalk(TVbSource& source) override;

private:
    const TVbToken* Before_ = nullptr; // the last token walked
    bool Found_ = false;
};
