// Settings dialog of the excluded-files rule: one file name or full path per line.
#pragma once

#include "app/settings/ConfigWindowTemplateUnit.h"
#include "checkers/VbNoCheckFile.h"

class QLabel;
class QPlainTextEdit;

class TVbNoCheckFileSetting : public TConfigWindowTemplete {
    Q_OBJECT
public:
    using TChecker = TVbNoCheckFile;
    explicit TVbNoCheckFileSetting(QWidget* owner);
    ~TVbNoCheckFileSetting() override;

    QLabel* Label1 = nullptr;
    QPlainTextEdit* ExceptionFileList = nullptr; // one entry per line

    void SettingsToControls() override;
    void ControlsToSettings() override;

private:
    TChecker& Working() const { return static_cast<TChecker&>(*WorkingChecker); }
};
