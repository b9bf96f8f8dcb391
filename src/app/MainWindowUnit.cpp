#include "app/MainWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ErrorPolicy.h"
#include "app/LogWindowUnit.h"
#include "app/OptionDialogUnit.h"
#include "app/OptionUnit.h"
#include "app/ProjectWindowUnit.h"
#include "app/ResultWindowUnit.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

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
    QMdiSubWindow* frame = MdiArea_->addSubWindow(ProjectWindow_, Qt::SubWindow |
                                                                      Qt::WindowTitleHint |
                                                                      Qt::WindowMinimizeButtonHint |
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
