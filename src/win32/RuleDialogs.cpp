// The rules' settings dialogs: each places its rule's controls over the template's buttons
// and moves its settings between the working copy and the controls.
#include "checkers/RuleTable.h"
#include "checkers/VBNeedAutoIncrementVer.h"
#include "checkers/VBUnusedArguments.h"
#include "checkers/VbFileNamingRule.h"
#include "checkers/VbLimitLengthOfLine.h"
#include "checkers/VbNoCheckFile.h"
#include "checkers/VbProcedureMetrics.h"
#include "checkers/VbProhibitImplicitPublicDeclaration.h"
#include "platform/win/WideText.h"
#include "presenters/SettingsForm.h"
#include "win32/RuleDialog.h"
#include "win32/Utf16.h"

#include <commctrl.h>
#include <windowsx.h>

namespace win32 {

namespace {

constexpr DWORD ListBoxStyle = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;

// A dialog over one rule class.
template <class TRule> class TRuleDialogOf : public TRuleDialog {
protected:
    TRule& Rule() { return static_cast<TRule&>(Working()); }
};

// 例外ファイル設定: the files no rule checks, one per line.
class TNoCheckFileDialog : public TRuleDialogOf<TVbNoCheckFile> {
    void CreateFields() override {
        AddControl(WC_STATICW, Wide(uitext::ExceptFilesLabel), SS_LEFT, -1, 12, 8, 200, 14);
        AddControl(WC_EDITW, L"", ListBoxStyle, FieldId(0), 8, 24, 385, 157, WS_EX_CLIENTEDGE);
    }
    void SettingsToControls() override { SetFieldLines(0, Rule().ExceptionFileList); }
    void ControlsToSettings() override {
        Rule().ExceptionFileList = FieldLines(0, Rule().ExceptionFileList);
    }
};

// 未使用の引数: event procedures' arguments, and arguments of the names listed.
class TUnusedArgumentsDialog : public TRuleDialogOf<TVBUnusedArguments> {
    void CreateFields() override {
        AddControl(WC_BUTTONW, Wide(uitext::ExceptEventProcedure), WS_TABSTOP | BS_AUTOCHECKBOX,
                   FieldId(0), 16, 28, 177, 17);
        AddControl(WC_STATICW, Wide(uitext::ExceptArgumentsLabel), SS_LEFT, -1, 212, 8, 180, 14);
        AddControl(WC_EDITW, L"", ListBoxStyle, FieldId(1), 208, 24, 185, 157, WS_EX_CLIENTEDGE);
    }
    void SettingsToControls() override {
        SetFieldChecked(0, Rule().ExceptEventProcedure);
        SetFieldLines(1, Rule().ExceptionList);
    }
    void ControlsToSettings() override {
        Rule().ExceptEventProcedure = FieldChecked(0);
        Rule().ExceptionList = FieldLines(1, Rule().ExceptionList);
    }
};

// バージョン番号の自動インクリメント必須: 自動インクリメントが 有効|無効 であること.
class TAutoIncrementDialog : public TRuleDialogOf<TVBNeedAutoIncrementVer> {
    void CreateFields() override {
        AddControl(WC_STATICW, Wide(uitext::AutoIncrementLabel), SS_RIGHT, -1, 8, 20, 138, 14);
        HWND box = AddControl(WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST, FieldId(0), 148, 16,
                              57, 100);
        ComboBox_AddString(box, Wide(uitext::AutoIncrementOn).c_str());
        ComboBox_AddString(box, Wide(uitext::AutoIncrementOff).c_str());
        AddControl(WC_STATICW, Wide(uitext::AutoIncrementTail), SS_LEFT, -1, 208, 20, 80, 14);
    }
    HWND Box() { return GetDlgItem(Handle(), FieldId(0)); }
    void SettingsToControls() override { ComboBox_SetCurSel(Box(), Rule().Required ? 0 : 1); }
    void ControlsToSettings() override { Rule().Required = ComboBox_GetCurSel(Box()) == 0; }
};

// ファイル命名規則: one pattern per kind of file, beside the kind's name.
class TFileNamingDialog : public TRuleDialogOf<TVbFileNamingRule> {
    static constexpr int RowHeight = 22;
    void CreateFields() override {
        AddControl(WC_STATICW, Wide(uitext::NamingRuleLabel), SS_LEFT, -1, 12, 8, 200, 14);
        const TStringPairList& rules = Rule().NamingRules;
        for (int i = 0; i < rules.Count() && i < 7; ++i) {
            int top = 26 + i * RowHeight;
            AddControl(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, FieldId(100 + i), 12, top + 3, 170,
                       14);
            AddControl(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, FieldId(i), 188, top, 197, 20,
                       WS_EX_CLIENTEDGE);
        }
    }
    void SettingsToControls() override {
        const TStringPairList& rules = Rule().NamingRules;
        for (int i = 0; i < rules.Count() && i < 7; ++i) {
            SetFieldText(100 + i, rules.Names[static_cast<std::size_t>(i)]);
            SetFieldText(i, rules.Values[static_cast<std::size_t>(i)]);
        }
    }
    void ControlsToSettings() override {
        TStringPairList& rules = Rule().NamingRules;
        for (int i = 0; i < rules.Count() && i < 7; ++i) {
            auto k = static_cast<std::size_t>(i);
            rules.Values[k] = FieldText(i, {rules.Values[k]});
        }
    }
};

// 暗黙のPublic宣言を禁止: Sub Main may go without.
class TImplicitPublicDialog : public TRuleDialogOf<TVbProhibitImplicitPublicDeclaration> {
    void CreateFields() override {
        AddControl(WC_BUTTONW, Wide(uitext::ExceptSubMain), WS_TABSTOP | BS_AUTOCHECKBOX,
                   FieldId(0), 20, 16, 257, 17);
    }
    void SettingsToControls() override { SetFieldChecked(0, Rule().ExceptSubMain); }
    void ControlsToSettings() override { Rule().ExceptSubMain = FieldChecked(0); }
};

// 一行の長さ制限: 一行の長さは N 文字以下とする, N a whole number within the rule's bounds.
class TLineLengthDialog : public TRuleDialogOf<TVbLimitLengthOfLine> {
    void CreateFields() override {
        AddControl(WC_STATICW, Wide(uitext::MaxLengthLabel), SS_RIGHT, -1, 8, 16, 92, 14);
        HWND box = AddControl(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, FieldId(0), 104, 12, 33,
                              20, WS_EX_CLIENTEDGE);
        Edit_LimitText(box, 3);
        AddControl(WC_STATICW, Wide(uitext::MaxLengthTail), SS_LEFT, -1, 144, 16, 100, 14);
    }
    void SettingsToControls() override { SetFieldText(0, std::to_string(Rule().MaxLength)); }
    void ControlsToSettings() override { Rule().MaxLength = StrToInt(FieldText(0)); }
    bool ControlsValid() override {
        // The rule's own bounds: below 1 every line would be reported.
        std::string refusal;
        if (TSettingsForm::IntegerFromText(Field("MaxLength"), FieldText(0), refusal)) return true;
        Refuse(0, refusal);
        return false;
    }
};

// A rule whose settings are whole numbers only (プロシージャの複雑さ): a labelled box per field, in
// the fields' order, each judged by its own limits.
class TIntegerFieldsDialog : public TRuleDialog {
    // Moves the integer fields between the rule and a list of values, in the fields' order.
    class TIntegers : public TSettingsVisitor {
    public:
        TIntegers(std::vector<std::int32_t>* values, bool store) : Values_(values), Store_(store) {}
        void Flag(const TSettingField&, bool&) override {}
        void Texts(const TSettingField&, TStringList&) override {}
        void Integer(const TSettingField&, std::int32_t& value) override {
            if (Store_)
                value = (*Values_)[Next_++];
            else
                Values_->push_back(value);
        }

    private:
        std::vector<std::int32_t>* Values_;
        bool Store_;
        std::size_t Next_ = 0;
    };
    std::vector<TSettingField> Fields() {
        std::vector<TSettingField> fields;
        for (const TSettingDescription& d : Working().DescribeSettings())
            if (std::holds_alternative<std::int32_t>(d.Value)) fields.push_back(d.Field);
        return fields;
    }
    void CreateFields() override {
        const std::vector<TSettingField> fields = Fields();
        for (std::size_t i = 0; i < fields.size() && i < 6; ++i) {
            const int n = static_cast<int>(i);
            const int top = 12 + n * 28;
            AddControl(WC_STATICW, Wide(fields[i].Label), SS_RIGHT, -1, 8, top + 4, 180, 14);
            HWND box = AddControl(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, FieldId(n), 196, top,
                                  60, 20, WS_EX_CLIENTEDGE);
            Edit_LimitText(box, 9);
        }
    }
    void SettingsToControls() override {
        std::vector<std::int32_t> values;
        TIntegers read(&values, false);
        Working().Settings(read);
        for (std::size_t i = 0; i < values.size() && i < 6; ++i)
            SetFieldText(static_cast<int>(i), std::to_string(values[i]));
    }
    bool ControlsValid() override {
        const std::vector<TSettingField> fields = Fields();
        for (std::size_t i = 0; i < fields.size() && i < 6; ++i) {
            std::string refusal;
            if (!TSettingsForm::IntegerFromText(fields[i], FieldText(static_cast<int>(i)),
                                                refusal)) {
                Refuse(static_cast<int>(i), refusal);
                return false;
            }
        }
        return true;
    }
    void ControlsToSettings() override {
        std::vector<std::int32_t> values;
        TIntegers read(&values, false);
        Working().Settings(read);
        for (std::size_t i = 0; i < values.size() && i < 6; ++i)
            values[i] = StrToInt(FieldText(static_cast<int>(i)));
        TIntegers write(&values, true);
        Working().Settings(write);
    }
};

template <class TDialog, class TRule> void Register() {
    const TRule rule;
    SetRuleDialog(rule.ClassName(), [](TVetrin& checker, void* owner) {
        TDialog dialog;
        dialog.EditSettings(checker, static_cast<HWND>(owner));
    });
}

} // namespace

void RegisterRuleDialogs() {
    Register<TNoCheckFileDialog, TVbNoCheckFile>();
    Register<TUnusedArgumentsDialog, TVBUnusedArguments>();
    Register<TAutoIncrementDialog, TVBNeedAutoIncrementVer>();
    Register<TFileNamingDialog, TVbFileNamingRule>();
    Register<TImplicitPublicDialog, TVbProhibitImplicitPublicDeclaration>();
    Register<TLineLengthDialog, TVbLimitLengthOfLine>();
    Register<TIntegerFieldsDialog, TVbProcedureMetrics>();
}

} // namespace win32
