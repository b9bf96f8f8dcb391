// The main frame, its children and menu, and the error handling of the application object.
#include "GuiTestSupport.h"

#include "app/LogWindowUnit.h"
#include "app/MainWindowUnit.h"
#include "app/OptionDialogUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/QtTranslationUnit.h"
#include "app/ResultWindowUnit.h"
#include "app/StatisticsWindowUnit.h"
#include "app/VetrinApplication.h"
#include "app/settings/SettingDialogs.h"
#include "app/settings/VbLimitLengthOfLineSettingDialog.h"
#include "checkers/VbLimitLengthOfLine.h"
#include "framework/Errors.h"
#include "presenters/VtOption.h"
#include "vbsource/VbSource.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <vector>

namespace {
// An object whose event handler fails, as a faulty handler would.
class TFailingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw EFOpenError("/p/表示.vrp");
        return QObject::event(event);
    }
};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;

private slots:
    void createsTheChildrenInOrderWithTheirCaptions() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TMainWindow window(option);
        window.CreateChildWindows();
        QCOMPARE(window.windowTitle(), QString("Vetrin for VB5と6"));
        QStringList titles;
        for (QMdiSubWindow* child : window.MdiArea()->subWindowList(QMdiArea::CreationOrder))
            titles << child->widget()->windowTitle();
        QCOMPARE(titles, QStringList({"ログ", "結果", "ﾌﾟﾛｼﾞｪｸﾄ"}));
        QMenu* menu = window.menuBar()->findChild<QMenu*>("O1");
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("設定(&S)"));
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions()[0]->objectName(), QString("O2"));
        QCOMPARE(menu->actions()[0]->text(), QString("オプション(&O)"));
    }

    void optionsMenuOpensTheDialogModally() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        option.CommandLine = "ed %F";
        TMainWindow window(option);
        QString shown;
        bool modal = false;
        AnswerModalDialog([&](QWidget* shownDialog) {
            auto* dialog = qobject_cast<TOptionDialog*>(shownDialog);
            if (!dialog) return;
            modal = dialog->isModal();
            shown = dialog->EditorName->text();
            dialog->EditorName->setText("kate -l %L %F");
            dialog->Ok->click();
        });
        window.findChild<QAction*>("O2")->trigger();
        QVERIFY(modal);
        QCOMPARE(shown, QString("ed %F"));
        QCOMPARE(option.CommandLine, std::string("kate -l %L %F"));
        QVERIFY(ReadAll(Dir.filePath("vrt.ini")).contains("CommandLine=kate -l %L %F\r\n"));
        QVERIFY(!window.findChild<TOptionDialog*>()); // freed when it closed
    }

    void aboutShowsTheVersionOfTheBuild() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TMainWindow window(option);
        QString text;
        AnswerModalDialog([&](QWidget* shownDialog) {
            auto* box = qobject_cast<QMessageBox*>(shownDialog);
            if (!box) return;
            text = box->text();
            box->accept();
        });
        window.findChild<QAction*>("About")->trigger();
        QVERIFY2(text.contains(VETRIN_PROJECT_VERSION), qPrintable(text));
        QVERIFY(text.contains("MIT"));
    }

    void closingChildWindowsMinimisesThem() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TMainWindow window(option);
        window.CreateChildWindows();
        window.show();
        for (QMdiSubWindow* child : window.MdiArea()->subWindowList()) {
            QVERIFY(!child->close());
            QVERIFY(child->isMinimized());
        }
        QCOMPARE(window.MdiArea()->subWindowList().size(), 3);
    }

    void shutDownAfterACheckFreesInOrder() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TRecordingPrompts prompts;
        auto window = std::make_unique<TMainWindow>(option);
        window->CreateChildWindows();
        TProjectWindow* project = window->ProjectWindow();
        project->TargetProjectPath->setText(VETRIN_SOURCE_DIR "/examples/Example.vbp");
        project->SpeedButton2Click();
        project->CheckClick();
        project->WaitForRun();
        project->SpeedButton1Click();
        QVERIFY(window->ResultWindow()->Lines().Count() > 0);
        QCOMPARE(window->MdiArea()->subWindowList().size(), 4); // with the statistics window
        window.reset(); // the sanitizers watch the project window go before the windows it fed
        QCOMPARE(prompts.Errors, QStringList());
    }

    // A run shows its progress: the run buttons wait and 中止 is there while it goes, and the
    // status bar counts the members read and the parts checked.
    void aCheckShowsItsProgressWhileItRuns() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TRecordingPrompts prompts;
        TMainWindow window(option);
        window.CreateChildWindows();
        TProjectWindow* project = window.ProjectWindow();
        project->TargetProjectPath->setText(VETRIN_SOURCE_DIR "/examples/Example.vbp");
        project->SpeedButton2Click();
        QVERIFY(project->StopRun->isHidden());
        struct TSeen {
            int Done, Total;
            bool ButtonsEnabled, StopShown;
        };
        std::vector<TSeen> seen;
        connect(project, &TProjectWindow::ProgressChanged, this, [&](int done, int total) {
            seen.push_back({done, total,
                            project->Check->isEnabled() || project->Analyze->isEnabled(),
                            !project->StopRun->isHidden() && project->StopRun->isEnabled()});
        });
        project->CheckClick();
        QVERIFY(!project->Check->isEnabled() && !project->SaveAs->isEnabled());
        QVERIFY(!project->StopRun->isHidden() && project->StopRun->isEnabled());
        project->WaitForRun();
        QCOMPARE(prompts.Errors, QStringList());
        const int members = static_cast<int>(project->Project().Children.size());
        QVERIFY(!seen.empty());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            QVERIFY(i == 0 || seen[i].Done >= seen[i - 1].Done);
            QVERIFY(!seen[i].ButtonsEnabled);
            QVERIFY(seen[i].StopShown);
        }
        QCOMPARE(seen.back().Done, 2 * members + 1); // read each, check all
        QCOMPARE(seen.back().Total, 2 * members + 1);
        QCOMPARE(window.RunProgress->value(), window.RunProgress->maximum());
        QVERIFY(project->Check->isEnabled() && project->Analyze->isEnabled());
        QVERIFY(project->StopRun->isHidden());
        // A second check reads nothing again: only the parts are counted.
        seen.clear();
        project->CheckClick();
        project->WaitForRun();
        QCOMPARE(seen.back().Total, members + 1);
    }

    void settingsButtonOpensTheRuleDialogOverTheProjectWindow() {
        RegisterSettingDialogs();
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TRecordingPrompts prompts;
        TMainWindow window(option);
        window.CreateChildWindows();
        TProjectWindow* project = window.ProjectWindow();
        QWidget* owner = nullptr;
        AnswerModalDialog([&](QWidget* shownDialog) {
            auto* dialog = qobject_cast<TVbLimitLengthOfLineSetting*>(shownDialog);
            if (!dialog) return;
            owner = dialog->parentWidget();
            dialog->MaxLength->setText("120");
            dialog->Ok->click();
        });
        project->findChild<QToolButton*>("ShowConfigProhibit2")->click();
        QCOMPARE(prompts.Errors, QStringList());
        QCOMPARE(owner, static_cast<QWidget*>(project));
        auto* rule = static_cast<TVbLimitLengthOfLine*>(
            project->Checkers().FindByClassName("TVbLimitLengthOfLine"));
        QCOMPARE(rule->MaxLength, 120);
    }

    // A window closed (minimised) comes back when a run fills it, and from the window menu.
    void closedWindowsComeBack() {
        TVtOption option(Dir.filePath("vrt.ini").toStdString());
        TRecordingPrompts prompts;
        TMainWindow window(option);
        window.resize(400, 300); // a small frame: the menu still finds every window
        window.CreateChildWindows();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TProjectWindow* project = window.ProjectWindow();
        project->TargetProjectPath->setText(VETRIN_SOURCE_DIR "/examples/Example.vbp");
        project->SpeedButton2Click();
        project->SpeedButton1Click();
        auto frameOf = [](QWidget* child) {
            return qobject_cast<QMdiSubWindow*>(child->parentWidget());
        };
        QMdiSubWindow* result = frameOf(window.ResultWindow());
        QMdiSubWindow* statistics = frameOf(project->StatisticsWindow());
        QVERIFY(result && statistics);

        result->close();
        statistics->close();
        QVERIFY(result->isMinimized() && statistics->isMinimized());
        project->CheckClick();
        project->WaitForRun();
        QCoreApplication::processEvents();
        QVERIFY(!result->isMinimized());
        QVERIFY(!statistics->isMinimized());
        statistics->close();
        project->SpeedButton1Click();
        QVERIFY(!statistics->isMinimized());

        QMdiSubWindow* log = frameOf(window.LogWindow());
        log->close();
        QVERIFY(log->isMinimized());
        emit window.WindowMenu->aboutToShow();
        QAction* logEntry = nullptr;
        int entries = 0;
        for (QAction* action : window.WindowMenu->actions()) {
            if (!action->objectName().startsWith("WindowEntry")) continue;
            ++entries;
            if (action->text().contains(window.LogWindow()->windowTitle())) logEntry = action;
        }
        QCOMPARE(entries, 4);
        QVERIFY(logEntry);
        logEntry->trigger();
        QVERIFY(!log->isMinimized());
        QCOMPARE(window.MdiArea()->activeSubWindow(), log);
        window.Tile->trigger();
        for (QMdiSubWindow* child : window.MdiArea()->subWindowList())
            QVERIFY(window.MdiArea()->viewport()->rect().contains(child->geometry()));
        QCOMPARE(prompts.Errors, QStringList());
    }

    // The frame's and the windows' places and the statistics columns come back at the next start.
    void layoutIsKeptForTheNextStart() {
        const std::string ini = Dir.filePath("layout.ini").toStdString();
        const QRect frameRect(30, 40, 900, 650);
        QRect logRect, resultRect, statisticsRect;
        QPoint projectPlace;
        {
            TVtOption option(ini);
            TMainWindow window(option);
            window.CreateChildWindows();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.setGeometry(frameRect);
            TProjectWindow* project = window.ProjectWindow();
            project->SpeedButton1Click();
            auto* log = qobject_cast<QMdiSubWindow*>(window.LogWindow()->parentWidget());
            auto* result = qobject_cast<QMdiSubWindow*>(window.ResultWindow()->parentWidget());
            auto* projectFrame = qobject_cast<QMdiSubWindow*>(project->parentWidget());
            auto* statistics =
                qobject_cast<QMdiSubWindow*>(project->StatisticsWindow()->parentWidget());
            log->setGeometry(10, 330, 500, 200);
            result->setGeometry(420, 20, 300, 260);
            projectFrame->move(15, 25);
            statistics->setGeometry(200, 100, 450, 300);
            project->StatisticsWindow()->CommentStatisticsGrid->setColumnWidth(0, 231);
            logRect = log->geometry();
            resultRect = result->geometry();
            statisticsRect = statistics->geometry();
            projectPlace = projectFrame->pos();
            window.KeepLayout();
            option.SaveOptions();
        }
        TVtOption option(ini);
        option.LoadOptions();
        TMainWindow window(option);
        window.CreateChildWindows();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.geometry(), frameRect);
        QCOMPARE(window.LogWindow()->parentWidget()->geometry(), logRect);
        QCOMPARE(window.ResultWindow()->parentWidget()->geometry(), resultRect);
        QCOMPARE(window.ProjectWindow()->parentWidget()->pos(), projectPlace);
        window.ProjectWindow()->SpeedButton1Click();
        TStatisticsWindow* statistics = window.ProjectWindow()->StatisticsWindow();
        QCOMPARE(statistics->parentWidget()->geometry(), statisticsRect);
        QCOMPARE(statistics->CommentStatisticsGrid->columnWidth(0), 231);
    }

    void qtTextsAreJapanese() {
        QVERIFY(InstallQtTranslations(*QCoreApplication::instance()));
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        const QString undo = menu->actions().constFirst()->text();
        QVERIFY2(!undo.startsWith("&Undo"), qPrintable(undo));
        QVERIFY(undo.startsWith(QCoreApplication::translate("QLineEdit", "&Undo")));
    }

    void anErrorEscapingAHandlerIsShownAndTheProgramGoesOn() {
        TRecordingPrompts prompts;
        TFailingObject failing;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&failing, &event));
        QCOMPARE(prompts.Errors, QStringList({"ファイル /p/表示.vrp は開けません"}));
    }
};

// The application object is the program's own, so that its last line of defence is under test.
int main(int argc, char** argv) {
    TVetrinApplication application(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
