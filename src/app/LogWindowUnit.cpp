#include "app/LogWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "app/LineListModel.h"
#include "presenters/LineStore.h"

#include <QCloseEvent>
#include <QListView>
#include <QScrollBar>
#include <QVBoxLayout>

TLogWindow::TLogWindow(QWidget* parent)
    : QWidget(parent), Log(new QListView(this)), Lines_(std::make_unique<TLineStore>()) {
    setObjectName(QStringLiteral("LogWindow"));
    setWindowTitle(Ui(uitext::LogCaption));
    setFont(AppFont());
    TLineStore* lines = Lines_.get();
    Model_ = new TLineListModel([lines] { return lines->Count(); },
                                [lines](int row) { return lines->Utf8(row); }, this);
    Log->setObjectName(QStringLiteral("Log"));
    Log->setModel(Model_);
    // Every row is one line of the same height: the view lays out only the rows on screen.
    Log->setUniformItemSizes(true);
    Log->setWordWrap(false);
    Log->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Log->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = Log->palette();
    palette.setColor(QPalette::Base, QColor(237, 243, 194));
    palette.setColor(QPalette::Text, Qt::black);
    Log->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Log);
}

TLogWindow::~TLogWindow() = default;

void TLogWindow::LinesChanged() {
    QScrollBar* bar = Log->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    Model_->Refresh();
    if (atEnd) Log->scrollToBottom();
}

void TLogWindow::closeEvent(QCloseEvent* event) { MinimiseOnClose(this, event); }
