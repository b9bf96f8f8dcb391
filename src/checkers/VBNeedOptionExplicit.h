// Option Explicit required: every source file must hold the statement "Option Explicit".
#pragma once

#include "framework/Vetrin.h"

class TVBNeedOptionExplicit : public TVetrin {
  public:
    std::string_view ClassName() const override { return "TVBNeedOptionExplicit"; }
    void Check(TVtParts& part) override;
    std::uint8_t Category() const override { return catOther; }
    bool IsTarget(const TVtParts& part) const override;
    std::string GetCheckerName() const override;
};
