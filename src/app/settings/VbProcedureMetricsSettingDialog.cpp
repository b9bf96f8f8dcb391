#include "app/settings/VbProcedureMetricsSettingDialog.h"

#include "app/AppTexts.h"
#include "framework/Errors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TVbProcedureMetricsSetting::TVbProcedureMetricsSetting(QWidget* owner)
    : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();
    // One row per limit: its label, then its box.
    auto row = [this](const char* name, const QString& label, int top) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setMaxLength(4);
        auto* caption = new QLabel(label, this);
        caption->setBuddy(box);
        Place(caption, 16, top + 4, 160, 12);
        Place(box, 184, top, 41, 20);
        return box;
    };
    // This dialog is the Qt face's alone: its texts are in its translation files.
    MaxStatements = row("MaxStatements", tr("ステートメント数の上限(&S)"), 12);
    MaxNesting = row("MaxNesting", tr("ネストの深さの上限(&N)"), 40);
    MaxComplexity = row("MaxComplexity", tr("循環的複雑度の上限(&C)"), 68);
    auto* note = new QLabel(tr("0 は判定しない"), this);
    Place(note, 16, 96, 209, 12);
    SetTabOrders({Ok, Cancel, Undo, MaxStatements, MaxNesting, MaxComplexity});
}

TVbProcedureMetricsSetting::~TVbProcedureMetricsSetting() = default;

void TVbProcedureMetricsSetting::SettingsToControls() {
    MaxStatements->setText(QString::number(Working().MaxStatements));
    MaxNesting->setText(QString::number(Working().MaxNesting));
    MaxComplexity->setText(QString::number(Working().MaxComplexity));
}

void TVbProcedureMetricsSetting::ControlsToSettings() {
    Working().MaxStatements = StrToInt(MaxStatements->text().toStdString());
    Working().MaxNesting = StrToInt(MaxNesting->text().toStdString());
    Working().MaxComplexity = StrToInt(MaxComplexity->text().toStdString());
}

void TVbProcedureMetricsSetting::OkClick() {
    // The fields' limits refuse what is no number, and a negative limit (every procedure would
    // exceed it; 0 is the one that turns a measure off).
    // Each field's box is named after its key.
    for (const TSettingDescription& description : Form_->Fields()) {
        auto* box = findChild<QLineEdit*>(QString::fromUtf8(
            description.Field.Key.data(), static_cast<qsizetype>(description.Field.Key.size())));
        if (!box) continue;
        std::string refusal;
        if (!TSettingsForm::IntegerFromText(description.Field, box->text().toStdString(),
                                            refusal)) {
            // Nothing is stored; the dialog stays open so that the number can be corrected.
            ShowRefusal(this, Ui(refusal));
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    TConfigWindowTemplete::OkClick();
}
