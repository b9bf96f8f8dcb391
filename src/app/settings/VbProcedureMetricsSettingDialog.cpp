#include "app/settings/VbProcedureMetricsSettingDialog.h"

#include "framework/Errors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TVbProcedureMetricsSetting::TVbProcedureMetricsSetting(QWidget* owner)
    : TConfigWindowTemplete(owner) {
    WorkingChecker = std::make_unique<TChecker>();
    // One row per limit: its label, then its box.
    auto row = [this](const char* name, const char* label, int top) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setMaxLength(4);
        auto* caption = new QLabel(QString::fromUtf8(label), this);
        caption->setBuddy(box);
        Place(caption, 16, top + 4, 160, 12);
        Place(box, 184, top, 41, 20);
        return box;
    };
    MaxStatements = row("MaxStatements", TSettingTexts::MaxStatementsLabel, 12);
    MaxNesting = row("MaxNesting", TSettingTexts::MaxNestingLabel, 40);
    MaxComplexity = row("MaxComplexity", TSettingTexts::MaxComplexityLabel, 68);
    auto* note = new QLabel(QString::fromUtf8(TSettingTexts::MetricsNote), this);
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
            ShowMessage(this, TSettingTexts::ErrorCaption, TSettingTexts::NotANumber);
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    TConfigWindowTemplete::OkClick();
}
