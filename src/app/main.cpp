// The desktop application: options first, then the frame and its windows, then the event loop;
// at the end the windows go and the options are written back.
#include "app/AppTexts.h"
#include "app/ErrorPolicy.h"
#include "app/MainWindowUnit.h"
#include "app/OptionUnit.h"
#include "app/VetrinApplication.h"
#include "app/settings/SettingDialogs.h"
#include "app/settings/VbLimitLengthOfLineSettingDialog.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// SIGTERM and SIGINT (a session ending, Ctrl+C in the terminal) end the program the regular way,
// so that the options are still written: the handler only writes a byte into a pipe that the
// event loop watches.
int SignalPipe[2] = {-1, -1};

void OnTerminate(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t written = write(SignalPipe[1], &byte, 1);
}

void CatchTerminationSignals() {
    if (pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action = {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    CatchTerminationSignals();
    TVetrinApplication application(argc, argv);
    std::unique_ptr<QSocketNotifier> terminate;
    if (SignalPipe[0] >= 0) {
        terminate = std::make_unique<QSocketNotifier>(SignalPipe[0], QSocketNotifier::Read);
        QObject::connect(terminate.get(), &QSocketNotifier::activated, &QApplication::quit);
    }

    TVtOption option;
    // An option file that cannot be read is reported; the program starts with empty options.
    RunGuarded(nullptr, [&] { option.LoadOptions(); });
    QApplication::setApplicationName(apptext::AppTitle);
    QApplication::setFont(AppFont());
    RegisterSettingDialogs();

    auto mainWindow = std::make_unique<TMainWindow>(option);
    mainWindow->CreateChildWindows();
    // One settings dialog of the line length rule lives as long as the frame.
    auto lineLengthSetting = std::make_unique<TVbLimitLengthOfLineSetting>(mainWindow.get());
    mainWindow->show();
    int status = application.exec();

    lineLengthSetting.reset();
    mainWindow.reset();
    if (!RunGuarded(nullptr, [&] { option.SaveOptions(); })) return 1;
    return status;
}
