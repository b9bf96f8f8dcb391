// The main frame, its children and menu, and the error handling of the application object.
#include "GuiTestSupport.h"

#include "app/ConfigWindowTemplateUnit.h"
#include "app/LogWindowUnit.h"
#include "app/OptionDialogUnit.h"
#include "app/OptionUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/ResultWindowUnit.h"
#include "checkers/VbLimitLengthOfLine.h"
#include "checkers/VbLimitLengthOfLineSettingDialog.h"
#include "framework/Errors.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

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
        project->SpeedButton1Click();
        QVERIFY(window->ResultWindow()->Lines().Count() > 0);
        QCOMPARE(window->MdiArea()->subWindowList().size(), 4); // with the statistics window
        window.reset(); // the sanitizers watch the project window go before the windows it fed
        QCOMPARE(prompts.Errors, QStringList());
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
