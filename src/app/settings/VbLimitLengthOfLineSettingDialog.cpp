#include "app/settings/VbLimitLengthOfLineSettingDialog.h"

#include "framework/Errors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The limit in the text box: an optional sign and decimal digits (the engine's conversion).
std::int32_t TextToLimit(const QString& text) { return StrToInt(text.toStdString()); }
} // namespace

TVbLimitLengthOfLineSetting::TVbLimitLengthOfLineSetting(QWidget* owner)
    : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();

    // The three controls read as one sentence: 一行の長さは N 文字以下とする.
    MaxLength = new QLineEdit(this);
    MaxLength->setObjectName("MaxLength");
    MaxLength->setMaxLength(3);
    Label1 = new QLabel(Ui(uitext::MaxLengthLabel), this);
    Label1->setObjectName("Label1");
    Label1->setBuddy(MaxLength);
    Label2 = new QLabel(Ui(uitext::MaxLengthTail), this);
    Label2->setObjectName("Label2");
    Place(Label1, 16, 16, 83, 12);
    Place(MaxLength, 104, 12, 33, 20);
    Place(Label2, 144, 16, 79, 12);
    SetTabOrders({Ok, Cancel, Undo, MaxLength});
}

TVbLimitLengthOfLineSetting::~TVbLimitLengthOfLineSetting() = default;

void TVbLimitLengthOfLineSetting::SettingsToControls() {
    MaxLength->setText(QString::number(Working().MaxLength));
}

void TVbLimitLengthOfLineSetting::ControlsToSettings() {
    Working().MaxLength = TextToLimit(MaxLength->text());
}

void TVbLimitLengthOfLineSetting::OkClick() {
    // The field's limits refuse what is no number, and a limit below one (it would report every
    // line, a negative one even the empty lines).
    std::string refusal;
    const TSettingField field = Form_->Fields().at(0).Field;
    if (!TSettingsForm::IntegerFromText(field, MaxLength->text().toStdString(), refusal)) {
        // Nothing is stored; the dialog stays open so that the number can be corrected.
        ShowRefusal(this, Ui(refusal));
        MaxLength->setFocus();
        MaxLength->selectAll();
        return;
    }
    TConfigWindowTemplete::OkClick();
}
