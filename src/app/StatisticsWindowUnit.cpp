#include "app/StatisticsWindowUnit.h"

#include "app/ChildWindow.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbSource.h"

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

// The window's texts.
struct TStatisticsTexts {
    const char* Caption = "統計";
    const char* Page = "コメント統計";
    std::array<const char*, 5> Headers{"ファイル名", "総行数", "実行行数", "空行数",
                                       "コメント行数"};
    const char* ShowFullPath = "フルパスで表示";
    const char* ShowGraphOnly = "グラフだけ表示";
    const char* HideGraph = "HideGraph";
    const char* Total = "合計";
};
const TStatisticsTexts Texts;

constexpr int ColumnCount = 5;
constexpr std::array<int, ColumnCount> InitialColumnWidths{128, 115, 108, 108, 105};
constexpr int RowHeight = 26;
// Column 0 keeps the engine form of the path (the file system's bytes) here, for the file-name
// part.
constexpr int PathRole = Qt::UserRole + 1;

const QColor TotalColor(0, 0, 255);
const QColor CodeColor(255, 255, 0);
const QColor BlankColor(128, 128, 128);
const QColor CommentColor(0, 128, 0);

// A path (the file system's form) as the widgets show it.
QString FromEngine(std::string_view path) {
    return QString::fromStdString(platform::PathToUtf8(path));
}

} // namespace

// ---- Cell geometry ----

QRect BarRect(const QRect& cell, std::int32_t denominator, std::int32_t value, TBarPart part) {
    if (denominator == 0) return QRect();
    const int left = cell.x(), top = cell.y();
    const int right = cell.x() + cell.width(), bottom = cell.y() + cell.height();
    const int w = static_cast<int>(static_cast<double>(value) / static_cast<double>(denominator) *
                                   static_cast<double>(right - left));
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
    setWindowTitle(QString::fromUtf8(Texts.Caption));
    resize(589, 391);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    auto* page = new QWidget();
    page->setObjectName("TabSheet1");
    PageControl1->addTab(page, QString::fromUtf8(Texts.Page));
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

    ShowFullPath = new QAction(QString::fromUtf8(Texts.ShowFullPath), this);
    ShowFullPath->setObjectName("ShowFullPath");
    ShowFullPath->setCheckable(true);
    ShowFullPath->setChecked(false);
    ShowGraphOnly = new QAction(QString::fromUtf8(Texts.ShowGraphOnly), this);
    ShowGraphOnly->setObjectName("ShowGraphOnly");
    ShowGraphOnly->setCheckable(true);
    ShowGraphOnly->setChecked(true);
    HideGraph = new QAction(QString::fromUtf8(Texts.HideGraph), this);
    HideGraph->setObjectName("HideGraph");
    // A checkable action flips its own check mark when triggered; what is left is the repaint.
    connect(ShowFullPath, &QAction::triggered, this, &TStatisticsWindow::RepaintGrid);
    connect(ShowGraphOnly, &QAction::triggered, this, &TStatisticsWindow::RepaintGrid);
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
    for (const char* text : Texts.Headers)
        headers << QString::fromUtf8(text);
    CommentStatisticsGrid->setHorizontalHeaderLabels(headers);
}

void TStatisticsWindow::ShowStatistics(TVbProjectSource* project) {
    Project = project;
    const int count = project ? static_cast<int>(project->Children.size()) : 0;
    MaxTotalLines = 0;
    MaxCodeLines = 0;
    Rows_.clear();
    for (int k = 0; k < count; ++k) {
        // Every child of the project is a member source (TVbProjectSource::AddMember).
        const auto* source =
            static_cast<const TVbSource*>(project->Children[static_cast<std::size_t>(k)]);
        const TVbStaticticsInfo& info = source->Statistics;
        MaxTotalLines = std::max(MaxTotalLines, info.TotalLines);
        MaxCodeLines = std::max(MaxCodeLines, info.CodeLines);
        Rows_.push_back({source->FileName,
                         {info.TotalLines, info.CodeLines, info.BlankLines, info.CommentLines}});
    }
    ProjectFolder_ = project ? QString::fromStdString(platform::NativePath(
                                   platform::FolderPart(platform::AbsolutePath(project->FileName))))
                             : QString();
    FillGrid();
    FillTotals();
    RepaintGrid();
    // New statistics are to be seen: a window closed (minimised) before comes back.
    ShowNormalIfMinimised(this);
}

void TStatisticsWindow::SortByColumn(int column) {
    if (column < 0 || column >= ColumnCount) return;
    SortDescending_ = column == SortColumn_ && !SortDescending_;
    SortColumn_ = column;
    FillGrid();
    RepaintGrid();
}

void TStatisticsWindow::FillGrid() {
    std::vector<std::size_t> order(Rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (SortColumn_ >= 0) {
        // Rows that compare equal stay in project order, in either direction.
        auto less = [this](std::size_t a, std::size_t b) {
            const TRow& x = Rows_[a];
            const TRow& y = Rows_[b];
            if (SortColumn_ == 0) {
                int byName = QString::compare(FromEngine(platform::FileNamePart(x.Path)),
                                              FromEngine(platform::FileNamePart(y.Path)),
                                              Qt::CaseInsensitive);
                return byName != 0 ? byName < 0 : FromEngine(x.Path) < FromEngine(y.Path);
            }
            const auto c = static_cast<std::size_t>(SortColumn_ - 1);
            return x.Counts[c] < y.Counts[c];
        };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return SortDescending_ ? less(b, a) : less(a, b);
        });
    }
    // setRowCount keeps the column widths the user has set.
    CommentStatisticsGrid->setRowCount(static_cast<int>(Rows_.size()));
    for (int k = 0; k < static_cast<int>(order.size()); ++k) {
        const TRow& row = Rows_[order[static_cast<std::size_t>(k)]];
        auto* pathItem = new QTableWidgetItem(FromEngine(row.Path));
        pathItem->setData(PathRole, QByteArray::fromStdString(row.Path));
        pathItem->setToolTip(FromEngine(row.Path));
        pathItem->setFlags(Qt::ItemIsEnabled);
        CommentStatisticsGrid->setItem(k, 0, pathItem);
        for (int c = 1; c < ColumnCount; ++c) {
            auto* item =
                new QTableWidgetItem(QString::number(row.Counts[static_cast<std::size_t>(c - 1)]));
            item->setFlags(Qt::ItemIsEnabled); // cells are shown, never edited
            CommentStatisticsGrid->setItem(k, c, item);
        }
    }
}

void TStatisticsWindow::FillTotals() {
    std::array<std::int64_t, 4> sums{};
    for (const TRow& row : Rows_)
        for (std::size_t c = 0; c < sums.size(); ++c)
            sums[c] += row.Counts[c];
    auto* label = new QTableWidgetItem(Project ? QString::fromUtf8(Texts.Total) : QString());
    label->setFlags(Qt::ItemIsEnabled);
    StatisticsTotals->setItem(0, 0, label);
    for (int c = 1; c < ColumnCount; ++c) {
        auto* item = new QTableWidgetItem(
            Project ? QString::number(sums[static_cast<std::size_t>(c - 1)]) : QString());
        item->setFlags(Qt::ItemIsEnabled);
        StatisticsTotals->setItem(0, c, item);
    }
}

QString TStatisticsWindow::ShownPath(const std::string& path, int cellWidth) const {
    if (!ShowFullPath->isChecked()) return FromEngine(platform::FileNamePart(path));
    const QString full = FromEngine(path);
    const QFontMetrics metrics(CommentStatisticsGrid->font());
    if (ProjectFolder_.isEmpty() || metrics.horizontalAdvance(full) + 2 <= cellWidth) return full;
    return QDir(ProjectFolder_).relativeFilePath(full);
}

void TStatisticsWindow::RepaintGrid() {
    CommentStatisticsGrid->viewport()->update();
    CommentStatisticsGrid->horizontalHeader()->viewport()->update();
}

std::string TStatisticsWindow::CellPath(int row) const {
    const QTableWidgetItem* item = CommentStatisticsGrid->item(row - 1, 0);
    return item ? item->data(PathRole).toByteArray().toStdString() : std::string();
}

std::int32_t TStatisticsWindow::CellCount(int column, int row) const {
    const QTableWidgetItem* item = CommentStatisticsGrid->item(row - 1, column);
    return item ? item->text().toInt() : 0;
}

void TStatisticsWindow::CommentStatisticsGridDrawCell(QPainter& painter, int column, int row,
                                                      const QRect& rect) {
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(CommentStatisticsGrid->font());
    painter.fillRect(rect, CommentStatisticsGrid->palette().color(QPalette::Base));
    if (row == 0) {
        DrawCellText(painter, rect,
                     QString::fromUtf8(Texts.Headers[static_cast<std::size_t>(column)]),
                     THorzAlign::Center, TVertAlign::Center);
    } else if (Project) {
        if (column == 0) {
            DrawCellText(painter, rect, ShownPath(CellPath(row), rect.width()), THorzAlign::Left,
                         TVertAlign::Center);
        } else if (column >= 1 && column < ColumnCount) {
            const TBarPart part = ShowGraphOnly->isChecked() ? TBarPart::Full : TBarPart::LowerHalf;
            const std::int32_t total = CellCount(1, row);
            switch (column) {
            case 1:
                DrawBar(painter, rect, MaxTotalLines, total, TotalColor, part);
                break;
            case 2:
                DrawBar(painter, rect, MaxCodeLines, CellCount(2, row), CodeColor, part);
                break;
            case 3:
                DrawBar(painter, rect, total, CellCount(3, row), BlankColor, part);
                break;
            case 4:
                DrawBar(painter, rect, total, CellCount(4, row), CommentColor, part);
                break;
            }
            if (!ShowGraphOnly->isChecked()) {
                const QTableWidgetItem* item = CommentStatisticsGrid->item(row - 1, column);
                DrawCellText(painter, rect, item ? item->text() : QString(), THorzAlign::Left,
                             TVertAlign::Top);
            }
        }
    }
    painter.restore();
}

void TStatisticsWindow::DrawBar(QPainter& painter, const QRect& rect, std::int32_t denominator,
                                std::int32_t value, const QColor& color, TBarPart part) {
    const QRect bar = BarRect(rect, denominator, value, part);
    if (bar.isEmpty()) return;
    painter.fillRect(bar, color);
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
