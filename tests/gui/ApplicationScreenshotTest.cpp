// The desktop application end to end: the frame and its windows as the program builds them, a
// check of the example project, then the statistics window. With VETRIN_SCREENSHOT set to a file
// name, the frame is also saved there as a PNG (scripts/screenshot.sh does that for the README).
#include "GuiTestSupport.h"
#include "app/AppTexts.h"
#include "app/LogWindowUnit.h"
#include "app/MainWindowUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/ResultWindowUnit.h"
#include "app/StatisticsWindowUnit.h"
#include "app/settings/SettingDialogs.h"
#include "framework/Vetrin.h"
#include "presenters/ResultStore.h"
#include "presenters/VtOption.h"
#include "vbsource/VbSource.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>

class ApplicationScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void CheckOfTheExampleWithStatistics();
};

void ApplicationScreenshotTest::CheckOfTheExampleWithStatistics() {
    TRecordingPrompts prompts; // an error is recorded instead of waiting in a message box
    QApplication::setFont(AppFont());
    RegisterSettingDialogs();
    // The options live in a file of the test's own, so no vrt.ini of the build is touched.
    QTemporaryDir folder;
    TVtOption option((folder.path() + "/vrt.ini").toStdString());

    TMainWindow frame(option);
    frame.resize(1000, 700);
    frame.CreateChildWindows();
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    TProjectWindow* project = frame.ProjectWindow();
    // The project is named as a user in its folder would name it.
    QVERIFY(QDir::setCurrent(VETRIN_SOURCE_DIR "/examples"));
    project->TargetProjectPath->setText("Example.vbp");
    project->SpeedButton2Click(); // tick every rule
    project->CheckClick();
    project->WaitForRun();
    QCOMPARE(prompts.Errors, QStringList());
    QVERIFY(frame.ResultWindow()->Lines().Count() > 0);

    project->SpeedButton1Click();
    TStatisticsWindow* statistics = project->StatisticsWindow();
    QVERIFY(statistics);
    // One row per member source, with the counts the comment statistics rule left.
    const TVbProjectSource& parsed = project->Project();
    QTableWidget* grid = statistics->CommentStatisticsGrid;
    QCOMPARE(grid->rowCount(), int(parsed.Children.size()));
    QVERIFY(grid->rowCount() >= 2);
    for (int row = 0; row < grid->rowCount(); ++row) {
        const auto* source = static_cast<const TVbSource*>(parsed.Children[std::size_t(row)]);
        QVERIFY(source->StatisticsDone);
        QCOMPARE(grid->item(row, 1)->text().toInt(), source->Statistics.TotalLines);
        QVERIFY(source->Statistics.TotalLines > 0);
    }

    const QByteArray target = qgetenv("VETRIN_SCREENSHOT");
    if (!target.isEmpty()) {
        // Statistics in front, beside the project window, over the log, longest file first.
        statistics->SortByColumn(1);
        statistics->SortByColumn(1);
        if (auto* sub = qobject_cast<QMdiSubWindow*>(statistics->parentWidget())) {
            sub->move(330, 250);
            frame.MdiArea()->setActiveSubWindow(sub);
        }
        QTest::qWait(50);
        QVERIFY(frame.grab().save(QString::fromLocal8Bit(target), "PNG"));
    }
}

QTEST_MAIN(ApplicationScreenshotTest)
#include "ApplicationScreenshotTest.moc"
