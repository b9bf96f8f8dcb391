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
    for (QLineEdit* box : {MaxStatements, MaxNesting, MaxComplexity}) {
        try {
            StrToInt(box->text().toStdString());
        } catch (const EConvertError&) {
            // Nothing is stored; the dialog stays open so that the number can be corrected.
            ShowRefusal(this, Ui(uitext::NotANumber));
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    TConfigWindowTemplete::OkClick();
}
