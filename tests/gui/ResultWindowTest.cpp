// The result and log windows: their line lists, and the jump into the editor.
#include "GuiTestSupport.h"

#include "app/LogWindowUnit.h"
#include "app/OptionUnit.h"
#include "app/ResultWindowUnit.h"
#include "framework/Vetrin.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

class ResultWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    QString EditorScript;
    QString ArgumentsFile;

    // Fills the window with one result line and one jump record per finding.
    static void AddFinding(TResultWindow& window, TVetrins& checkers, const std::string& file,
                           int line) {
        std::string text = line == -1 ? file + " : m" : file + "(" + std::to_string(line) + ") : m";
        window.Lines().Add(text);
        checkers.JumpRecords.Add(file, line, "m");
    }
    static void PutCaret(TResultWindow& window, int block, int offset = 0) {
        window.Lines().Flush();
        QTextCursor cursor(window.Result->document()->findBlockByNumber(block));
        cursor.setPosition(cursor.position() + offset);
        window.Result->setTextCursor(cursor);
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

    void linesKeepEngineBytesAndShowUtf8() {
        QPlainTextEdit edit;
        TWindowLines lines(&edit);
        std::string japanese = Sj("C:\\表示\\ソース.frm(3) : 引数 x は未使用です。");
        std::string broken = "bad \x81 byte";
        lines.Add(japanese);
        lines.Add(broken);
        QCOMPARE(lines.Count(), 2);
        QCOMPARE(lines.Get(0), japanese);
        QCOMPARE(lines.Get(1), broken);
        QCoreApplication::processEvents(); // the batch reaches the box from the event loop
        QCOMPARE(edit.toPlainText(), QString("C:\\表示\\ソース.frm(3) : 引数 x は未使用です。\n"
                                             "bad \uFFFD byte"));
    }

    void replaceLastUpdatesShownAndPendingLines() {
        QPlainTextEdit edit;
        TWindowLines lines(&edit);
        lines.AppendToLast("first");
        lines.Flush();
        lines.AppendToLast(Sj("...完了"));
        lines.Add("second");
        lines.ReplaceLast("second!");
        lines.Flush();
        QCOMPARE(edit.toPlainText(), QString("first...完了\nsecond!"));
        QCOMPARE(lines.Get(0), "first" + Sj("...完了"));
        lines.Clear();
        QCOMPARE(lines.Count(), 0);
        QCOMPARE(edit.toPlainText(), QString());
        lines.Add("again");
        lines.Flush();
        QCOMPARE(edit.document()->blockCount(), 1);
    }

    void emptyLinesKeepOneParagraphEach() {
        QPlainTextEdit edit;
        TWindowLines lines(&edit);
        lines.Add("");
        lines.Flush();
        lines.Add("");
        lines.Flush();
        lines.Add("third");
        lines.Flush();
        QCOMPARE(edit.document()->blockCount(), 3);
        QCOMPARE(edit.document()->findBlockByNumber(2).text(), QString("third"));
    }

    void hundredThousandLogLinesStayQuick() {
        TLogWindow window;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 100000; ++i) {
            window.Lines().Add("2026/12/07 10:00:00 " + Sj("「一行の長さ制限」をチェック中 : ") +
                               "/p/F" + std::to_string(i) + ".bas...");
            window.Lines().AppendToLast(Sj("完了(Time: - )"));
        }
        window.Lines().Flush();
        QCOMPARE(window.Log->document()->blockCount(), 100000);
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(window.Log->document()->lastBlock().text().endsWith("F99999.bas...完了(Time: - )"));
    }

    void argumentsReplaceFirstLineThenFirstFile_data() {
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QStringList>("expected");
        const QString form = "C:\\vb\\Form1.frm";
        QTest::newRow("usual") << " /l%L %F" << form << 12 << QStringList{"/l12", form};
        QTest::newRow("only the first file") << "%F %F" << form << 3 << QStringList{form, "%F"};
        QTest::newRow("only the first line")
            << "%L:%L %F" << form << 3 << QStringList{"3:%L", form};
        QTest::newRow("no line") << " -n%L %F" << form << -1 << QStringList{"-n-1", form};
        QTest::newRow("letter case counts") << "%l %f" << form << 3 << QStringList{"%l", "%f"};
        // A file name holding "%L" is put in after the line, so it stays as it is.
        QTest::newRow("file first") << "%F +%L"
                                    << "/vb/a%L.bas" << 7 << QStringList{"/vb/a%L.bas", "+7"};
        // A path is one argument whatever it holds, with the template's quotes or without.
        const QString blanks = "/vb/Standard EXE Version/x \"q\".ctl";
        QTest::newRow("blanks and quotes")
            << "-n%L %F" << blanks << 1140 << QStringList{"-n1140", blanks};
        QTest::newRow("quoted in the template")
            << "-n%L \"%F\"" << blanks << 1140 << QStringList{"-n1140", blanks};
        QTest::newRow("inside an argument")
            << "--goto=\"%F:%L\""
            << "/vb/表示 1.frm" << 5 << QStringList{"--goto=/vb/表示 1.frm:5"};
    }
    void argumentsReplaceFirstLineThenFirstFile() {
        QFETCH(QString, parameters);
        QFETCH(QString, file);
        QFETCH(int, line);
        QFETCH(QStringList, expected);
        // The template is code page 932 text (vrt.ini); the file is the file system's name.
        QCOMPARE(
            TResultWindow::EditorArguments(Sj(parameters.toStdString()), file.toStdString(), line),
            expected);
    }

    void f10OpensTheFindingUnderTheCaret_data() {
        QTest::addColumn<int>("block");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("first line") << 0 << QStringList({"-l12", "/vb/Form1.frm"});
        QTest::newRow("finding without a line, blank in the path")
            << 1 << QStringList({"-l1", "/vb/Module 1.bas"});
        QTest::newRow("no line at all") << 2 << QStringList({"-l-1", "/vb/Class1.cls"});
        QTest::newRow("last line") << 3 << QStringList({"-l99", "/vb/表示.frm"});
    }
    void f10OpensTheFindingUnderTheCaret() {
        QFETCH(int, block);
        QFETCH(QStringList, arguments);
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        option.CommandLine = CommandLine(" -l%L %F").toStdString();
        TResultWindow window(option);
        TVetrins checkers;
        window.AttachCheckers(&checkers);
        AddFinding(window, checkers, "/vb/Form1.frm", 12);
        AddFinding(window, checkers, "/vb/Module 1.bas", 1);
        AddFinding(window, checkers, "/vb/Class1.cls", -1);
        AddFinding(window, checkers, "/vb/表示.frm", 99);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        PutCaret(window, block);
        window.Result->setFocus();
        QTest::keyClick(window.Result, Qt::Key_F10);
        QCOMPARE(EditorArguments(), arguments);
    }

    void aWrappedLineCountsOnce() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        option.CommandLine = CommandLine(" %F +%L").toStdString();
        TResultWindow window(option);
        TVetrins checkers;
        window.AttachCheckers(&checkers);
        std::string longFile = "/vb/" + std::string(600, 'x') + ".bas";
        AddFinding(window, checkers, "/vb/A.bas", 5);
        AddFinding(window, checkers, longFile, 7);
        AddFinding(window, checkers, "/vb/C.bas", 9);
        window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PutCaret(window, 1, 500); // on a later display row of the second result line
        QTextBlock block = window.Result->textCursor().block();
        QVERIFY(block.layout()->lineCount() > 1);
        QVERIFY(block.layout()->lineForTextPosition(500).lineNumber() > 0);
        window.Edit1->trigger();
        QCOMPARE(EditorArguments(), QStringList({QString::fromStdString(longFile), "+7"}));
    }

    void nothingStartsWithoutParametersOrFindings() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TResultWindow window(option);
        TVetrins checkers;
        window.AttachCheckers(&checkers);
        option.CommandLine = CommandLine(" %F").toStdString();
        window.Edit1->trigger(); // no findings
        AddFinding(window, checkers, "/vb/A.bas", 5);
        PutCaret(window, 0);
        option.CommandLine = CommandLine("").toStdString();
        window.Edit1->trigger();                               // a command line without parameters
        option.CommandLine = '"' + EditorScript.toStdString(); // quote never closed: no program
        window.Edit1->trigger();
        QTest::qWait(500);
        QVERIFY(!QFile::exists(ArgumentsFile));
        // The same finding with a proper command line does start it.
        option.CommandLine = CommandLine(" %F").toStdString();
        window.Edit1->trigger();
        QCOMPARE(EditorArguments(), QStringList({"/vb/A.bas"}));
    }

    // A right click, a double click and Enter open the finding on the line they are on.
    void rightClickDoubleClickAndEnterOpenThatFinding() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        option.CommandLine = CommandLine(" %F:%L").toStdString();
        TResultWindow window(option);
        TVetrins checkers;
        window.AttachCheckers(&checkers);
        for (int i = 1; i <= 3; ++i)
            AddFinding(window, checkers, "/vb/F" + std::to_string(i), i);
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto lineCentre = [&](int block) {
            QTextCursor cursor(window.Result->document()->findBlockByNumber(block));
            return window.Result->cursorRect(cursor).center() + QPoint(20, 0);
        };

        PutCaret(window, 0);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, lineCentre(2),
                                     window.Result->viewport()->mapToGlobal(lineCentre(2)));
        QApplication::sendEvent(window.Result->viewport(), &rightClick);
        QVERIFY(QTest::qWaitForWindowExposed(window.PopupMenu1));
        QVERIFY(window.PopupMenu1->actions().contains(window.Copy1));
        QVERIFY(window.PopupMenu1->actions().contains(window.SelectAll1));
        QTest::mouseClick(window.PopupMenu1, Qt::LeftButton, {},
                          window.PopupMenu1->actionGeometry(window.Edit1).center());
        QCOMPARE(EditorArguments(), QStringList({"/vb/F3:3"}));

        QFile::remove(ArgumentsFile);
        PutCaret(window, 0);
        QTest::mouseDClick(window.Result->viewport(), Qt::LeftButton, {}, lineCentre(1));
        QCOMPARE(EditorArguments(), QStringList({"/vb/F2:2"}));

        QFile::remove(ArgumentsFile);
        PutCaret(window, 2);
        window.Result->setFocus();
        QTest::keyClick(window.Result, Qt::Key_Return);
        QCOMPARE(EditorArguments(), QStringList({"/vb/F3:3"}));
    }

    // The caption counts the findings; Select All and Copy of the menu copy the result lines.
    void captionCountsFindingsAndTheMenuCopies() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TResultWindow window(option);
        TVetrins checkers;
        window.AttachCheckers(&checkers);
        for (int i = 0; i < 1234; ++i)
            AddFinding(window, checkers, "/vb/A.bas", i);
        window.Lines().Flush();
        QVERIFY2(window.windowTitle().contains("1,234"), qPrintable(window.windowTitle()));
        QVERIFY(!window.Copy1->isEnabled()); // nothing selected yet
        window.SelectAll1->trigger();
        QVERIFY(window.Copy1->isEnabled());
        window.Copy1->trigger();
        QCOMPARE(QApplication::clipboard()->text(), window.Result->toPlainText());
        QVERIFY(QApplication::clipboard()->text().startsWith("/vb/A.bas(0) : m\n"));
        window.Lines().Clear();
        QVERIFY(!window.windowTitle().contains("1,234"));
    }
};

QTEST_MAIN(ResultWindowTest)
#include "ResultWindowTest.moc"
