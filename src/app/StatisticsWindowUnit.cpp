#include "app/StatisticsWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr int ColumnCount = StatisticsColumnCount;
constexpr std::array<int, ColumnCount> InitialColumnWidths{128, 115, 108, 108, 105};
constexpr int RowHeight = 26;
// A bar's colour as the table names it.
QColor BarColor(int column) {
    const TRgb rgb = BarRgb(BarColourOf(column));
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

} // namespace

// ---- Cell geometry ----

QRect BarRect(const QRect& cell, std::int32_t denominator, std::int32_t value, TBarPart part) {
    if (denominator <= 0) return QRect();
    return BarRect(cell, BarFraction(value, denominator), part);
}

QRect BarRect(const QRect& cell, double fraction, TBarPart part) {
    const int left = cell.x(), top = cell.y();
    const int right = cell.x() + cell.width(), bottom = cell.y() + cell.height();
    const int w = BarWidth(fraction, right - left);
    const int barTop = part == TBarPart::Full ? top : (top + bottom) / 2;
    return QRect(left, barTop, w, bottom - barTop);
}

TCellTextPlacement CellTextPlacement(const QRect& cell, int textWidth, int textHeight,
                                     THorzAlign horz, TVertAlign vert) {
    const int left = cell.x(), top = cell.y();
    const int right = cell.x() + cell.width(), bottom = cell.y() + cell.height();
    int x = left;
    if (horz == THorzAlign::Right) x = right - textWidth;
    if (horz == THorzAlign::Center) x = (left + right - textWidth) / 2;
    int y = top;
    if (vert == TVertAlign::Center) y = (top + bottom - textHeight) / 2;
    if (vert == TVertAlign::Bottom) y = bottom - textHeight;
    // The clip rectangle runs from (x, y) to (Right - 1, y + TH), the far edges excluded.
    return {QPoint(x + 1, y), QRect(x, y, right - 1 - x, textHeight)};
}

// ---- TStatisticsWindow ----

TStatisticsWindow::TStatisticsWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(Ui(uitext::Statistics));
    resize(589, 391);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    auto* page = new QWidget();
    page->setObjectName("TabSheet1");
    PageControl1->addTab(page, Ui(uitext::StatisticsPage));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(PageControl1);

    CommentStatisticsGrid = new QTableWidget(0, ColumnCount, page);
    CommentStatisticsGrid->setObjectName("CommentStatisticsGrid");
    auto* inner = new QVBoxLayout(page);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(0);
    inner->addWidget(CommentStatisticsGrid);

    StatisticsTotals = new QTableWidget(1, ColumnCount, page);
    StatisticsTotals->setObjectName("StatisticsTotals");
    StatisticsTotals->horizontalHeader()->hide();
    StatisticsTotals->verticalHeader()->hide();
    StatisticsTotals->verticalHeader()->setMinimumSectionSize(1);
    StatisticsTotals->verticalHeader()->setDefaultSectionSize(RowHeight);
    StatisticsTotals->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StatisticsTotals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StatisticsTotals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StatisticsTotals->setSelectionMode(QAbstractItemView::NoSelection);
    StatisticsTotals->setFocusPolicy(Qt::NoFocus);
    StatisticsTotals->setFixedHeight(RowHeight + 2 * StatisticsTotals->frameWidth());
    QFont bold = StatisticsTotals->font();
    bold.setBold(true);
    StatisticsTotals->setFont(bold);
    inner->addWidget(StatisticsTotals);

    auto* header = new TStatisticsHeader(this, CommentStatisticsGrid);
    CommentStatisticsGrid->setHorizontalHeader(header);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setFixedHeight(RowHeight);
    for (int c = 0; c < ColumnCount; ++c) {
        CommentStatisticsGrid->setColumnWidth(c, InitialColumnWidths[static_cast<std::size_t>(c)]);
        StatisticsTotals->setColumnWidth(c, InitialColumnWidths[static_cast<std::size_t>(c)]);
    }
    // The totals row keeps to the grid's columns, as they are resized and scrolled.
    connect(
        header, &QHeaderView::sectionResized, StatisticsTotals,
        [this](int column, int, int width) { StatisticsTotals->setColumnWidth(column, width); });
    connect(CommentStatisticsGrid->horizontalScrollBar(), &QScrollBar::valueChanged,
            StatisticsTotals->horizontalScrollBar(), &QScrollBar::setValue);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &TStatisticsWindow::SortByColumn);
    CommentStatisticsGrid->verticalHeader()->hide();
    CommentStatisticsGrid->verticalHeader()->setMinimumSectionSize(1);
    CommentStatisticsGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    CommentStatisticsGrid->verticalHeader()->setDefaultSectionSize(RowHeight);
    CommentStatisticsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CommentStatisticsGrid->setSelectionMode(QAbstractItemView::NoSelection);
    CommentStatisticsGrid->setShowGrid(true);
    CommentStatisticsGrid->setWordWrap(false);
    CommentStatisticsGrid->setItemDelegate(
        new TStatisticsCellDelegate(this, CommentStatisticsGrid));

    ShowFullPath = new QAction(Ui(uitext::ShowFullPath), this);
    ShowFullPath->setObjectName("ShowFullPath");
    ShowFullPath->setCheckable(true);
    ShowFullPath->setChecked(false);
    ShowGraphOnly = new QAction(Ui(uitext::ShowGraphOnly), this);
    ShowGraphOnly->setObjectName("ShowGraphOnly");
    ShowGraphOnly->setCheckable(true);
    ShowGraphOnly->setChecked(true);
    HideGraph = new QAction(Ui(uitext::HideGraph), this);
    HideGraph->setObjectName("HideGraph");
    // A checkable action flips its own check mark when triggered; what is left is the repaint.
    connect(ShowFullPath, &QAction::triggered, this, &TStatisticsWindow::FlagsChanged);
    connect(ShowGraphOnly, &QAction::triggered, this, &TStatisticsWindow::FlagsChanged);
    connect(HideGraph, &QAction::triggered, this, &TStatisticsWindow::RepaintGrid);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->addAction(ShowFullPath);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(ShowGraphOnly);
    CommentStatisticsGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(CommentStatisticsGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                PopupMenu1->popup(CommentStatisticsGrid->viewport()->mapToGlobal(pos));
            });

    FormCreate();
}

void TStatisticsWindow::FormCreate() {
    QStringList headers;
    for (int column = 0; column < ColumnCount; ++column)
        headers << Ui(TStatisticsTable::Header(column));
    CommentStatisticsGrid->setHorizontalHeaderLabels(headers);
}

void TStatisticsWindow::ShowStatistics(TStatisticsTable& table) {
    Table_ = &table;
    FlagsChanged();
    FillGrid();
    FillTotals();
    RepaintGrid();
    // New statistics are to be seen: a window closed (minimised) before comes back.
    ShowNormalIfMinimised(this);
}

void TStatisticsWindow::FlagsChanged() {
    if (Table_) {
        Table_->ShowFullPath = ShowFullPath->isChecked();
        Table_->ShowGraphOnly = ShowGraphOnly->isChecked();
    }
    RepaintGrid();
}

void TStatisticsWindow::SortByColumn(int column) {
    if (!Table_) return;
    Table_->SortBy(column);
    FillGrid();
    RepaintGrid();
}

int TStatisticsWindow::SortColumn() const { return Table_ ? Table_->SortColumn() : -1; }

bool TStatisticsWindow::SortDescending() const { return Table_ && Table_->SortDescending(); }

void TStatisticsWindow::FillGrid() {
    const int rows = Table_ ? Table_->RowCount() : 0;
    // setRowCount keeps the column widths the user has set.
    CommentStatisticsGrid->setRowCount(rows);
    for (int k = 0; k < rows; ++k) {
        auto* pathItem = new QTableWidgetItem(QString::fromStdString(Table_->FullPath(k)));
        pathItem->setToolTip(pathItem->text());
        pathItem->setFlags(Qt::ItemIsEnabled);
        CommentStatisticsGrid->setItem(k, 0, pathItem);
        for (int c = 1; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(Table_->CountText(k, c)));
            item->setFlags(Qt::ItemIsEnabled); // cells are shown, never edited
            CommentStatisticsGrid->setItem(k, c, item);
        }
    }
}

void TStatisticsWindow::FillTotals() {
    const bool filled = Table_ && Table_->Filled();
    auto* label = new QTableWidgetItem(filled ? Ui(uitext::Total) : QString());
    label->setFlags(Qt::ItemIsEnabled);
    StatisticsTotals->setItem(0, 0, label);
    for (int c = 1; c < ColumnCount; ++c) {
        auto* item = new QTableWidgetItem(filled ? QString::number(Table_->Total(c)) : QString());
        item->setFlags(Qt::ItemIsEnabled);
        StatisticsTotals->setItem(0, c, item);
    }
}

QString TStatisticsWindow::ShownPath(int row, int cellWidth) const {
    const QFontMetrics metrics(CommentStatisticsGrid->font());
    return QString::fromStdString(Table_->ShownPath(row, [&](const std::string& full) {
        return metrics.horizontalAdvance(QString::fromStdString(full)) + 2 <= cellWidth;
    }));
}

void TStatisticsWindow::RepaintGrid() {
    CommentStatisticsGrid->viewport()->update();
    CommentStatisticsGrid->horizontalHeader()->viewport()->update();
}

void TStatisticsWindow::CommentStatisticsGridDrawCell(QPainter& painter, int column, int row,
                                                      const QRect& rect) {
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(CommentStatisticsGrid->font());
    painter.fillRect(rect, CommentStatisticsGrid->palette().color(QPalette::Base));
    if (row == 0) {
        DrawCellText(painter, rect, Ui(TStatisticsTable::Header(column)), THorzAlign::Center,
                     TVertAlign::Center);
    } else if (Table_ && Table_->Filled() && row - 1 < Table_->RowCount()) {
        const int r = row - 1;
        if (column == 0) {
            DrawCellText(painter, rect, ShownPath(r, rect.width()), THorzAlign::Left,
                         TVertAlign::Center);
        } else if (column >= 1 && column < ColumnCount) {
            const TBarPart part = Table_->ShowGraphOnly ? TBarPart::Full : TBarPart::LowerHalf;
            const QRect bar = BarRect(rect, Table_->Bar(r, column), part);
            if (!bar.isEmpty()) painter.fillRect(bar, BarColor(column));
            if (!Table_->ShowGraphOnly)
                DrawCellText(painter, rect, QString::fromStdString(Table_->CountText(r, column)),
                             THorzAlign::Left, TVertAlign::Top);
        }
    }
    painter.restore();
}

void TStatisticsWindow::DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                                     THorzAlign horz, TVertAlign vert) {
    const QFontMetrics metrics(painter.font());
    const TCellTextPlacement place =
        CellTextPlacement(rect, metrics.horizontalAdvance(text), metrics.height(), horz, vert);
    const QPalette& palette = CommentStatisticsGrid->palette();
    painter.save();
    painter.setClipRect(place.Clip, Qt::IntersectClip);
    painter.fillRect(place.Clip, palette.color(QPalette::Base));
    painter.setPen(palette.color(QPalette::Text));
    painter.drawText(QPoint(place.Origin.x(), place.Origin.y() + metrics.ascent()), text);
    painter.restore();
}

void TStatisticsWindow::closeEvent(QCloseEvent* event) {
    // The project window keeps a reference to this window: closing only minimises it.
    MinimiseOnClose(this, event);
}

// ---- Delegate and header ----

void TStatisticsCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    // Grid row 0 is the header row; the model's rows are grid rows 1..n.
    Window_->CommentStatisticsGridDrawCell(*painter, index.column(), index.row() + 1, option.rect);
}

void TStatisticsHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid()) return;
    // The last pixel column and row of the section are the grid lines around the header cell.
    const QRect cell = rect.adjusted(0, 0, -1, -1);
    Window_->CommentStatisticsGridDrawCell(*painter, logicalIndex, 0, cell);
    painter->save();
    const QTableView* grid = Window_->CommentStatisticsGrid;
    painter->setPen(QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, grid))));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    // The column sorted on carries a small triangle at its right end: up ascending, down
    // descending.
    if (Window_->SortColumn() == logicalIndex && cell.width() > 16) {
        const int x = cell.right() - 10, y = cell.center().y();
        QPolygon arrow;
        if (Window_->SortDescending())
            arrow << QPoint(x - 4, y - 2) << QPoint(x + 4, y - 2) << QPoint(x, y + 3);
        else
            arrow << QPoint(x - 4, y + 2) << QPoint(x + 4, y + 2) << QPoint(x, y - 3);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette().color(QPalette::Text));
        painter->drawPolygon(arrow);
    }
    painter->restore();
}
