#include "win32/Application.h"

#include "win32/LogWindow.h"
#include "win32/MainFrame.h"

#include <commctrl.h>

namespace win32 {

int RunApplication(HINSTANCE instance, int show) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                      ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    TMainFrame frame;
    frame.Create(instance);
    TLogWindow logWindow;
    logWindow.Create(frame.MdiClient());
    ShowWindow(frame.Handle(), show);
    UpdateWindow(frame.Handle());
    return frame.Run();
}

} // namespace win32
