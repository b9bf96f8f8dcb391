#include "app/settings/SettingDialogs.h"

#include "app/settings/VbFileNamingRuleSettingDialog.h"
#include "app/settings/VbLimitLengthOfLineSettingDialog.h"
#include "app/settings/VbNeedAutoIncrementVerSettingDialog.h"
#include "app/settings/VbNoCheckFileSettingDialog.h"
#include "app/settings/VbProcedureMetricsSettingDialog.h"
#include "app/settings/VbProhibitImplicitPublicDeclarationSettingDialog.h"
#include "app/settings/VbUnusedArgumentsSettingDialog.h"
#include "checkers/RuleTable.h"

#include <string>

namespace {

template <class TDialog> void Register() {
    // The class name comes from the rule class the dialog edits, so the two cannot disagree.
    const typename TDialog::TChecker rule;
    SetRuleDialog(rule.ClassName(), &ShowSettingDialog<TDialog>);
}

} // namespace

void RegisterSettingDialogs() {
    Register<TVbNoCheckFileSetting>();
    Register<TVbUnusedArgumentsSetting>();
    Register<TVbNeedAutoIncrementVerSetting>();
    Register<TVbFileNamingRuleSetting>();
    Register<TVbProhibitImplicitPublicDeclarationSetting>();
    Register<TVbLimitLengthOfLineSetting>();
    Register<TVbProcedureMetricsSetting>();
}
