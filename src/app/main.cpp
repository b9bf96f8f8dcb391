// The desktop application: options first, then the frame and its windows, then the event loop;
// at the end the windows go and the options are written back.
#include "app/AppTexts.h"
#include "app/ErrorPolicy.h"
#include "app/MainWindowUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/QtTranslationUnit.h"
#include "app/VetrinApplication.h"
#include "app/settings/SettingDialogs.h"
#include "app/settings/VbLimitLengthOfLineSettingDialog.h"
#include "framework/Language.h"
#include "platform/Signals.h"
#include "presenters/ProjectPresenter.h"
#include "presenters/VtOption.h"

#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace {

bool TerminationRequested = false;

// Ends the program the regular way from whatever state it is in: a modal dialog (the start-up
// error box, a file dialog, a settings dialog) is closed as if cancelled, and so is any that
// opens after it, and the event loops end. Before the main event loop runs (a box during
// start-up) the program goes on to its end instead of entering it.
void Terminate() {
    platform::DrainTerminationRequests();
    if (!TerminationRequested) {
        TerminationRequested = true;
        auto* closer = new QTimer(QCoreApplication::instance());
        QObject::connect(closer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
            else if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer->start(20);
    }
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    QCoreApplication::exit(0);
}

} // namespace

int main(int argc, char** argv) {
    // SIGTERM and SIGINT (a session ending, Ctrl+C in the terminal) end the event loop, so the
    // program ends the regular way and the options are still written.
    int terminationRequests = platform::CatchTerminationRequests();
    TVetrinApplication application(argc, argv);
    std::unique_ptr<QSocketNotifier> terminate;
    if (terminationRequests >= 0) {
        terminate = std::make_unique<QSocketNotifier>(terminationRequests, QSocketNotifier::Read);
        QObject::connect(terminate.get(), &QSocketNotifier::activated, [] { Terminate(); });
    }
    // The language of the user's locale until the options say otherwise (a box about an option
    // file that cannot be read speaks it).
    SetCurrentLanguage(platform::UserLanguage());
    TVtOption option;
    // An option file that cannot be read is reported; the program starts with empty options.
    RunGuarded(nullptr, [&] { option.LoadOptions(); });
    // The language is chosen once, before any window: a change in the option dialog takes effect
    // at the next start.
    StartInLanguage(application, option.WindowLanguage());
    QApplication::setApplicationName(Ui(uitext::AppTitle));
    QApplication::setFont(AppFont());
    RegisterSettingDialogs();

    auto mainWindow = std::make_unique<TMainWindow>(option);
    mainWindow->CreateChildWindows();
    // vetrin [PROJECT.vbp] [RULES.vrp]: the project goes into the path box, the rules file is
    // opened as 開く opens it.
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
    mainWindow->ProjectWindow()->ApplyStartArguments(ParseStartArguments(arguments));
    // One settings dialog of the line length rule lives as long as the frame.
    auto lineLengthSetting = std::make_unique<TVbLimitLengthOfLineSetting>(mainWindow.get());
    mainWindow->show();
    int status = TerminationRequested ? 0 : application.exec();

    mainWindow->KeepLayout();
    lineLengthSetting.reset();
    mainWindow.reset();
    if (!RunGuarded(nullptr, [&] { option.SaveOptions(); })) return 1;
    return status;
}
