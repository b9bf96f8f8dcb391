// Settings dialog of the version auto-increment rule: must automatic increment be on or off.
#pragma once

#include "app/settings/ConfigWindowTemplateUnit.h"
#include "checkers/VBNeedAutoIncrementVer.h"

class QComboBox;
class QLabel;

class TVbNeedAutoIncrementVerSetting : public TConfigWindowTemplete {
    Q_OBJECT
public:
    using TChecker = TVBNeedAutoIncrementVer;
    explicit TVbNeedAutoIncrementVerSetting(QWidget* owner);
    ~TVbNeedAutoIncrementVerSetting() override;

    QLabel* Label1 = nullptr;
    QComboBox* IsRequired = nullptr; // items: 有効 (required on), 無効 (required off)
    QLabel* Label2 = nullptr;

    void SettingsToControls() override;
    void ControlsToSettings() override;

private:
    TChecker& Working() const { return static_cast<TChecker&>(*WorkingChecker); }
};
