// The six rule settings dialogs, opened the way the application opens them: through the rule's
// ShowDetail and the registry that RegisterSettingDialogs fills.
#include "app/settings/SettingDialogs.h"
#include "app/settings/ConfigWindowTemplateUnit.h"
#include "app/settings/VbFileNamingRuleSettingDialog.h"
#include "app/settings/VbLimitLengthOfLineSettingDialog.h"
#include "app/settings/VbNeedAutoIncrementVerSettingDialog.h"
#include "app/settings/VbNoCheckFileSettingDialog.h"
#include "app/settings/VbProcedureMetricsSettingDialog.h"
#include "app/settings/VbProhibitImplicitPublicDeclarationSettingDialog.h"
#include "app/settings/VbUnusedArgumentsSettingDialog.h"
#include "checkers/Checkers.h"
#include "checkers/RuleTable.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <sstream>

namespace {

std::string Sj(const char* utf8) { return platform::Utf8ToCp932(utf8); }

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

// Starts editing the rule in the naming dialog and shows it; answers whether it came up.
bool ShownEditing(TVbFileNamingRuleSetting& dialog, TVbFileNamingRule& rule) {
    dialog.BeginEdit(rule);
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog);
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

template <class TRule> TRule& As(TVetrin& rule) { return dynamic_cast<TRule&>(rule); }

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
        {"TVbProcedureMetrics",
         [](QWidget& d) {
             Control<QLineEdit>(d, "MaxStatements")->setText("250");
             Control<QLineEdit>(d, "MaxComplexity")->setText("0");
         },
         [](QWidget& d) {
             return Control<QLineEdit>(d, "MaxStatements")->text() == "250" &&
                    Control<QLineEdit>(d, "MaxComplexity")->text() == "0";
         },
         [](TVetrin& r) {
             auto& rule = As<TVbProcedureMetrics>(r);
             return rule.MaxStatements == 250 && rule.MaxNesting == 5 && rule.MaxComplexity == 0;
         }},
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
    void LineLengthRefusesWhatIsNotAPositiveNumber();
    void MetricsRefuseANegativeLimit();
    void NamingGridRefusesColumnZero();
    void NamingGridCommitsAnOpenEditor();
    void NamingGridShowsEveryRowWithoutScrolling();
    void ControlNamesAndTabOrder();

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

void SettingDialogsTest::init() { Messages.clear(); }

void SettingDialogsTest::cleanupTestCase() { TConfigWindowTemplete::SetMessageBox({}); }

void SettingDialogsTest::RegistryCoversTheRulesWithSettings() {
    TVetrins checkers;
    AddAllCheckers(checkers);
    for (int i = 0; i < checkers.Count(); ++i) {
        TVetrin* rule = checkers.Items(i);
        const bool registered = static_cast<bool>(FindRuleRow(rule->ClassName())->Dialog);
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

void SettingDialogsTest::LineLengthRefusesWhatIsNotAPositiveNumber() {
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
    // A number, but no limit: it would report every line.
    for (const char* bad : {"-1", "0", "+0"}) {
        dialog.MaxLength->setText(bad);
        QTest::mouseClick(dialog.Ok, Qt::LeftButton);
        QCOMPARE(Messages.size(), std::size_t(1));
        QCOMPARE(Messages[0].Text, QString("1 以上の数値を入力して下さい"));
        Messages.clear();
        QCOMPARE(rule.MaxLength, 80);
        QVERIFY(dialog.isVisible());
    }
    dialog.MaxLength->setText("+1"); // a sign is allowed
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    QVERIFY(Messages.empty());
    QCOMPARE(rule.MaxLength, 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void SettingDialogsTest::MetricsRefuseANegativeLimit() {
    TVbProcedureMetrics rule;
    TVbProcedureMetricsSetting dialog(nullptr);
    dialog.BeginEdit(rule);
    dialog.show();
    const int nesting = rule.MaxNesting;
    dialog.MaxNesting->setText("-1");
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    QCOMPARE(Messages.size(), std::size_t(1));
    QCOMPARE(Messages[0].Text, QString("0 以上の数値を入力して下さい"));
    QCOMPARE(rule.MaxNesting, nesting);
    QVERIFY(dialog.isVisible());
    dialog.MaxNesting->setText("0"); // no limit: allowed
    QTest::mouseClick(dialog.Ok, Qt::LeftButton);
    QCOMPARE(rule.MaxNesting, 0);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void SettingDialogsTest::NamingGridRefusesColumnZero() {
    TVbFileNamingRule rule;
    TVbFileNamingRuleSetting dialog(nullptr);
    QVERIFY(ShownEditing(dialog, rule));
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

void SettingDialogsTest::NamingGridShowsEveryRowWithoutScrolling() {
    TVbFileNamingRule rule;
    TVbFileNamingRuleSetting dialog(nullptr);
    QVERIFY(ShownEditing(dialog, rule));
    TNamingRuleGrid* grid = dialog.NamingRuleGrid;
    QVERIFY(!grid->verticalScrollBar()->isVisible());
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
    const QRect shown = grid->viewport()->rect();
    QVERIFY(shown.contains(grid->visualItemRect(grid->item(0, 0))));
    QVERIFY(shown.contains(grid->visualItemRect(grid->item(grid->rowCount() - 1, 1))));
    // The grid and the buttons stay inside the dialog.
    for (QWidget* control : {static_cast<QWidget*>(grid), static_cast<QWidget*>(dialog.Ok),
                             static_cast<QWidget*>(dialog.Cancel)}) {
        QVERIFY(dialog.rect().contains(control->geometry()));
        QVERIFY(control == grid || !control->geometry().intersects(grid->geometry()));
    }
}

void SettingDialogsTest::NamingGridCommitsAnOpenEditor() {
    TVbFileNamingRule rule;
    // A pattern the widget cannot show exactly keeps its bytes when not edited.
    rule.NamingRules.Values[4] = "c\x81*.cls";
    TVbFileNamingRuleSetting dialog(nullptr);
    QVERIFY(ShownEditing(dialog, rule));
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

// The window code and the tests find controls by name; Tab visits OK, Cancel, then each
// dialog's own order of Undo and its controls.
void SettingDialogsTest::ControlNamesAndTabOrder() {
    auto tabChain = [](TConfigWindowTemplete& d, int length) {
        QStringList names;
        QWidget* at = d.Ok;
        for (int i = 0; i < length; ++i, at = NextTabStop(at))
            names << at->objectName();
        return names;
    };
    TVbLimitLengthOfLineSetting length(nullptr);
    QCOMPARE(tabChain(length, 5), QStringList({"Ok", "Cancel", "Undo", "MaxLength", "Ok"}));
    QCOMPARE(length.Label1->buddy(), static_cast<QWidget*>(length.MaxLength));
    TVbNoCheckFileSetting files(nullptr);
    QCOMPARE(tabChain(files, 4), QStringList({"Ok", "Cancel", "Undo", "ExceptionFileList"}));
    TVbProhibitImplicitPublicDeclarationSetting pub(nullptr);
    QCOMPARE(tabChain(pub, 4), QStringList({"Ok", "Cancel", "Undo", "ExceptSubMain"}));
    TVbFileNamingRuleSetting naming(nullptr);
    QCOMPARE(tabChain(naming, 4), QStringList({"Ok", "Cancel", "Undo", "NamingRuleGrid"}));
    QCOMPARE(naming.NamingRuleGrid->columnWidth(1), 187);
    QCOMPARE(naming.NamingRuleGrid->horizontalHeader()->sectionResizeMode(0),
             QHeaderView::Interactive);
    // This dialog puts its list before Undo.
    TVbUnusedArgumentsSetting arguments(nullptr);
    QCOMPARE(tabChain(arguments, 5),
             QStringList({"Ok", "Cancel", "ExceptionList", "Undo", "ExceptEventProcedure"}));
    QCOMPARE(arguments.Label1->buddy(), static_cast<QWidget*>(arguments.ExceptionList));

    TVBNeedAutoIncrementVer rule;
    TVbNeedAutoIncrementVerSetting autoInc(nullptr);
    autoInc.BeginEdit(rule);
    QCOMPARE(tabChain(autoInc, 4), QStringList({"Ok", "Cancel", "Undo", "IsRequired"}));
    QCOMPARE(autoInc.IsRequired->count(), 2);
    QVERIFY(!autoInc.IsRequired->isEditable());
    QCOMPARE(autoInc.IsRequired->currentIndex(), 0); // Required is true by default
    // The sentence reads label, list, label: a label wider in this font than planned grows to
    // the left and never covers the list.
    QCOMPARE(autoInc.Label1->y(), 20);
    QVERIFY(autoInc.Label1->x() <= 32);
    QVERIFY(autoInc.Label1->geometry().right() < autoInc.IsRequired->x());
    QCOMPARE(autoInc.Label2->buddy(), static_cast<QWidget*>(autoInc.IsRequired));
}

QTEST_MAIN(SettingDialogsTest)
#include "SettingDialogsTest.moc"
