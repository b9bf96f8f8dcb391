// Unused local variables: a name declared with Dim in a procedure and never mentioned again.
#pragma once

#include "framework/Vetrin.h"

class TVBUnusedLocalVariables : public TVetrin {
  public:
    std::string_view ClassName() const override { return "TVBUnusedLocalVariables"; }
    void Check(TVtParts& part) override;
    std::uint8_t Category() const override { return catUnused; }
    bool IsTarget(const TVtParts& part) const override;
    std::string GetCheckerName() const override;
};
