// Settings dialog of the unused-arguments rule: names never reported, and the event flag.
#pragma once

#include "app/settings/ConfigWindowTemplateUnit.h"
#include "checkers/VBUnusedArguments.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

class TVbUnusedArgumentsSetting : public TConfigWindowTemplete {
    Q_OBJECT
public:
    using TChecker = TVBUnusedArguments;
    explicit TVbUnusedArgumentsSetting(QWidget* owner);
    ~TVbUnusedArgumentsSetting() override;

    QCheckBox* ExceptEventProcedure = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* ExceptionList = nullptr; // one name per line

    void SettingsToControls() override;
    void ControlsToSettings() override;

private:
    TChecker& Working() const { return static_cast<TChecker&>(*WorkingChecker); }
};
