// Settings dialog of the implicit-Public rule: whether Sub Main is exempt.
#pragma once

#include "app/settings/ConfigWindowTemplateUnit.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"

class QCheckBox;

class TVbProhibitImplicitPublicDeclarationSetting : public TConfigWindowTemplete {
    Q_OBJECT
public:
    using TChecker = TVbProhibitImplicitPublicDeclaration;
    explicit TVbProhibitImplicitPublicDeclarationSetting(QWidget* owner);
    ~TVbProhibitImplicitPublicDeclarationSetting() override;

    QCheckBox* ExceptSubMain = nullptr;

    void SettingsToControls() override;
    void ControlsToSettings() override;

private:
    TChecker& Working() const { return static_cast<TChecker&>(*WorkingChecker); }
};
