// Settings dialog of the procedure metrics rule: the three limits.
#pragma once

#include "app/settings/ConfigWindowTemplateUnit.h"
#include "checkers/VbProcedureMetrics.h"

class QLabel;
class QLineEdit;

class TVbProcedureMetricsSetting : public TConfigWindowTemplete {
    Q_OBJECT
public:
    using TChecker = TVbProcedureMetrics;
    explicit TVbProcedureMetricsSetting(QWidget* owner);
    ~TVbProcedureMetricsSetting() override;

    QLineEdit* MaxStatements = nullptr;
    QLineEdit* MaxNesting = nullptr;
    QLineEdit* MaxComplexity = nullptr;

    void SettingsToControls() override;
    void ControlsToSettings() override;
    // Checks that every box holds an integer before the template's OK handling.
    void OkClick() override;

private:
    TChecker& Working() const { return static_cast<TChecker&>(*WorkingChecker); }
};
