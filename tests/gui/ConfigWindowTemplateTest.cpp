// The settings dialog template: working copy, OK, Cancel, Escape, close box, Undo, layout, and
// the way ShowDetail runs a dialog.
#include "app/settings/ConfigWindowTemplateUnit.h"
#include "framework/Errors.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

// A rule with one text setting.
class TTextRule : public TVetrin {
public:
    std::string Text = "default";
    bool FailAssign = false;
    std::string_view ClassName() const override { return "TTextRule"; }
    std::uint8_t Category() const override { return catOther; }
    bool IsTarget(const TVtParts&) const override { return false; }
    std::string GetCheckerName() const override { return "\x83\x65\x83\x58\x83\x67"; } // テスト
    bool HasDetail() const override { return true; }
    void AssignSettings(const TVetrin& other) override {
        const auto& from = static_cast<const TTextRule&>(other);
        if (from.FailAssign) throw EGeneralError("assign failed");
        Text = from.Text;
    }
};

class TTextRuleSetting : public TConfigWindowTemplete {
public:
    explicit TTextRuleSetting(QWidget* owner) : TConfigWindowTemplete(owner) {
        WorkingChecker = std::make_unique<TTextRule>();
        Edit = new QLineEdit(this);
        Edit->setObjectName("Edit");
        Place(Edit, 8, 8, 100, 20);
        SetTabOrders({Ok, Cancel, Undo, Edit});
        ++Alive;
    }
    ~TTextRuleSetting() override { --Alive; }
    void SettingsToControls() override { Edit->setText(EngineToWidget(Working().Text)); }
    void ControlsToSettings() override {
        Working().Text = WidgetToEngine(Edit->text(), {Working().Text});
    }
    TTextRule& Working() { return static_cast<TTextRule&>(*WorkingChecker); }

    QLineEdit* Edit;
    static int Alive;
};
int TTextRuleSetting::Alive = 0;

// Runs fn on the dialog as soon as it is shown modally.
void WhenShown(std::function<void(TTextRuleSetting&)> fn) {
    QTimer::singleShot(0, [fn] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = dynamic_cast<TTextRuleSetting*>(modal);
        if (!dialog && modal) modal->close(); // never leave a modal loop waiting
        QVERIFY(dialog);
        fn(*dialog);
    });
}

} // namespace

class ConfigWindowTemplateTest : public QObject {
    Q_OBJECT
private slots:
    void OkStores();
    void CancelEscapeAndCloseBoxStoreNothing();
    void UndoRestoresControlsAndStaysOpen();
    void ReopenShowsCommittedValues();
    void LayoutAndButtons();
    void ShowDetailFreesTheDialog();
    void TextsKeepBytesTheWidgetCannotShow();
    void LinesOfATextBox();
};

void ConfigWindowTemplateTest::OkStores() {
    TTextRule rule;
    rule.Text = "one";
    TTextRuleSetting dialog(nullptr);
    WhenShown([](TTextRuleSetting& d) {
        QCOMPARE(d.Edit->text(), QString("one"));
        d.Edit->setText("two");
        QTest::mouseClick(d.Ok, Qt::LeftButton);
    });
    dialog.EditSettings(rule);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(rule.Text, std::string("two"));
    QCOMPARE(dialog.TargetChecker, static_cast<TVetrin*>(&rule));

    // Enter presses the default button.
    TTextRuleSetting again(nullptr);
    WhenShown([](TTextRuleSetting& d) {
        d.Edit->setText("three");
        QTest::keyClick(d.Edit, Qt::Key_Return);
    });
    again.EditSettings(rule);
    QCOMPARE(rule.Text, std::string("three"));
}

void ConfigWindowTemplateTest::CancelEscapeAndCloseBoxStoreNothing() {
    TTextRule rule;
    rule.Text = "kept";
    const std::vector<std::function<void(TTextRuleSetting&)>> ways{
        [](TTextRuleSetting& d) { QTest::mouseClick(d.Cancel, Qt::LeftButton); },
        [](TTextRuleSetting& d) { QTest::keyClick(d.Edit, Qt::Key_Escape); },
        [](TTextRuleSetting& d) { d.close(); },
    };
    for (const auto& way : ways) {
        TTextRuleSetting dialog(nullptr);
        WhenShown([&way](TTextRuleSetting& d) {
            d.Edit->setText("changed");
            way(d);
        });
        dialog.EditSettings(rule);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(rule.Text, std::string("kept"));
        // The working copy was never written from the controls either.
        QCOMPARE(dialog.Working().Text, std::string("kept"));
    }
}

void ConfigWindowTemplateTest::UndoRestoresControlsAndStaysOpen() {
    TTextRule rule;
    rule.Text = "original";
    TTextRuleSetting dialog(nullptr);
    dialog.BeginEdit(rule);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.Edit->setText("edited");
    QTest::mouseClick(dialog.Undo, Qt::LeftButton);
    QCOMPARE(dialog.Edit->text(), QString("original"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(rule.Text, std::string("original"));
    // After Undo the dialog still works: OK stores what is in the controls then.
    dialog.Edit->setText("edited again");
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    QCOMPARE(rule.Text, std::string("edited again"));
    QVERIFY(!dialog.isVisible());
}

void ConfigWindowTemplateTest::ReopenShowsCommittedValues() {
    TTextRule rule;
    {
        TTextRuleSetting dialog(nullptr);
        dialog.BeginEdit(rule);
        QCOMPARE(dialog.Edit->text(), QString("default"));
        dialog.Edit->setText("committed");
        dialog.OkClick();
    }
    TTextRuleSetting dialog(nullptr);
    dialog.BeginEdit(rule);
    QCOMPARE(dialog.Edit->text(), QString("committed"));
}

void ConfigWindowTemplateTest::LayoutAndButtons() {
    TTextRuleSetting dialog(nullptr);
    QCOMPARE(dialog.size(), QSize(396, 216));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize()); // not resizable
    QCOMPARE(dialog.Undo->geometry(), QRect(128, 188, 77, 25));
    QCOMPARE(dialog.Ok->geometry(), QRect(228, 188, 77, 25));
    QCOMPARE(dialog.Cancel->geometry(), QRect(316, 188, 77, 25));
    QCOMPARE(dialog.Undo->text(), QString("元に戻す(&D)"));
    QCOMPARE(dialog.Ok->text(), QString("OK"));
    QCOMPARE(dialog.Cancel->text(), QString("ｷｬﾝｾﾙ"));
    QCOMPARE(dialog.findChild<QPushButton*>("Ok"), dialog.Ok);
    QVERIFY(dialog.Ok->isDefault());
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.font().pixelSize(), 12);
    QCOMPARE(dialog.font().families().value(0), QString("ＭＳ Ｐゴシック"));
    // Tab order: OK, Cancel, Undo, then the dialog's own control.
    QCOMPARE(dialog.Ok->nextInFocusChain(), static_cast<QWidget*>(dialog.Cancel));
    QCOMPARE(dialog.Cancel->nextInFocusChain(), static_cast<QWidget*>(dialog.Undo));
    QCOMPARE(dialog.Undo->nextInFocusChain(), static_cast<QWidget*>(dialog.Edit));
}

void ConfigWindowTemplateTest::ShowDetailFreesTheDialog() {
    QWidget owner;
    TTextRule rule;
    WhenShown([&owner](TTextRuleSetting& d) {
        QCOMPARE(d.parentWidget(), &owner);
        QCOMPARE(d.windowTitle(), QString("テスト")); // the rule's name, from code page 932
        d.Edit->setText("via ShowDetail");
        QTest::mouseClick(d.Ok, Qt::LeftButton);
    });
    ShowSettingDialog<TTextRuleSetting>(rule, &owner);
    QCOMPARE(rule.Text, std::string("via ShowDetail"));
    QCOMPARE(TTextRuleSetting::Alive, 0);
    QVERIFY(owner.findChildren<TTextRuleSetting*>().isEmpty());

    // A failure while the dialog is being loaded still frees it, and reaches the caller.
    rule.FailAssign = true;
    QVERIFY_THROWS_EXCEPTION(EGeneralError, ShowSettingDialog<TTextRuleSetting>(rule, &owner));
    QCOMPARE(TTextRuleSetting::Alive, 0);
}

void ConfigWindowTemplateTest::TextsKeepBytesTheWidgetCannotShow() {
    // "\x81" alone is no character of code page 932: shown as U+FFFD, kept when unchanged.
    const std::string odd = "ab\x81";
    QCOMPARE(EngineToWidget(odd), QString("ab") + QChar(0xFFFD));
    QCOMPARE(WidgetToEngine(EngineToWidget(odd), {"x", odd}), odd);
    QCOMPARE(WidgetToEngine(QString("テスト")), std::string("\x83\x65\x83\x58\x83\x67"));
}

void ConfigWindowTemplateTest::LinesOfATextBox() {
    QCOMPARE(LinesToWidget({"a", "", " b "}), QString("a\n\n b "));
    QCOMPARE(WidgetToLines("a\n\n b "), TStringList({"a", "", " b "}));
    QCOMPARE(WidgetToLines("a\nb\n"), TStringList({"a", "b"})); // a final line break adds nothing
    QCOMPARE(WidgetToLines(""), TStringList());
    QCOMPARE(WidgetToLines("\n"), TStringList({""}));
}

QTEST_MAIN(ConfigWindowTemplateTest)
#include "ConfigWindowTemplateTest.moc"
