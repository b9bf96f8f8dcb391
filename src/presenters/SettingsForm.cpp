#include "presenters/SettingsForm.h"

#include "checkers/RuleTable.h"
#include "framework/Errors.h"
#include "framework/VetrinList.h"
#include "platform/CodePage.h"
#include "presenters/UiTexts.h"

#include <limits>
#include <typeinfo>

namespace {

// Writes values into a rule's fields, one per field in order.
class TValueApplier : public TSettingsVisitor {
public:
    explicit TValueApplier(const std::vector<TSettingValue>& values) : Values_(values) {}
    void Flag(const TSettingField&, bool& value) override { value = Next<bool>(); }
    void Integer(const TSettingField&, std::int32_t& value) override {
        value = Next<std::int32_t>();
    }
    void Texts(const TSettingField&, TStringList& value) override { value = Next<TStringList>(); }

private:
    template <typename T> const T& Next() { return std::get<T>(Values_.at(Index_++)); }
    const std::vector<TSettingValue>& Values_;
    std::size_t Index_ = 0;
};

std::unique_ptr<TVetrin> NewRuleLike(const TVetrin& rule) {
    const TRuleRow* row = FindRuleRow(typeid(rule));
    if (!row) throw EGeneralError("no rule row for " + std::string(rule.ClassName()));
    return row->Create();
}

} // namespace

TSettingsForm::TSettingsForm(TVetrin& target)
    : OwnWorking_(NewRuleLike(target)), Target_(target), Working_(OwnWorking_.get()) {
    Undo();
}

TSettingsForm::TSettingsForm(TVetrin& target, TVetrin& working)
    : Target_(target), Working_(&working) {
    Undo();
}

std::string TSettingsForm::Caption() const { return platform::Cp932ToUtf8(Target_.DisplayName()); }

void TSettingsForm::SetValues(const std::vector<TSettingValue>& values) {
    TValueApplier applier(values);
    Working_->Settings(applier);
}

void TSettingsForm::Ok() { Target_.AssignSettings(*Working_); }

void TSettingsForm::Undo() { Working_->AssignSettings(Target_); }

std::optional<std::int32_t> TSettingsForm::IntegerFromText(const TSettingField& field,
                                                           std::string_view text,
                                                           std::string& refusal) {
    std::int32_t value = 0;
    try {
        value = StrToInt(text);
    } catch (const EConvertError&) {
        refusal = uitext::Text(uitext::NotANumber);
        return std::nullopt;
    }
    if (value >= field.Min && value <= field.Max) return value;
    if (field.Max == std::numeric_limits<std::int32_t>::max())
        refusal = uitext::Format(uitext::NumberAtLeast, {{"min", std::to_string(field.Min)}});
    else
        refusal = uitext::Format(uitext::NumberBetween, {{"min", std::to_string(field.Min)},
                                                         {"max", std::to_string(field.Max)}});
    return std::nullopt;
}
