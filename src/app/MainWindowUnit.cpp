#include "app/MainWindowUnit.h"

#include "app/AppTexts.h"
#include "app/LogWindowUnit.h"
#include "app/OptionDialogUnit.h"
#include "app/OptionUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/ResultWindowUnit.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>

#include <cstdio>

// ---- prompts ----

QString TUserPrompts::AskFileName(QWidget* parent, const TFileRequest& request) {
    QFileDialog dialog(parent, request.Caption, request.Folder, request.Filter);
    dialog.setAcceptMode(request.Kind == TFileRequest::Save ? QFileDialog::AcceptSave
                                                            : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Kind == TFileRequest::Save ? QFileDialog::AnyFile
                                                          : QFileDialog::ExistingFile);
    if (!request.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TUserPrompts::ShowError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, apptext::AppTitle, message);
}

namespace {
TUserPrompts DialogPrompts;
TUserPrompts* CurrentPrompts = &DialogPrompts;
} // namespace

TUserPrompts& Prompts() { return *CurrentPrompts; }
void SetPrompts(TUserPrompts* prompts) { CurrentPrompts = prompts ? prompts : &DialogPrompts; }

QString ErrorText(const std::exception& error) {
    if (auto* vetrinError = dynamic_cast<const EVetrinError*>(&error))
        return QString::fromStdString(platform::TextToUtf8(vetrinError->Message()));
    return QString::fromLocal8Bit(error.what());
}

bool RunGuarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        Prompts().ShowError(parent, ErrorText(error));
    }
    return false;
}

void MinimiseOnClose(QWidget* window, QCloseEvent* event) {
    event->ignore();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        frame->showMinimized();
    else
        window->showMinimized();
}

// ---- TVetrinApplication ----

TVetrinApplication::TVetrinApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVetrinApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Prompts().ShowError(activeWindow(), ErrorText(error));
    } catch (...) {
        std::fputs("vetrin: unknown error in an event handler\n", stderr);
    }
    return false;
}

// ---- TMainWindow ----

TMainWindow::TMainWindow(TVtOption& option, QWidget* parent)
    : QMainWindow(parent), Option_(option), MdiArea_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(apptext::AppTitle);
    setFont(AppFont());
    MdiArea_->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea_);

    QMenu* o1 = menuBar()->addMenu(apptext::MenuSettings);
    o1->setObjectName(QStringLiteral("O1"));
    QAction* o2 = o1->addAction(apptext::MenuOptions);
    o2->setObjectName(QStringLiteral("O2"));
    connect(o2, &QAction::triggered, this, [this] { RunGuarded(this, [this] { O2Click(); }); });
    resize(1000, 700);
}

TMainWindow::~TMainWindow() {
    // The project window goes first: it frees the parse tree and the rules while the windows it
    // writes to still exist.
    if (ProjectWindow_) delete ProjectWindow_->parentWidget();
}

QMdiSubWindow* TMainWindow::AddChild(QWidget* window, const QRect& geometry) {
    QMdiSubWindow* frame = MdiArea_->addSubWindow(window);
    frame->setGeometry(geometry);
    frame->show();
    return frame;
}

void TMainWindow::CreateChildWindows() {
    LogWindow_ = new TLogWindow;
    AddChild(LogWindow_, QRect(0, 300, 980, 340));
    ResultWindow_ = new TResultWindow(Option_);
    AddChild(ResultWindow_, QRect(530, 0, 450, 300));
    ProjectWindow_ = new TProjectWindow(Option_, *ResultWindow_, *LogWindow_, MdiArea_);
    QMdiSubWindow* frame = MdiArea_->addSubWindow(
        ProjectWindow_, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint);
    frame->adjustSize();
    frame->move(0, 0);
    frame->show();
    MdiArea_->setActiveSubWindow(frame);
}

void TMainWindow::O2Click() {
    TOptionDialog dialog(Option_, this);
    dialog.exec();
}
