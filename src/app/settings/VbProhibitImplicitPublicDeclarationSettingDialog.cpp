#include "app/settings/VbProhibitImplicitPublicDeclarationSettingDialog.h"

#include <QCheckBox>
#include <QPushButton>

TVbProhibitImplicitPublicDeclarationSetting::TVbProhibitImplicitPublicDeclarationSetting(
    QWidget* owner)
    : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();

    ExceptSubMain = new QCheckBox(Ui(uitext::ExceptSubMain), this);
    ExceptSubMain->setObjectName("ExceptSubMain");
    Place(ExceptSubMain, 20, 16, 257, 13);
    SetTabOrders({Ok, Cancel, Undo, ExceptSubMain});
}

TVbProhibitImplicitPublicDeclarationSetting::~TVbProhibitImplicitPublicDeclarationSetting() =
    default;

void TVbProhibitImplicitPublicDeclarationSetting::SettingsToControls() {
    ExceptSubMain->setChecked(Working().ExceptSubMain);
}

void TVbProhibitImplicitPublicDeclarationSetting::ControlsToSettings() {
    Working().ExceptSubMain = ExceptSubMain->isChecked();
}
