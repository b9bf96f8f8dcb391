// The six rule settings dialogs, opened the way the application opens them: through the rule's
// ShowDetail and the registry that RegisterSettingDialogs fills.
#include "app/ConfigWindowTemplateUnit.h"
#include "checkers/Checkers.h"
#include "checkers/VbFileNamingRuleSettingDialog.h"
#include "checkers/VbLimitLengthOfLineSettingDialog.h"
#include "checkers/VbNeedAutoIncrementVerSettingDialog.h"
#include "checkers/VbNoCheckFileSettingDialog.h"
#include "checkers/VbProhibitImplicitPublicDeclarationSettingDialog.h"
#include "checkers/VbUnusedArgumentsSettingDialog.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sstream>

namespace {

std::string Sj(const char* utf8) {
    return platform::Utf8ToCp932(utf8);
}

// Runs fn on the modal dialog as soon as it is shown.
void WhenShown(std::function<void(TConfigWindowTemplete&)> fn) {
    QTimer::singleShot(0, [fn] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = dynamic_cast<TConfigWindowTemplete*>(modal);
        if (!dialog && modal) modal->close(); // never leave a modal loop waiting
        QVERIFY(dialog);
        fn(*dialog);
    });
}

// The next control that Tab moves to (a text box's own inner widgets are not stops).
QWidget* NextTabStop(QWidget* from) {
    QWidget* next = from->nextInFocusChain();
    while (next != from && (from->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus)))
        next = next->nextInFocusChain();
    return next;
}

template <class T> T* Control(QWidget& dialog, const char* name) {
    T* control = dialog.findChild<T*>(name);
    if (!control) qFatal("control %s not found", name);
    return control;
}

// One dialog's part in the shared scenario: how to change its controls, and how to tell the
// original and the changed state apart in the controls and in the rule.
struct TDialogCase {
    const char* ClassName;
    std::function<void(QWidget&)> Change;
    std::function<bool(QWidget&)> ShowsChanged;
    std::function<bool(TVetrin&)> RuleChanged;
};

template <class TRule> TRule& As(TVetrin& rule) {
    return dynamic_cast<TRule&>(rule);
}

std::vector<TDialogCase> Cases() {
    return {
        {"TVbNoCheckFile",
         [](QWidget& d) {
             Control<QPlainTextEdit>(d, "ExceptionFileList")
                 ->setPlainText("Form1.frm\n\n /p/a.bas ");
         },
         [](QWidget& d) {
             return Control<QPlainTextEdit>(d, "ExceptionFileList")->toPlainText() ==
                    "Form1.frm\n\n /p/a.bas ";
         },
         [](TVetrin& r) {
             return As<TVbNoCheckFile>(r).ExceptionFileList ==
                    TStringList{"Form1.frm", "", " /p/a.bas "};
         }},
        {"TVBUnusedArguments",
         [](QWidget& d) {
             Control<QPlainTextEdit>(d, "ExceptionList")->setPlainText("Index\nCancel");
             Control<QCheckBox>(d, "ExceptEventProcedure")->setChecked(true);
         },
         [](QWidget& d) {
             return Control<QPlainTextEdit>(d, "ExceptionList")->toPlainText() == "Index\nCancel" &&
                    Control<QCheckBox>(d, "ExceptEventProcedure")->isChecked();
         },
         [](TVetrin& r) {
             auto& rule = As<TVBUnusedArguments>(r);
             return rule.ExceptionList == TStringList{"Index", "Cancel"} &&
                    rule.ExceptEventProcedure;
         }},
        {"TVBNeedAutoIncrementVer",
         [](QWidget& d) { Control<QComboBox>(d, "IsRequired")->setCurrentIndex(1); },
         [](QWidget& d) { return Control<QComboBox>(d, "IsRequired")->currentIndex() == 1; },
         [](TVetrin& r) { return !As<TVBNeedAutoIncrementVer>(r).Required; }},
        {"TVbFileNamingRule",
         [](QWidget& d) {
             auto* grid = Control<QTableWidget>(d, "NamingRuleGrid");
             grid->item(2, 1)->setText("frm*.frm");
             grid->item(0, 1)->setText("");
         },
         [](QWidget& d) {
             auto* grid = Control<QTableWidget>(d, "NamingRuleGrid");
             return grid->item(2, 1)->text() == "frm*.frm" && grid->item(0, 1)->text().isEmpty();
         },
         [](TVetrin& r) {
             auto& rules = As<TVbFileNamingRule>(r).NamingRules;
             return rules.Count() == 8 && rules.Values[2] == "frm*.frm" &&
                    rules.Values[0].empty() && rules.Names[2] == Sj("フォーム(*.frm)");
         }},
        {"TVbProhibitImplicitPublicDeclaration",
         [](QWidget& d) { Control<QCheckBox>(d, "ExceptSubMain")->setChecked(false); },
         [](QWidget& d) { return !Control<QCheckBox>(d, "ExceptSubMain")->isChecked(); },
         [](TVetrin& r) { return !As<TVbProhibitImplicitPublicDeclaration>(r).ExceptSubMain; }},
        {"TVbLimitLengthOfLine",
         [](QWidget& d) { Control<QLineEdit>(d, "MaxLength")->setText("120"); },
         [](QWidget& d) { return Control<QLineEdit>(d, "MaxLength")->text() == "120"; },
         [](TVetrin& r) { return As<TVbLimitLengthOfLine>(r).MaxLength == 120; }},
    };
}

struct TMessage {
    QString Caption, Text;
};

} // namespace

class SettingDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void RegistryCoversTheRulesWithSettings();
    void OkCancelEscapeUndoAndReopen_data();
    void OkCancelEscapeUndoAndReopen();
    void EditedSettingsSurviveTheCheckerProjectFile();
    void LineLengthRefusesWhatIsNotANumber();
    void LineLengthLayout();
    void NamingGridRefusesColumnZero();
    void NamingGridCommitsAnOpenEditor();
    void NamingGridLayout();
    void UnusedArgumentsLayoutAndTabOrder();
    void AutoIncrementLayout();
    void SingleControlDialogsLayout();

private:
    std::vector<TMessage> Messages;
};

void SettingDialogsTest::initTestCase() {
    RegisterSettingDialogs();
    TConfigWindowTemplete::SetMessageBox(
        [this](QWidget*, const QString& caption, const QString& text) {
            Messages.push_back({caption, text});
        });
}

void SettingDialogsTest::init() {
    Messages.clear();
}

void SettingDialogsTest::cleanupTestCase() {
    TConfigWindowTemplete::SetMessageBox({});
}

void SettingDialogsTest::RegistryCoversTheRulesWithSettings() {
    TVetrins checkers;
    AddAllCheckers(checkers);
    for (int i = 0; i < checkers.Count(); ++i) {
        TVetrin* rule = checkers.Items(i);
        const bool registered = FindDetailDialog(rule->ClassName()) != nullptr;
        QVERIFY2(registered == rule->HasDetail(), std::string(rule->ClassName()).c_str());
    }
    // A rule without settings still answers ShowDetail with the base assertion.
    QVERIFY_THROWS_EXCEPTION(EAssertionFailed,
                             checkers.FindByClassName("TVbAnalyzeStatistics")->ShowDetail(nullptr));
}

void SettingDialogsTest::OkCancelEscapeUndoAndReopen_data() {
    QTest::addColumn<int>("index");
    const auto cases = Cases();
    for (std::size_t i = 0; i < cases.size(); ++i)
        QTest::newRow(cases[i].ClassName) << int(i);
}

void SettingDialogsTest::OkCancelEscapeUndoAndReopen() {
    QFETCH(int, index);
    const TDialogCase c = Cases()[static_cast<std::size_t>(index)];
    TVetrins checkers;
    AddAllCheckers(checkers);
    TVetrin* rule = checkers.FindByClassName(c.ClassName);
    QVERIFY(rule);
    QWidget owner;

    // Cancel and Escape: the rule is unchanged.
    WhenShown([&](TConfigWindowTemplete& d) {
        QCOMPARE(d.parentWidget(), &owner);
        QCOMPARE(d.windowTitle(),
                 QString::fromStdString(platform::Cp932ToUtf8(rule->GetCheckerName())));
        QVERIFY(!c.ShowsChanged(d));
        c.Change(d);
        QTest::mouseClick(d.Cancel, Qt::LeftButton);
    });
    rule->ShowDetail(&owner);
    QVERIFY(!c.RuleChanged(*rule));
    WhenShown([&](TConfigWindowTemplete& d) {
        c.Change(d);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    rule->ShowDetail(&owner);
    QVERIFY(!c.RuleChanged(*rule));

    // Undo brings the controls back and keeps the dialog open; OK then stores nothing new.
    bool undone = false;
    WhenShown([&](TConfigWindowTemplete& d) {
        c.Change(d);
        QVERIFY(c.ShowsChanged(d));
        QTest::mouseClick(d.Undo, Qt::LeftButton);
        undone = !c.ShowsChanged(d) && d.isVisible();
        QTest::mouseClick(d.Ok, Qt::LeftButton);
    });
    rule->ShowDetail(&owner);
    QVERIFY(undone);
    QVERIFY(!c.RuleChanged(*rule));

    // OK stores; reopening shows the committed values.
    WhenShown([&](TConfigWindowTemplete& d) {
        c.Change(d);
        QTest::mouseClick(d.Ok, Qt::LeftButton);
    });
    rule->ShowDetail(&owner);
    QVERIFY(c.RuleChanged(*rule));
    bool reopened = false;
    WhenShown([&](TConfigWindowTemplete& d) {
        reopened = c.ShowsChanged(d);
        QTest::mouseClick(d.Cancel, Qt::LeftButton);
    });
    rule->ShowDetail(&owner);
    QVERIFY(reopened);
    QVERIFY(c.RuleChanged(*rule));
    QVERIFY(owner.findChildren<QDialog*>().isEmpty()); // every dialog was freed
}

void SettingDialogsTest::EditedSettingsSurviveTheCheckerProjectFile() {
    TVetrins checkers;
    AddAllCheckers(checkers);
    QWidget owner;
    for (const TDialogCase& c : Cases()) {
        WhenShown([&](TConfigWindowTemplete& d) {
            c.Change(d);
            QTest::mouseClick(d.Ok, Qt::LeftButton);
        });
        checkers.FindByClassName(c.ClassName)->ShowDetail(&owner);
    }
    std::stringstream file;
    checkers.SaveToStream(file);
    TVetrins reloaded;
    AddAllCheckers(reloaded);
    reloaded.LoadFromStream(file);
    for (const TDialogCase& c : Cases())
        QVERIFY2(c.RuleChanged(*reloaded.FindByClassName(c.ClassName)), c.ClassName);
}

void SettingDialogsTest::LineLengthRefusesWhatIsNotANumber() {
    TVbLimitLengthOfLine rule;
    TVbLimitLengthOfLineSetting dialog(nullptr);
    dialog.BeginEdit(rule);
    dialog.show();
    QCOMPARE(dialog.MaxLength->text(), QString("80"));
    QCOMPARE(dialog.MaxLength->maxLength(), 3);
    dialog.MaxLength->setText("1234");
    QCOMPARE(dialog.MaxLength->text(), QString("123"));

    for (const char* bad : {"", "abc", "-", "1x", " 9"}) {
        dialog.MaxLength->setText(bad);
        QTest::mouseClick(dialog.Ok, Qt::LeftButton);
        QCOMPARE(Messages.size(), std::size_t(1));
        QCOMPARE(Messages[0].Caption, QString("ｴﾗｰ"));
        QCOMPARE(Messages[0].Text, QString("数値を入力して下さい"));
        Messages.clear();
        QCOMPARE(rule.MaxLength, 80);
        QVERIFY(dialog.isVisible()); // open, so that the number can be put right
    }
    // A sign is allowed; -1 fits the three characters.
    dialog.MaxLength->setText("-1");
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    QVERIFY(Messages.empty());
    QCOMPARE(rule.MaxLength, -1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void SettingDialogsTest::LineLengthLayout() {
    TVbLimitLengthOfLineSetting dialog(nullptr);
    QCOMPARE(dialog.MaxLength->pos(), QPoint(104, 12));
    QCOMPARE(dialog.MaxLength->width(), 33);
    QCOMPARE(dialog.Label1->pos(), QPoint(16, 16));
    QCOMPARE(dialog.Label1->text(), QString("一行の長さは(&L)"));
    QCOMPARE(dialog.Label1->buddy(), static_cast<QWidget*>(dialog.MaxLength));
    QCOMPARE(dialog.Label2->pos(), QPoint(144, 16));
    QCOMPARE(dialog.Label2->text(), QString("文字以下とする"));
    QCOMPARE(NextTabStop(dialog.Undo), static_cast<QWidget*>(dialog.MaxLength));
}

void SettingDialogsTest::NamingGridRefusesColumnZero() {
    TVbFileNamingRule rule;
    TVbFileNamingRuleSetting dialog(nullptr);
    dialog.BeginEdit(rule);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    TNamingRuleGrid* grid = dialog.NamingRuleGrid;
    QCOMPARE(grid->rowCount(), 8);
    QCOMPARE(grid->item(0, 0)->text(), QString("全てのファイル"));
    QCOMPARE(grid->item(0, 1)->text(), QString("*.*"));
    QCOMPARE(grid->item(7, 0)->text(), QString("上記以外のファイル"));
    QCOMPARE(grid->currentColumn(), 1);

    // Column 0: neither selectable nor editable, whatever moves the cursor there.
    QVERIFY(!(grid->item(3, 0)->flags() & (Qt::ItemIsSelectable | Qt::ItemIsEditable)));
    QVERIFY(grid->item(3, 1)->flags() & Qt::ItemIsEditable);
    grid->setCurrentCell(3, 0);
    QCOMPARE(grid->currentRow(), 3);
    QCOMPARE(grid->currentColumn(), 1);
    QVERIFY(!grid->item(3, 0)->isSelected());
    grid->setCurrentCell(5, 1);
    const QRect labelCell = grid->visualItemRect(grid->item(1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, labelCell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, labelCell.center());
    QCOMPARE(grid->currentRow(), 5);
    QCOMPARE(grid->currentColumn(), 1);
    QVERIFY(!grid->indexWidget(grid->model()->index(1, 0))); // no editor opened on a label
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Left);
    QCOMPARE(grid->currentColumn(), 1);
    QCOMPARE(grid->currentRow(), 5);
    // Tab and Backtab step from pattern to pattern.
    QTest::keyClick(grid, Qt::Key_Tab);
    QCOMPARE(grid->currentRow(), 6);
    QCOMPARE(grid->currentColumn(), 1);
    QTest::keyClick(grid, Qt::Key_Backtab);
    QCOMPARE(grid->currentRow(), 5);
    QCOMPARE(grid->currentColumn(), 1);
    // The labels stay what the rule holds.
    grid->item(5, 1)->setText("uc*.ctl");
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    QCOMPARE(rule.NamingRules.Names[5], Sj("ユーザコントロール(*.ctl)"));
    QCOMPARE(rule.NamingRules.Values[5], std::string("uc*.ctl"));
}

void SettingDialogsTest::NamingGridCommitsAnOpenEditor() {
    TVbFileNamingRule rule;
    // A pattern the widget cannot show exactly keeps its bytes when not edited.
    rule.NamingRules.Values[4] = "c\x81*.cls";
    TVbFileNamingRuleSetting dialog(nullptr);
    dialog.BeginEdit(rule);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    TNamingRuleGrid* grid = dialog.NamingRuleGrid;
    grid->setFocus();
    grid->setCurrentCell(2, 1);
    grid->editItem(grid->item(2, 1));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->model()->index(2, 1)));
    QVERIFY(editor);
    editor->setText("テスト*.frm");
    dialog.OkClick(); // as Enter on the OK button would, with the editor still open
    QCOMPARE(rule.NamingRules.Values[2], Sj("テスト*.frm"));
    QCOMPARE(rule.NamingRules.Values[4], std::string("c\x81*.cls"));
}

void SettingDialogsTest::NamingGridLayout() {
    TVbFileNamingRuleSetting dialog(nullptr);
    TNamingRuleGrid* grid = dialog.NamingRuleGrid;
    QCOMPARE(grid->geometry(), QRect(8, 24, 377, 153));
    QCOMPARE(grid->columnCount(), 2);
    QCOMPARE(grid->columnWidth(0), 177);
    QCOMPARE(grid->columnWidth(1), 187);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString("ファイルの種類"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("パターン"));
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    QVERIFY(grid->tabKeyNavigation());
    QCOMPARE(dialog.Label1->text(), QString("ファイル命名規則(&L)"));
    QCOMPARE(dialog.Label1->pos(), QPoint(12, 8));
    QCOMPARE(NextTabStop(dialog.Undo), static_cast<QWidget*>(grid));
}

void SettingDialogsTest::UnusedArgumentsLayoutAndTabOrder() {
    TVbUnusedArgumentsSetting dialog(nullptr);
    QCOMPARE(dialog.ExceptionList->geometry(), QRect(208, 24, 185, 157));
    QCOMPARE(dialog.ExceptEventProcedure->pos(), QPoint(16, 28));
    QCOMPARE(dialog.ExceptEventProcedure->text(), QString("ｲﾍﾞﾝﾄﾌﾟﾛｼｰｼﾞｬの引数を除く"));
    QCOMPARE(dialog.Label1->pos(), QPoint(212, 8));
    QCOMPARE(dialog.Label1->buddy(), static_cast<QWidget*>(dialog.ExceptionList));
    // Tab order: OK 0, Cancel 1, the list 2, Undo 3, the check box 4.
    QCOMPARE(NextTabStop(dialog.Cancel), static_cast<QWidget*>(dialog.ExceptionList));
    QCOMPARE(NextTabStop(dialog.ExceptionList), static_cast<QWidget*>(dialog.Undo));
    QCOMPARE(NextTabStop(dialog.Undo), static_cast<QWidget*>(dialog.ExceptEventProcedure));
}

void SettingDialogsTest::AutoIncrementLayout() {
    TVBNeedAutoIncrementVer rule;
    TVbNeedAutoIncrementVerSetting dialog(nullptr);
    dialog.BeginEdit(rule);
    QCOMPARE(dialog.IsRequired->count(), 2);
    QCOMPARE(dialog.IsRequired->itemText(0), QString("有効"));
    QCOMPARE(dialog.IsRequired->itemText(1), QString("無効"));
    QVERIFY(!dialog.IsRequired->isEditable());
    QCOMPARE(dialog.IsRequired->currentIndex(), 0); // Required is true by default
    QCOMPARE(dialog.IsRequired->pos(), QPoint(148, 16));
    QCOMPARE(dialog.Label1->text(), QString("自動インクリメントが(&L)"));
    // The label leads into the list: it ends where the list begins, at 32 + 116, or before.
    QCOMPARE(dialog.Label1->y(), 20);
    QVERIFY(dialog.Label1->x() <= 32);
    QVERIFY(dialog.Label1->geometry().right() < dialog.IsRequired->x());
    QCOMPARE(dialog.Label2->text(), QString("であること"));
    QCOMPARE(dialog.Label2->pos(), QPoint(208, 20));
    QCOMPARE(dialog.Label2->buddy(), static_cast<QWidget*>(dialog.IsRequired));
    QCOMPARE(NextTabStop(dialog.Undo), static_cast<QWidget*>(dialog.IsRequired));
}

void SettingDialogsTest::SingleControlDialogsLayout() {
    TVbNoCheckFileSetting files(nullptr);
    QCOMPARE(files.ExceptionFileList->geometry(), QRect(8, 24, 385, 157));
    QCOMPARE(files.Label1->text(), QString("次のファイルを除く(&L)"));
    QCOMPARE(files.Label1->pos(), QPoint(12, 8));
    QCOMPARE(NextTabStop(files.Undo), static_cast<QWidget*>(files.ExceptionFileList));

    TVbProhibitImplicitPublicDeclarationSetting pub(nullptr);
    QCOMPARE(pub.ExceptSubMain->pos(), QPoint(20, 16));
    QCOMPARE(pub.ExceptSubMain->width(), 257);
    QCOMPARE(pub.ExceptSubMain->text(), QString("Sub Mainはチェックしない"));
    QCOMPARE(NextTabStop(pub.Undo), static_cast<QWidget*>(pub.ExceptSubMain));
}

QTEST_MAIN(SettingDialogsTest)
#include "SettingDialogsTest.moc"
