// Unused arguments: an argument that its procedure's body never mentions.
#pragma once

#include "framework/Vetrin.h"

class TVBUnusedArguments : public TVetrin {
  public:
    // Argument names never reported (compared without regard to letter case).
    TStringList ExceptionList;
    // Stored, loaded and copied with the list; procedures whose name holds "_" (event
    // procedures) are skipped whatever its value.
    bool ExceptEventProcedure = false;

    std::string_view ClassName() const override { return "TVBUnusedArguments"; }
    void Check(TVtParts& part) override;
    void SaveSettings(TVetrinList& writer) const override;
    void LoadSettings(TVetrinList& reader) override;
    std::uint8_t Category() const override { return catUnused; }
    bool IsTarget(const TVtParts& part) const override;
    std::string GetCheckerName() const override;
    bool HasDetail() const override { return true; }
    void ShowDetail(void* owner) override { ShowRegisteredDetail(owner); }
    void AssignSettings(const TVetrin& other) override;

  private:
    bool IsExcepted(std::string_view name) const;
};
