// English chosen in the option dialog: at the next start the windows speak English, this face's
// own texts through its translation file included.
#include "GuiTestSupport.h"

#include "app/MainWindowUnit.h"
#include "app/OptionDialogUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/QtTranslationUnit.h"
#include "app/ResultWindowUnit.h"
#include "app/settings/VbProcedureMetricsSettingDialog.h"
#include "framework/Language.h"
#include "presenters/VtOption.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void englishChosenInTheOptionsIsSpokenAtTheNextStart() {
        QTemporaryDir dir;
        const std::string ini = platform::EnginePath(dir.filePath("vrt.ini").toStdString());
        {
            StartInLanguage(*QCoreApplication::instance(), TLanguage::Japanese);
            TVtOption option(ini);
            TOptionDialog dialog(option);
            dialog.Language->setCurrentIndex(dialog.Language->findText("English"));
            QTest::mouseClick(dialog.Ok, Qt::LeftButton);
            // Taken at the next start: this one stays Japanese.
            QCOMPARE(CurrentLanguage(), TLanguage::Japanese);
        }

        TVtOption option(ini);
        option.LoadOptions();
        StartInLanguage(*QCoreApplication::instance(), option.WindowLanguage());
        TRecordingPrompts prompts;
        TMainWindow window(option);
        window.CreateChildWindows();
        QCOMPARE(window.menuBar()->findChild<QMenu*>("O1")->title(), QString("&Settings"));
        TProjectWindow* project = window.ProjectWindow();
        QCOMPARE(project->Check->text(), QString("Check"));
        // A dialog of this face alone, translated by the file built into the program.
        TVbProcedureMetricsSetting metrics(&window);
        QStringList labels;
        for (QLabel* label : metrics.findChildren<QLabel*>())
            labels << label->text();
        QVERIFY2(labels.contains("Maximum &statements:"), qPrintable(labels.join('|')));
        // The option dialog shows the choice made.
        QCOMPARE(TOptionDialog(option).Language->currentText(), QString("English"));

        project->TargetProjectPath->setText(VETRIN_SOURCE_DIR "/examples/Example.vbp");
        project->SpeedButton2Click();
        project->CheckClick();
        project->WaitForRun();
        const TResultStore& results = window.ResultWindow()->Lines();
        QVERIFY(results.Count() > 0);
        QVERIFY(window.ResultWindow()->windowTitle().startsWith("Results ("));
        QCOMPARE(prompts.Errors, QStringList());
        SetCurrentLanguage(TLanguage::Japanese);
    }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
