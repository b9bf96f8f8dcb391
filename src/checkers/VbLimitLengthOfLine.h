// Line length limit: every code line longer than the limit, in bytes of the stored line.
#pragma once

#include "framework/Vetrin.h"

class TVbLimitLengthOfLine : public TVetrin {
  public:
    // The largest allowed line length in bytes; a longer line is reported.
    std::int32_t MaxLength = 80;

    std::string_view ClassName() const override { return "TVbLimitLengthOfLine"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    std::uint8_t Category() const override { return catProhibit; }
    bool IsTarget(const TVtParts& part) const override;
    std::string GetCheckerName() const override;
    bool HasDetail() const override { return true; }
    void ShowDetail(void* owner) override { ShowRegisteredDetail(owner); }
    void AssignSettings(const TVetrin& other) override;
};
