// The application's main frame, its error handling and the file and message dialogs that the
// windows ask the user through.
#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QString>

#include <exception>
#include <functional>

class QCloseEvent;
class QMdiArea;
class QMdiSubWindow;
class TVtOption;
class TLogWindow;
class TResultWindow;
class TProjectWindow;

// What a file dialog is asked for.
struct TFileRequest {
    enum TKind { Open, Save };
    TKind Kind = Open;
    QString Caption;
    QString Folder;
    QString FileName;
    QString Filter;
    QString DefaultSuffix;
};

// The questions the windows put to the user. The desktop answers with real dialogs; tests put
// in their own answers so that nothing waits for a person.
class TUserPrompts {
public:
    virtual ~TUserPrompts() = default;
    // The chosen file's path, or empty when the user cancelled.
    virtual QString AskFileName(QWidget* parent, const TFileRequest& request);
    // The application's standard error message box.
    virtual void ShowError(QWidget* parent, const QString& message);
};

TUserPrompts& Prompts();
// Replaces the prompts (nullptr restores the dialogs); the caller keeps ownership.
void SetPrompts(TUserPrompts* prompts);

// The text of an error for the user: the message of an EVetrinError converted from code page 932.
QString ErrorText(const std::exception& error);
// Runs an action of the user; an error ends it and is shown in the error message box.
// Answers false when the action failed.
bool RunGuarded(QWidget* parent, const std::function<void()>& action);

// A close request on a child window of the frame minimises it instead: the window lives as long
// as the program.
void MinimiseOnClose(QWidget* window, QCloseEvent* event);

// The application object: the last line of defence against an error escaping an event handler.
class TVetrinApplication : public QApplication {
public:
    TVetrinApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

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

// Brings a child window of the frame (or a window of its own) back from minimised to its normal
// size; a window that is not minimised stays as it is.
void ShowNormalIfMinimised(QWidget* window);
