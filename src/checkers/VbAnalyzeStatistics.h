// Comment statistics: total, code, blank and comment lines of each source file.
#pragma once

#include "framework/Vetrin.h"

class TVbAnalyzeStatistics : public TVetrin {
  public:
    std::string_view ClassName() const override { return "TVbAnalyzeStatistics"; }
    void Check(TVtParts& part) override;
    std::uint8_t Category() const override { return catStatistics; }
    bool IsTarget(const TVtParts& part) const override;
    std::string GetCheckerName() const override;
};
