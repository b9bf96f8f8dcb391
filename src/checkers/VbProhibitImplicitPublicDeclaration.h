// Implicit Public declaration prohibited: a procedure whose declaration line names no scope.
#pragma once

#include "framework/Vetrin.h"

class TVbProhibitImplicitPublicDeclaration : public TVetrin {
  public:
    // When true, a procedure named exactly "Main" (the start-up procedure) is never reported.
    bool ExceptSubMain = true;

    std::string_view ClassName() const override { return "TVbProhibitImplicitPublicDeclaration"; }
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
