#include "app/settings/VbUnusedArgumentsSettingDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TVbUnusedArgumentsSetting::TVbUnusedArgumentsSetting(QWidget* owner)
    : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();

    ExceptEventProcedure = new QCheckBox(Ui(uitext::ExceptEventProcedure), this);
    ExceptEventProcedure->setObjectName("ExceptEventProcedure");
    Place(ExceptEventProcedure, 16, 28, 177, 17);
    ExceptionList = new QPlainTextEdit(this);
    ExceptionList->setObjectName("ExceptionList");
    ExceptionList->setLineWrapMode(QPlainTextEdit::NoWrap);
    ExceptionList->setTabChangesFocus(true);
    Place(ExceptionList, 208, 24, 185, 157);
    Label1 = new QLabel(Ui(uitext::ExceptArgumentsLabel), this);
    Label1->setObjectName("Label1");
    Label1->setBuddy(ExceptionList);
    Place(Label1, 212, 8, 0, 0);
    // This dialog puts the list before Undo in the tab order.
    SetTabOrders({Ok, Cancel, ExceptionList, Undo, ExceptEventProcedure});
}

TVbUnusedArgumentsSetting::~TVbUnusedArgumentsSetting() = default;

void TVbUnusedArgumentsSetting::SettingsToControls() {
    ExceptEventProcedure->setChecked(Working().ExceptEventProcedure);
    ExceptionList->setPlainText(LinesToWidget(Working().ExceptionList));
}

void TVbUnusedArgumentsSetting::ControlsToSettings() {
    Working().ExceptEventProcedure = ExceptEventProcedure->isChecked();
    // Lines are stored exactly as typed: empty lines and surrounding blanks included.
    Working().ExceptionList = WidgetToLines(ExceptionList->toPlainText(), Working().ExceptionList);
}
