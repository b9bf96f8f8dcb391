#include "app/settings/VbNoCheckFileSettingDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TVbNoCheckFileSetting::TVbNoCheckFileSetting(QWidget* owner) : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();

    ExceptionFileList = new QPlainTextEdit(this);
    ExceptionFileList->setObjectName("ExceptionFileList");
    ExceptionFileList->setLineWrapMode(QPlainTextEdit::NoWrap);
    ExceptionFileList->setTabChangesFocus(true);
    Place(ExceptionFileList, 8, 24, 385, 157);
    Label1 = new QLabel(Ui(uitext::ExceptFilesLabel), this);
    Label1->setObjectName("Label1");
    Label1->setBuddy(ExceptionFileList);
    Place(Label1, 12, 8, 108, 12);
    SetTabOrders({Ok, Cancel, Undo, ExceptionFileList});
}

TVbNoCheckFileSetting::~TVbNoCheckFileSetting() = default;

void TVbNoCheckFileSetting::SettingsToControls() {
    ExceptionFileList->setPlainText(LinesToWidget(Working().ExceptionFileList));
}

void TVbNoCheckFileSetting::ControlsToSettings() {
    // Entries are stored exactly as typed: empty lines and surrounding blanks included.
    Working().ExceptionFileList =
        WidgetToLines(ExceptionFileList->toPlainText(), Working().ExceptionFileList);
}
