// desktop_bench PROJECT.vbp [--repeat N]: times a check in the desktop application, offscreen,
// from the click on チェック with every rule ticked to the last finding painted in the result
// window (the run ended, the list scrolled to its last row and drawn). Prints the best time, the
// findings and log lines, and a RESULT line for scripts (bench/run_desktop.sh).
#include "app/LogWindowUnit.h"
#include "app/MainWindowUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/ResultWindowUnit.h"
#include "app/VetrinApplication.h"
#include "presenters/LineStore.h"
#include "presenters/ResultStore.h"
#include "presenters/VtOption.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: desktop_bench PROJECT.vbp [--repeat N]\n");
        return 2;
    }
    const QString project = QString::fromLocal8Bit(argv[1]);
    int repeat = 3;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--repeat") == 0) repeat = std::max(1, std::atoi(argv[i + 1]));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    TVetrinApplication application(qtArgc, argv);

    QTemporaryDir folder;
    TVtOption option((folder.path() + "/vrt.ini").toStdString());
    qint64 best = -1;
    int findings = 0, logLines = 0;
    for (int round = 0; round < repeat; ++round) {
        // A new frame each round: the project is read again, as after a start of the program.
        TMainWindow frame(option);
        frame.resize(1200, 800);
        frame.CreateChildWindows();
        frame.show();
        QCoreApplication::processEvents();
        TProjectWindow* window = frame.ProjectWindow();
        window->TargetProjectPath->setText(QDir().absoluteFilePath(project));
        window->SpeedButton2Click();

        QElapsedTimer timer;
        timer.start();
        window->CheckClick();
        window->WaitForRun();
        TResultWindow* results = frame.ResultWindow();
        results->Result->scrollToBottom();
        QCoreApplication::processEvents();
        results->Result->viewport()->grab();
        const qint64 elapsed = timer.elapsed();

        findings = results->Lines().Count();
        logLines = frame.LogWindow()->Lines().Count();
        if (results->Result->model()->rowCount() != findings) {
            std::fprintf(stderr, "desktop_bench: the window shows %d of %d findings\n",
                         results->Result->model()->rowCount(), findings);
            return 1;
        }
        std::printf("round %d: %lld ms\n", round + 1, static_cast<long long>(elapsed));
        best = best < 0 ? elapsed : std::min(best, elapsed);
    }
    std::printf("RESULT desktop_ms=%lld findings=%d log_lines=%d\n", static_cast<long long>(best),
                findings, logLines);
    return 0;
}
