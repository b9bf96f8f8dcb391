// Version auto-increment required: the project's AutoIncrementVer must be on (or, if so set, off).
#pragma once

#include "framework/Vetrin.h"

class TVBNeedAutoIncrementVer : public TVetrin {
  public:
    // True: the project must have automatic increment on; false: it must have it off.
    bool Required = true;

    std::string_view ClassName() const override { return "TVBNeedAutoIncrementVer"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    std::uint8_t Category() const override { return catOther; }
    bool IsTarget(const TVtParts& part) const override;
    std::string GetCheckerName() const override;
    bool HasDetail() const override { return true; }
    void ShowDetail(void* owner) override { ShowRegisteredDetail(owner); }
    void AssignSettings(const TVetrin& other) override;
};
