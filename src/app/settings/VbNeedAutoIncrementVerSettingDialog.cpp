#include "app/settings/VbNeedAutoIncrementVerSettingDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TVbNeedAutoIncrementVerSetting::TVbNeedAutoIncrementVerSetting(QWidget* owner)
    : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();

    // The three controls read as one sentence: 自動インクリメントが 有効/無効 であること.
    IsRequired = new QComboBox(this);
    IsRequired->setObjectName("IsRequired");
    IsRequired->setEditable(false);
    IsRequired->addItem(Ui(uitext::AutoIncrementOn));
    IsRequired->addItem(Ui(uitext::AutoIncrementOff));
    Label1 = new QLabel(Ui(uitext::AutoIncrementLabel), this);
    Label1->setObjectName("Label1");
    Label1->setBuddy(IsRequired);
    Label2 = new QLabel(Ui(uitext::AutoIncrementTail), this);
    Label2->setObjectName("Label2");
    Label2->setBuddy(IsRequired);
    Place(Label1, 32, 20, 116, 12, true);
    Place(IsRequired, 148, 16, 57, 20);
    Place(Label2, 208, 20, 51, 12);
    SetTabOrders({Ok, Cancel, Undo, IsRequired});
}

TVbNeedAutoIncrementVerSetting::~TVbNeedAutoIncrementVerSetting() = default;

void TVbNeedAutoIncrementVerSetting::SettingsToControls() {
    IsRequired->setCurrentIndex(Working().Required ? 0 : 1);
}

void TVbNeedAutoIncrementVerSetting::ControlsToSettings() {
    Working().Required = IsRequired->currentIndex() == 0;
}
