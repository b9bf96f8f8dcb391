// The result window: one finding per row, the jump from the current row into the editor, the
// context menu and Copy.
#include "GuiTestSupport.h"

#include "app/ResultWindowUnit.h"
#include "presenters/ResultStore.h"
#include "presenters/VtOption.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

class ResultWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    QString EditorScript;
    QString ArgumentsFile;

    static void AddFinding(TResultWindow& window, const std::string& file, int line) {
        TFindingRecord finding;
        finding.Rule = "TVbNoCheckFile";
        finding.File = file;
        finding.Line = line;
        finding.Message = "m";
        finding.Origin = line == -1 ? TFindingRecord::TOrigin::Report : TFindingRecord::TOrigin::At;
        window.Lines().Add(finding);
        window.LinesChanged();
    }
    static void PutCurrent(TResultWindow& window, int row) {
        window.Result->setCurrentIndex(window.Result->model()->index(row, 0));
    }
    static QPoint RowCentre(TResultWindow& window, int row) {
        return window.Result->visualRect(window.Result->model()->index(row, 0)).center();
    }
    // The arguments the stand-in editor was started with, once it has written them.
    QStringList EditorArguments() {
        if (!QTest::qWaitFor([&] { return QFile::exists(ArgumentsFile); }, 10000)) return {"none"};
        QStringList lines = QString::fromUtf8(ReadAll(ArgumentsFile)).split('\n');
        lines.removeLast();
        return lines;
    }
    QString CommandLine(const QString& parameters) const {
        return '"' + EditorScript + '"' + parameters;
    }
    void ShowActive(TResultWindow& window) {
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

private slots:
    void initTestCase() {
        // The stand-in editor writes its arguments one per line, then moves the list into place.
        EditorScript = Dir.filePath("stand in/editor.sh");
        ArgumentsFile = Dir.filePath("stand in/arguments.txt");
        QVERIFY(WriteAll(EditorScript, "#!/bin/sh\nout=\"$(dirname \"$0\")/arguments.txt\"\n"
                                       ": > \"$out.tmp\"\nfor a in \"$@\"; do printf '%s\\n' "
                                       "\"$a\" >> \"$out.tmp\"; done\nmv \"$out.tmp\" \"$out\"\n"));
        QFile::setPermissions(EditorScript, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
    }
    void init() { QFile::remove(ArgumentsFile); }

    void f10OpensTheFindingOfTheCurrentRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("first row") << 0 << QStringList({"-l12", "/vb/Form1.frm"});
        QTest::newRow("a finding without a line opens line 1")
            << 1 << QStringList({"-l1", "/vb/Module 1.bas"});
        QTest::newRow("last row") << 2 << QStringList({"-l99", "/vb/表示.frm"});
    }
    void f10OpensTheFindingOfTheCurrentRow() {
        QFETCH(int, row);
        QFETCH(QStringList, arguments);
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        option.CommandLine = CommandLine(" -l%L %F").toStdString();
        TResultWindow window(option);
        AddFinding(window, "/vb/Form1.frm", 12);
        AddFinding(window, "/vb/Module 1.bas", -1);
        AddFinding(window, "/vb/表示.frm", 99);
        ShowActive(window);
        PutCurrent(window, row);
        window.Result->setFocus();
        QTest::keyClick(window.Result, Qt::Key_F10);
        QCOMPARE(EditorArguments(), arguments);
    }

    // No finding: nothing. No editor, or one that cannot start: said, naming the command line.
    void f10WithoutAnEditorSaysSo() {
        TRecordingPrompts prompts;
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TResultWindow window(option);
        window.Edit1->trigger(); // no findings: nothing to open, nothing said
        QCOMPARE(prompts.Errors, QStringList());
        AddFinding(window, "/vb/A.bas", 5);
        PutCurrent(window, 0);
        window.Edit1->trigger(); // no editor set
        option.CommandLine = "/nowhere/editor.exe %F";
        window.Edit1->trigger(); // one that is not there
        QCOMPARE(prompts.Errors.size(), 2);
        QVERIFY(prompts.Errors[0].contains("オプション"));
        QVERIFY2(prompts.Errors[1].contains("/nowhere/editor.exe /vb/A.bas"),
                 qPrintable(prompts.Errors[1]));
        QVERIFY(!QFile::exists(ArgumentsFile));
    }

    // A right click, a double click and Enter open the finding of the row they are on.
    void rightClickDoubleClickAndEnterOpenThatFinding() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        option.CommandLine = CommandLine(" %F:%L").toStdString();
        TResultWindow window(option);
        for (int i = 1; i <= 3; ++i)
            AddFinding(window, "/vb/F" + std::to_string(i), i);
        ShowActive(window);

        PutCurrent(window, 0);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, RowCentre(window, 2),
                                     window.Result->viewport()->mapToGlobal(RowCentre(window, 2)));
        QApplication::sendEvent(window.Result->viewport(), &rightClick);
        QVERIFY(QTest::qWaitForWindowExposed(window.PopupMenu1));
        QTest::mouseClick(window.PopupMenu1, Qt::LeftButton, {},
                          window.PopupMenu1->actionGeometry(window.Edit1).center());
        QCOMPARE(EditorArguments(), QStringList({"/vb/F3:3"}));

        QFile::remove(ArgumentsFile);
        PutCurrent(window, 0);
        QTest::mouseDClick(window.Result->viewport(), Qt::LeftButton, {}, RowCentre(window, 1));
        QCOMPARE(EditorArguments(), QStringList({"/vb/F2:2"}));

        QFile::remove(ArgumentsFile);
        PutCurrent(window, 2);
        window.Result->setFocus();
        QTest::keyClick(window.Result, Qt::Key_Return);
        QCOMPARE(EditorArguments(), QStringList({"/vb/F3:3"}));
    }

    // After Select All, a right click on another row keeps the selection: Copy copies all.
    void rightClickKeepsTheSelectionForCopy() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TResultWindow window(option);
        for (int i = 1; i <= 3; ++i)
            AddFinding(window, "/vb/F.bas", i);
        ShowActive(window);
        PutCurrent(window, 0);
        window.SelectAll1->trigger();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, RowCentre(window, 2),
                                     window.Result->viewport()->mapToGlobal(RowCentre(window, 2)));
        QApplication::sendEvent(window.Result->viewport(), &rightClick);
        QVERIFY(QTest::qWaitForWindowExposed(window.PopupMenu1));
        QVERIFY(window.Copy1->isEnabled());
        QCOMPARE(window.Result->currentIndex().row(), 2);
        window.PopupMenu1->hide();
        window.Copy1->trigger();
        const QString all("/vb/F.bas(1) : m\n/vb/F.bas(2) : m\n/vb/F.bas(3) : m");
        QCOMPARE(QApplication::clipboard()->text(), all);
        // The keys do the same as the menu.
        QApplication::clipboard()->clear();
        window.Result->setFocus();
        PutCurrent(window, 1);
        QTest::keyClick(window.Result, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window.Result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), all);
    }

    // The caption counts the findings, and says so when a check found none.
    void captionCountsFindings() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TResultWindow window(option);
        QCOMPARE(window.windowTitle(), QString("結果"));
        window.CheckEnded();
        QCOMPARE(window.windowTitle(), QString("結果 (0件)"));
        for (int i = 0; i < 1234; ++i)
            window.Lines().Add({"R", "/vb/A.bas", i, "m", TFindingRecord::TOrigin::At});
        window.LinesChanged();
        QCOMPARE(window.Result->model()->rowCount(), 1234);
        QVERIFY2(window.windowTitle().contains("1,234"), qPrintable(window.windowTitle()));
        QVERIFY(!window.Copy1->isEnabled()); // nothing selected yet
        window.SelectAll1->trigger();
        QVERIFY(window.Copy1->isEnabled());
        window.Lines().Clear();
        window.LinesChanged();
        QCOMPARE(window.Result->model()->rowCount(), 0);
    }
};

QTEST_MAIN(ResultWindowTest)
#include "ResultWindowTest.moc"
