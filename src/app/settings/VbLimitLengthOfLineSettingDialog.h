// Settings dialog of the line-length rule: the largest allowed line length.
#pragma once

#include "app/settings/ConfigWindowTemplateUnit.h"
#include "checkers/VbLimitLengthOfLine.h"

class QLabel;
class QLineEdit;

class TVbLimitLengthOfLineSetting : public TConfigWindowTemplete {
    Q_OBJECT
public:
    using TChecker = TVbLimitLengthOfLine;
    explicit TVbLimitLengthOfLineSetting(QWidget* owner);
    ~TVbLimitLengthOfLineSetting() override;

    QLabel* Label1 = nullptr;
    QLineEdit* MaxLength = nullptr; // at most 3 characters
    QLabel* Label2 = nullptr;

    void SettingsToControls() override;
    void ControlsToSettings() override;
    // Checks that the text box holds an integer before the template's OK handling.
    void OkClick() override;

private:
    TChecker& Working() const { return static_cast<TChecker&>(*WorkingChecker); }
};
