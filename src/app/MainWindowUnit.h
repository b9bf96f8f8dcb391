// The application's main frame: the multiple-document area, its menu and the child windows.
#pragma once

#include <QMainWindow>

class QMdiArea;
class QMdiSubWindow;
class TVtOption;
class TLogWindow;
class TResultWindow;
class TProjectWindow;
class QProgressBar;

// The multiple-document frame of all other windows.

class TMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainWindow(TVtOption& option, QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Creates the log, result and project windows, in this order, as children of the frame.
    void CreateChildWindows();

    // "オプション(&O)": the option dialog, modal.
    void O2Click();

    // Positions and sizes of the frame and its windows, and the statistics column widths: put
    // back from the options after the windows are created, and kept in them before the program
    // ends (KeepLayout).
    void RestoreLayout();
    void KeepLayout();

    // "ウィンドウ(&W)": 重ねて表示, 並べて表示 and one entry per child window; choosing a window
    // brings it back to its normal size (also when it was minimised) and activates it.
    QMenu* WindowMenu = nullptr;
    QAction* Cascade = nullptr;
    QAction* Tile = nullptr;

    // The status bar's progress of a parse or check run: parts done out of parts.
    QProgressBar* RunProgress = nullptr;

    QMdiArea* MdiArea() const { return MdiArea_; }
    TLogWindow* LogWindow() const { return LogWindow_; }
    TResultWindow* ResultWindow() const { return ResultWindow_; }
    TProjectWindow* ProjectWindow() const { return ProjectWindow_; }

private:
    QMdiSubWindow* AddChild(QWidget* window, const QRect& geometry);
    void FillWindowMenu();

    TVtOption& Option_;
    QMdiArea* MdiArea_;
    TLogWindow* LogWindow_ = nullptr;
    TResultWindow* ResultWindow_ = nullptr;
    TProjectWindow* ProjectWindow_ = nullptr;
};
