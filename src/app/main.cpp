// The desktop application: options first, then the frame and its windows, then the event loop;
// at the end the windows go and the options are written back.
#include "app/AppTexts.h"
#include "app/ConfigWindowTemplateUnit.h"
#include "app/MainWindowUnit.h"
#include "app/OptionUnit.h"
#include "checkers/VbLimitLengthOfLineSettingDialog.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    TVetrinApplication application(argc, argv);
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
