#include "app/ResultWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "app/ErrorPolicy.h"
#include "app/LineListModel.h"
#include "app/UserPrompts.h"
#include "presenters/EditorLaunch.h"
#include "presenters/ResultStore.h"
#include "presenters/VtOption.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// Starts the editor as a process of its own.
bool StartDetached(const TEditorLaunch& launch) {
    QStringList arguments;
    for (const std::string& argument : launch.Arguments)
        arguments << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(launch.Program), arguments);
}
} // namespace

TResultWindow::TResultWindow(TVtOption& option, QWidget* parent)
    : QWidget(parent), Result(new QListView(this)), PopupMenu1(new QMenu(this)),
      Edit1(new QAction(Ui(uitext::Edit), this)), Copy1(new QAction(Ui(uitext::Copy), this)),
      SelectAll1(new QAction(Ui(uitext::SelectAll), this)), Option_(option),
      Lines_(std::make_unique<TResultStore>()) {
    setObjectName(QStringLiteral("ResultWindow"));
    setWindowTitle(Ui(uitext::ResultCaption));
    setFont(AppFont());
    TResultStore* lines = Lines_.get();
    Model_ = new TLineListModel([lines] { return lines->Count(); },
                                [lines](int row) { return lines->Utf8(row); }, this);
    Result->setObjectName(QStringLiteral("Result"));
    Result->setModel(Model_);
    // One finding per row, all of one height: the view lays out only the rows on screen. A row
    // wider than the window is read in the horizontal scroll or the tooltip-free copy.
    Result->setUniformItemSizes(true);
    Result->setWordWrap(false);
    Result->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Result->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Result->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setShortcut(QKeySequence(Qt::Key_F10));
    Edit1->setShortcutContext(Qt::WidgetShortcut);
    Copy1->setObjectName(QStringLiteral("Copy1"));
    Copy1->setShortcut(QKeySequence::Copy);
    Copy1->setShortcutContext(Qt::WidgetShortcut);
    Copy1->setEnabled(false);
    SelectAll1->setObjectName(QStringLiteral("SelectAll1"));
    SelectAll1->setShortcut(QKeySequence::SelectAll);
    SelectAll1->setShortcutContext(Qt::WidgetShortcut);
    PopupMenu1->addAction(Edit1);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(Copy1);
    PopupMenu1->addAction(SelectAll1);
    Result->addAction(Edit1);
    Result->addAction(Copy1);
    Result->addAction(SelectAll1);
    Result->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Result, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowContextMenu(pos); });
    connect(Edit1, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { Edit1Click(); }); });
    connect(Copy1, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(SelectedText()); });
    connect(SelectAll1, &QAction::triggered, Result, &QListView::selectAll);
    connect(Result->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Copy1->setEnabled(Result->selectionModel()->hasSelection()); });
    // Enter and a double click open the finding, as F10 does.
    Result->installEventFilter(this);
    Result->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Result);
}

TResultWindow::~TResultWindow() = default;

void TResultWindow::Edit1Click() {
    const QModelIndex current = Result->currentIndex();
    std::optional<TEditorJump> jump =
        EditorJumpForRow(Option_, *Lines_, current.isValid() ? current.row() : -1);
    if (!jump) return;
    if (!jump->Error.empty()) {
        Prompts().ShowError(jump->Error);
        return;
    }
    if (!StartDetached(jump->Launch)) Prompts().ShowError(EditorNotStartedText(jump->Launch));
}

QString TResultWindow::SelectedText() const {
    QModelIndexList rows = Result->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows)
        lines << QString::fromStdString(Lines_->Utf8(row.row()));
    return lines.join(QLatin1Char('\n'));
}

void TResultWindow::ShowContextMenu(const QPoint& position) {
    // The menu acts on the row clicked: it becomes the current row. A click on a selected row
    // keeps the selection for Copy; a click elsewhere selects that row alone.
    const QModelIndex clicked = Result->indexAt(position);
    if (clicked.isValid()) {
        QItemSelectionModel* selection = Result->selectionModel();
        if (selection->isSelected(clicked))
            selection->setCurrentIndex(clicked, QItemSelectionModel::NoUpdate);
        else
            selection->setCurrentIndex(clicked, QItemSelectionModel::ClearAndSelect);
    }
    PopupMenu1->popup(Result->viewport()->mapToGlobal(position));
}

bool TResultWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Result && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            Edit1->trigger();
            return true;
        }
    }
    if (watched == Result->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex clicked = Result->indexAt(mouse->position().toPoint());
            if (clicked.isValid()) Result->setCurrentIndex(clicked);
            Edit1->trigger();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TResultWindow::LinesChanged() {
    const int before = Model_->rowCount();
    Model_->Refresh();
    ShowCaption();
    // A run that fills the window brings it back.
    if (Model_->rowCount() > before) ShowNormalIfMinimised(this);
}

void TResultWindow::CheckEnded() {
    Checked_ = true;
    ShowCaption();
}

void TResultWindow::ShowCaption() {
    setWindowTitle(Ui(ResultWindowTitle(Model_->rowCount(), Checked_)));
}

void TResultWindow::closeEvent(QCloseEvent* event) { MinimiseOnClose(this, event); }
