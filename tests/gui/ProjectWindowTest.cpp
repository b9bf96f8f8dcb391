// The project window and the run driver, on a copy of the example project.
#include "GuiTestSupport.h"

#include "app/LogWindowUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/ResultWindowUnit.h"
#include "checkers/RuleTable.h"
#include "framework/Vetrin.h"
#include "presenters/LineStore.h"
#include "presenters/ResultStore.h"
#include "presenters/VtOption.h"
#include "vbsource/VbSource.h"

#include <QCheckBox>
#include <QDateTime>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

class ProjectWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> Dir;
    std::unique_ptr<TVtOption> Option;
    std::unique_ptr<TLogWindow> Log;
    std::unique_ptr<TResultWindow> Result;
    std::unique_ptr<TProjectWindow> Window;
    std::unique_ptr<TRecordingPrompts> Prompts;

    QString ProjectFile() const { return Dir->filePath("vb/Example.vbp"); }
    QString Member(const char* name) const { return Dir->filePath(QString("vb/") + name); }

    void OpenWindow() { Window = std::make_unique<TProjectWindow>(*Option, *Result, *Log); }
    QCheckBox* Box(const char* name) const { return Window->findChild<QCheckBox*>(name); }
    QToolButton* Button(const char* name) const { return Window->findChild<QToolButton*>(name); }
    QStringList TickedBoxes() const {
        QStringList names;
        for (QCheckBox* box : Window->Relations().CheckBoxes)
            if (box->isChecked()) names << box->objectName();
        return names;
    }
    int LogLinesWith(const char* utf8) const {
        std::string what = Sj(utf8);
        int n = 0;
        for (int i = 0; i < Log->Lines().Count(); ++i)
            if (Log->Lines().Get(i).find(what) != std::string::npos) ++n;
        return n;
    }
    int ParseLines() const { return LogLinesWith(" を解析中..."); }
    void Check(const QString& path) {
        Window->TargetProjectPath->setText(path);
        QTest::mouseClick(Window->Check, Qt::LeftButton);
        Window->WaitForRun();
    }

private slots:
    void init() {
        Dir = std::make_unique<QTemporaryDir>();
        QDir examples(VETRIN_SOURCE_DIR "/examples");
        QDir().mkpath(Dir->filePath("vb"));
        for (const QString& file : examples.entryList(QDir::Files))
            QVERIFY(QFile::copy(examples.filePath(file), Member(qPrintable(file))));
        Option = std::make_unique<TVtOption>(Dir->filePath("vrt.ini").toStdString());
        Log = std::make_unique<TLogWindow>();
        Result = std::make_unique<TResultWindow>(*Option);
        Prompts = std::make_unique<TRecordingPrompts>();
    }
    void cleanup() {
        Window.reset();
        Result.reset();
        Log.reset();
        Prompts.reset();
        Dir.reset();
    }

    void startsWithOneRowPerRuleOnItsTab() {
        Option->TargetProject = "/vb/プロジェクト.vbp"; // a file-system path
        OpenWindow();
        QCOMPARE(Window->windowTitle(), QString("ﾌﾟﾛｼﾞｪｸﾄ"));
        QCOMPARE(Window->TargetProjectPath->text(), QString("/vb/プロジェクト.vbp"));
        QStringList tabs;
        for (int i = 0; i < Window->TabPages->count(); ++i)
            tabs << Window->TabPages->widget(i)->objectName() + ":" + Window->TabPages->tabText(i);
        QCOMPARE(tabs,
                 QStringList({"TabGlobal:設定", "TabUnused:未使用", "TabProhibit:禁止",
                              "TabNaming:命名規則", "TabStatistics:統計", "TabOther:その他"}));
        QCOMPARE(Window->TabPages->currentIndex(), 0);

        // One row per rule of the rule table, numbered within its tab in table order.
        const auto table = RuleTable();
        QCOMPARE(Window->Relations().Count(), static_cast<int>(table.size()));
        int perTab[CategoryCount] = {};
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            const TRuleRow& row = table[static_cast<std::size_t>(i)];
            const QString word = Window->TabPages->widget(row.Category)->objectName().mid(3);
            const int n = ++perTab[row.Category];
            const int top = 4 + 20 * (n - 1);
            QCheckBox* box = Box(("CheckBox" + word + QString::number(n)).toUtf8().constData());
            QToolButton* button =
                Button(("ShowConfig" + word + QString::number(n)).toUtf8().constData());
            QVERIFY2(box && button, row.DisplayName);
            QCOMPARE(box->parentWidget(), Window->TabPages->widget(row.Category));
            QCOMPARE(box->text(), QString::fromUtf8(row.DisplayName));
            QCOMPARE(box->geometry(), QRect(8, top, 261, 17));
            QCOMPARE(button->geometry(), QRect(276, top, 25, 17));
            QVERIFY(!box->isHidden());
            QCOMPARE(!button->isHidden(), row.Create()->HasSettings());
            QCOMPARE(ControlTag(box), i);
            QCOMPARE(ControlTag(button), i);
            QCOMPARE(Window->Relations().CheckBoxAt(i), box);
            QCOMPARE(Window->Relations().CheckerAt(i), Window->Checkers().Items(i));
        }
        QCOMPARE(Window->findChildren<QCheckBox*>(QRegularExpression("^CheckBox")).size(),
                 static_cast<qsizetype>(RuleTable().size()));
        QCOMPARE(TickedBoxes(), QStringList({"CheckBoxGlobal1"}));
        QVERIFY(Window->IsClear->isChecked());
        QVERIFY(Window->SaveWithResult->isHidden());
    }

    void firstCheckRunsOnlyTheExcludedFilesRule() {
        OpenWindow();
        Check(ProjectFile());
        QCOMPARE(ParseLines(), 5);
        int ruleLines = LogLinesWith("」をチェック中 : ");
        QCOMPARE(ruleLines, 6); // the project and its five members
        QCOMPARE(LogLinesWith("「例外ファイル設定」をチェック中 : "), ruleLines);
        QVERIFY(QApplication::overrideCursor() == nullptr); // the wait cursor is gone
        QCOMPARE(Ui(Option->TargetProject), ProjectFile());
    }

    void checkFillsResultAndLogWindows() {
        OpenWindow();
        Window->SpeedButton2Click();
        Check(ProjectFile());
        TResultStore& results = Result->Lines();
        QVERIFY(results.Count() > 0);
        // The version rule reports on the project file itself (AutoIncrementVer=0).
        QVERIFY(results.Line(0).rfind(ProjectFile().toStdString() + "(", 0) == 0);
        // The windows show every row once the run has ended.
        QCOMPARE(Result->Result->model()->rowCount(), results.Count());
        const int last = Log->Lines().Count() - 1;
        QCOMPARE(Log->Log->model()->rowCount(), last + 1);
        QCOMPARE(Log->Log->model()->index(last, 0).data().toString(), Ui(Log->Lines().Get(last)));
    }

    void secondCheckReusesTheParsedProject() {
        OpenWindow();
        Check(ProjectFile());
        int results = Result->Lines().Count();
        Check(ProjectFile());
        QCOMPARE(ParseLines(), 0); // the log was cleared and nothing was parsed again
        QVERIFY(LogLinesWith("」をチェック中 : ") > 0);
        QCOMPARE(Result->Lines().Count(), results);

        // Without clearing, the lines pile up.
        Window->IsClear->setChecked(false);
        Window->SpeedButton2Click();
        Check(ProjectFile());
        int once = Result->Lines().Count();
        Check(ProjectFile());
        QCOMPARE(Result->Lines().Count(), 2 * once);
    }

    void notAProjectIsRefusedAndAnotherCodePageRereads() {
        OpenWindow();
        const QString module = Member("modCommon.bas");
        Check(module);
        QCOMPARE(Prompts->Errors,
                 QStringList({module + " は VB のプロジェクトファイルではありません"}));
        QCOMPARE(Result->Lines().Count(), 0);
        Prompts->Errors.clear();
        Check(ProjectFile());
        QCOMPARE(Prompts->Errors, QStringList());
        // A code page chosen in the options applies from the next check on: the project is read
        // again in it.
        Option->CodePage = 1252;
        Check(ProjectFile());
        QVERIFY(ParseLines() > 0);
    }

    void touchedMemberMakesTheNextCheckRereadAll() {
        OpenWindow();
        Check(ProjectFile());
        QFile member(Member("modCommon.bas"));
        QVERIFY(member.open(QIODevice::ReadWrite));
        QVERIFY(member.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                   QFileDevice::FileModificationTime));
        member.close();
        Check(ProjectFile());
        QCOMPARE(ParseLines(), 5);
    }

    void pathDifferingInLetterCaseRereads() {
        OpenWindow();
        Check(ProjectFile());
        // The same project under a name that differs in letter case only (as on a file system
        // that ignores case).
        QVERIFY(QFile::copy(ProjectFile(), Dir->filePath("vb/EXAMPLE.vbp")));
        Check(Dir->filePath("vb/EXAMPLE.vbp"));
        QCOMPARE(ParseLines(), 5);
        QCOMPARE(Ui(Window->Project().FileName), Dir->filePath("vb/EXAMPLE.vbp"));
    }

    void analyzeAlwaysRereadsAndChecksNothing() {
        OpenWindow();
        Window->TargetProjectPath->setText(ProjectFile());
        Window->IsClear->setChecked(false);
        QTest::mouseClick(Window->Analyze, Qt::LeftButton);
        Window->WaitForRun();
        QTest::mouseClick(Window->Analyze, Qt::LeftButton);
        Window->WaitForRun();
        QCOMPARE(ParseLines(), 10);
        QCOMPARE(LogLinesWith("」をチェック中 : "), 0);
        QCOMPARE(Ui(Option->TargetProject), ProjectFile());
    }

    void checkAllThenSaveWritesEveryRuleEnabled() {
        OpenWindow();
        QString saved = Dir->filePath("all.vrp");
        Prompts->Answers << saved;
        QTest::mouseClick(Window->SpeedButton2, Qt::LeftButton);
        QCOMPARE(TickedBoxes().size(), static_cast<qsizetype>(RuleTable().size()));
        QTest::mouseClick(Window->SaveAs, Qt::LeftButton);
        QCOMPARE(Prompts->Errors, QStringList());
        QCOMPARE(Prompts->Requests.size(), 1);
        QCOMPARE(Prompts->Requests[0].Kind, TFileRequest::Save);
        QCOMPARE(Prompts->Requests[0].FilterPattern, std::string("*.vrp"));
        QCOMPARE(Prompts->Requests[0].DefaultSuffix, std::string("vrp"));
        QCOMPARE(Prompts->Requests[0].FileName, std::string()); // nothing saved or opened yet

        QStringList lines = Ui(ReadAll(saved).toStdString()).split("\r\n");
        int headers = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith("[T")) continue;
            ++headers;
            QCOMPARE(lines[i + 1], QString("True"));
        }
        QCOMPARE(headers, static_cast<int>(RuleTable().size()));

        // The next dialog starts at the file saved last.
        QTest::mouseClick(Window->Open, Qt::LeftButton);
        QCOMPARE(Q(Prompts->Requests[1].Folder), Dir->path());
        QCOMPARE(Q(Prompts->Requests[1].FileName), QString("all.vrp"));
    }

    void openingACheckerProjectShowsItsFlags() {
        OpenWindow();
        QString file = Dir->filePath("規則.vrp");
        WriteAll(file, "[TVbLimitLengthOfLine] : x\r\nTrue\r\n120\r\n");
        Prompts->Answers << file;
        QTest::mouseClick(Window->Open, Qt::LeftButton);
        QCOMPARE(Prompts->Errors, QStringList());
        // The flags lead the boxes: the excluded-files box follows its (unset) flag too.
        QCOMPARE(TickedBoxes(), QStringList({"CheckBoxProhibit2"}));
        QCOMPARE(QString::fromStdString(Option->LastOpen), file);
        QVERIFY(Window->Checkers().FindByClassName("TVbLimitLengthOfLine")->Enabled);
    }

    void missingCheckerProjectChangesNothing() {
        OpenWindow();
        Box("CheckBoxUnused1")->setChecked(true);
        Option->LastOpen = "/earlier.vrp";
        QString missing = Dir->filePath("missing.vrp");
        Prompts->Answers << missing;
        QTest::mouseClick(Window->Open, Qt::LeftButton);
        QCOMPARE(Prompts->Errors, QStringList({"ファイル " + missing + " は開けません"}));
        QCOMPARE(TickedBoxes(), QStringList({"CheckBoxGlobal1", "CheckBoxUnused1"}));
        QCOMPARE(Option->LastOpen, std::string("/earlier.vrp"));

        Prompts->Answers << QString(); // cancelled: nothing happens
        QTest::mouseClick(Window->Open, Qt::LeftButton);
        QCOMPARE(Prompts->Errors.size(), 1);
    }

    void badValueChangesNothingAndNamesTheLine() {
        OpenWindow();
        QString file = Dir->filePath("bad.vrp");
        WriteAll(file,
                 "[TVBNeedOptionExplicit] : x\r\nTrue\r\n[TVbLimitLengthOfLine] : x\r\nTrue\r\n"
                 "eighty\r\n[TVBUnusedLocalVariables] : x\r\nTrue\r\n");
        Prompts->Answers << file;
        QTest::mouseClick(Window->Open, Qt::LeftButton);
        QCOMPARE(Prompts->Errors, QStringList({file + "(5) : 'eighty' は整数ではありません"}));
        QCOMPARE(TickedBoxes(), QStringList({"CheckBoxGlobal1"}));
        QCOMPARE(Option->LastOpen, std::string());
    }

    void startUpOpensTheLastCheckerProject() {
        QString file = Dir->filePath("last.vrp");
        WriteAll(file,
                 "[TVbNoCheckFile] : x\r\nFalse\r\n0\r\n[TVbAnalyzeStatistics] : x\r\nTrue\r\n");
        Option->LastOpen = file.toStdString();
        OpenWindow();
        QCOMPARE(TickedBoxes(), QStringList({"CheckBoxStatistics1"}));
        QCOMPARE(Prompts->Errors, QStringList());
    }

    void startUpWithAMissingLastCheckerProjectGoesOn() {
        Option->LastOpen = Dir->filePath("gone.vrp").toStdString();
        OpenWindow();
        QCOMPARE(Prompts->Errors,
                 QStringList({"ファイル " + Dir->filePath("gone.vrp") + " は開けません"}));
        QCOMPARE(TickedBoxes(), QStringList({"CheckBoxGlobal1"}));
        QCOMPARE(Window->Relations().Count(), static_cast<int>(RuleTable().size()));
        QCOMPARE(Window->TabPages->currentIndex(), 0);
    }

    void choosingTheVbProjectOnlySetsThePath() {
        OpenWindow();
        Window->TargetProjectPath->setText(ProjectFile());
        Prompts->Answers << Dir->filePath("other/Other.vbp") << QString();
        QTest::mouseClick(Window->OpenFile, Qt::LeftButton);
        QCOMPARE(Q(Prompts->Requests[0].Folder), Dir->filePath("vb"));
        QCOMPARE(Prompts->Requests[0].FilterPattern, std::string("*.vbp"));
        // A dialog's title is no label: no accelerator, no colon.
        QVERIFY(!Q(Prompts->Requests[0].Caption).contains('&'));
        QVERIFY(!Q(Prompts->Requests[0].Caption).endsWith(':'));
        QCOMPARE(Window->TargetProjectPath->text(), Dir->filePath("other/Other.vbp"));
        QTest::mouseClick(Window->OpenFile, Qt::LeftButton); // cancelled
        QCOMPARE(Window->TargetProjectPath->text(), Dir->filePath("other/Other.vbp"));
        QCOMPARE(Log->Lines().Count(), 0);
    }

    void missingOrEmptyProjectPathIsReportedAndNothingRuns() {
        OpenWindow();
        Window->SpeedButton2Click();
        const QString gone = Dir->filePath("vb/Gone.vbp");
        for (QPushButton* button : {Window->Check, Window->Analyze}) {
            for (const QString& path : {gone, QString()}) {
                Prompts->Errors.clear();
                Window->TargetProjectPath->setText(path);
                QTest::mouseClick(button, Qt::LeftButton);
                Window->WaitForRun();
                // An empty box names no project: said so, rather than a file without a name.
                QCOMPARE(Prompts->Errors.size(), 1);
                QVERIFY(path.isEmpty()
                            ? Prompts->Errors[0].contains("指定されていません")
                            : Prompts->Errors[0] == "ファイル " + path + " は開けません");
                QCOMPARE(Log->Lines().Count(), 0);
                QCOMPARE(Result->Lines().Count(), 0);
            }
        }
        // A folder is no project file either.
        Prompts->Errors.clear();
        Check(Dir->filePath("vb"));
        QCOMPARE(Prompts->Errors.size(), 1);
        QCOMPARE(Log->Lines().Count(), 0);
    }

    void currentTabStandsOut() {
        OpenWindow();
        Window->show();
        QVERIFY(QTest::qWaitForWindowExposed(Window.get()));
        QTabBar* bar = Window->TabPages->tabBar();
        // Every tab is drawn apart from the others, and the current one differently from them.
        // The colour most of a tab is filled with (its background, not its text).
        auto background = [bar](const QImage& image, int tab) {
            QRect r = bar->tabRect(tab).adjusted(2, 2, -2, -2);
            std::map<int, int> counts;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    ++counts[qGray(image.pixel(x, y))];
            return std::max_element(counts.begin(), counts.end(),
                                    [](auto& a, auto& b) { return a.second < b.second; })
                ->first;
        };
        for (int current : {0, 3}) {
            Window->TabPages->setCurrentIndex(current);
            QImage image = bar->grab().toImage();
            int other = current == 0 ? 1 : 0;
            QVERIFY(std::abs(background(image, current) - background(image, other)) >= 12);
        }
        QVERIFY(bar->tabRect(5).right() < bar->width()); // all six still fit
    }

    void settingsButtonWithoutADialogShowsTheAssertion() {
        OpenWindow();
        QTest::mouseClick(Button("ShowConfigProhibit2"), Qt::LeftButton);
        QCOMPARE(Prompts->Errors,
                 QStringList(
                     {"ShowDetailエラー:このメソッドはinheritedしてはいけない (Vetrin, 603 行)"}));
    }

    void statisticsWindowIsMadeOnceAndRefreshedByChecks() {
        OpenWindow();
        QVERIFY(!Window->StatisticsWindow());
        QTest::mouseClick(Window->SpeedButton1, Qt::LeftButton);
        TStatisticsWindow* statistics = Window->StatisticsWindow();
        QVERIFY(statistics);
        QTest::mouseClick(Window->SpeedButton1, Qt::LeftButton);
        QCOMPARE(Window->StatisticsWindow(), statistics);
        QCOMPARE(statistics->CommentStatisticsGrid->rowCount(), 0); // nothing read yet
        Check(ProjectFile());
        QCOMPARE(Prompts->Errors, QStringList());
        QCOMPARE(statistics->CommentStatisticsGrid->rowCount(), 5); // one row per member
    }
};

QTEST_MAIN(ProjectWindowTest)
#include "ProjectWindowTest.moc"
