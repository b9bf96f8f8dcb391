// Option Explicit required: every source file must hold the statement "Option Explicit".
#pragma once

#include "checkers/MemberWalk.h"

class TVBNeedOptionExplicit : public TMemberLineRule {
public:
    void BeginWalk(const TVbSource& source) override;
    void WalkLines(const TVbSource& source, std::span<const TWalkLine> lines) override;

protected:
    void EndWalk(TVbSource& source) override;

private:
    const TVbToken* Before_ = nullptr; // the last token walked
    bool Found_ = false;
};
