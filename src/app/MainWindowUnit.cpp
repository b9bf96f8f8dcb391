#include "app/MainWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "app/ErrorPolicy.h"
#include "app/LogWindowUnit.h"
#include "app/OptionDialogUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/ResultWindowUnit.h"
#include "app/StatisticsWindowUnit.h"
#include "app/WindowLayoutUnit.h"
#include "presenters/VtOption.h"
#include "version/VetrinVersion.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

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

    WindowMenu = menuBar()->addMenu(apptext::MenuWindow);
    WindowMenu->setObjectName(QStringLiteral("WindowMenu"));
    Cascade = WindowMenu->addAction(apptext::MenuCascade);
    Cascade->setObjectName(QStringLiteral("Cascade"));
    Tile = WindowMenu->addAction(apptext::MenuTile);
    Tile->setObjectName(QStringLiteral("Tile"));
    WindowMenu->addSeparator();
    connect(Cascade, &QAction::triggered, MdiArea_, &QMdiArea::cascadeSubWindows);
    connect(Tile, &QAction::triggered, MdiArea_, &QMdiArea::tileSubWindows);
    connect(WindowMenu, &QMenu::aboutToShow, this, [this] { FillWindowMenu(); });

    QMenu* helpMenu = menuBar()->addMenu(apptext::MenuHelp);
    helpMenu->setObjectName(QStringLiteral("HelpMenu"));
    QAction* about = helpMenu->addAction(apptext::MenuAbout);
    about->setObjectName(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, [this] {
        QMessageBox::about(this, apptext::AboutCaption, Ui(uitext::AboutText(VETRIN_VERSION_TEXT)));
    });
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
    RunProgress = new QProgressBar;
    RunProgress->setObjectName(QStringLiteral("RunProgress"));
    RunProgress->setRange(0, 1);
    RunProgress->setValue(0);
    RunProgress->setMaximumWidth(240);
    statusBar()->addPermanentWidget(RunProgress);
    connect(ProjectWindow_, &TProjectWindow::RunStarted, this, [this] {
        RunProgress->setRange(0, 1);
        RunProgress->setValue(0);
    });
    connect(ProjectWindow_, &TProjectWindow::ProgressChanged, this, [this](int done, int total) {
        RunProgress->setRange(0, std::max(total, 1));
        RunProgress->setValue(done);
    });
    RestoreLayout();
    FillWindowMenu();
}

void TMainWindow::O2Click() {
    TOptionDialog dialog(Option_, this);
    dialog.exec();
}

void TMainWindow::FillWindowMenu() {
    // The entries after the separator are the windows as they are now.
    const QList<QAction*> actions = WindowMenu->actions();
    for (qsizetype i = actions.indexOf(Tile) + 2; i < actions.size(); ++i) {
        WindowMenu->removeAction(actions[i]);
        delete actions[i];
    }
    int number = 0;
    for (QMdiSubWindow* child : MdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        QString title = child->widget() ? child->widget()->windowTitle() : child->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = WindowMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(title));
        entry->setObjectName(QStringLiteral("WindowEntry%1").arg(number));
        entry->setCheckable(true);
        entry->setChecked(child == MdiArea_->activeSubWindow());
        QPointer<QMdiSubWindow> target = child;
        connect(entry, &QAction::triggered, this, [this, target] {
            if (!target) return;
            ShowNormalIfMinimised(target);
            MdiArea_->setActiveSubWindow(target);
        });
    }
}

void TMainWindow::RestoreLayout() {
    RestoreFrameGeometry(Option_, this);
    if (LogWindow_) RestoreChildGeometry(Option_, layoutkey::Log, LogWindow_);
    if (ResultWindow_) RestoreChildGeometry(Option_, layoutkey::Result, ResultWindow_);
    if (ProjectWindow_) RestoreChildGeometry(Option_, layoutkey::Project, ProjectWindow_);
}

void TMainWindow::KeepLayout() {
    KeepFrameGeometry(Option_, this);
    if (LogWindow_) KeepChildGeometry(Option_, layoutkey::Log, LogWindow_);
    if (ResultWindow_) KeepChildGeometry(Option_, layoutkey::Result, ResultWindow_);
    if (ProjectWindow_) {
        KeepChildGeometry(Option_, layoutkey::Project, ProjectWindow_);
        if (TStatisticsWindow* statistics = ProjectWindow_->StatisticsWindow()) {
            KeepChildGeometry(Option_, layoutkey::Statistics, statistics);
            KeepColumnWidths(Option_, layoutkey::StatisticsColumns,
                             statistics->CommentStatisticsGrid->horizontalHeader());
        }
    }
}
