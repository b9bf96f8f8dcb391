#include "app/StatisticsWindowUnit.h"

#include "platform/CodePage.h"
#include "vbsource/VbSource.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
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
};
const TStatisticsTexts Texts;

constexpr int ColumnCount = 5;
constexpr std::array<int, ColumnCount> InitialColumnWidths{128, 115, 108, 108, 105};
constexpr int RowHeight = 26;
// Column 0 keeps the engine (code page 932) form of the path here, for the file-name part.
constexpr int PathRole = Qt::UserRole + 1;

const QColor TotalColor(0, 0, 255);
const QColor CodeColor(255, 255, 0);
const QColor BlankColor(128, 128, 128);
const QColor CommentColor(0, 128, 0);

QString FromEngine(std::string_view text) {
    return QString::fromStdString(platform::Cp932ToUtf8(text));
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
    inner->addWidget(CommentStatisticsGrid);

    auto* header = new TStatisticsHeader(this, CommentStatisticsGrid);
    CommentStatisticsGrid->setHorizontalHeader(header);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setFixedHeight(RowHeight);
    for (int c = 0; c < ColumnCount; ++c)
        CommentStatisticsGrid->setColumnWidth(c, InitialColumnWidths[static_cast<std::size_t>(c)]);
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
    // setRowCount keeps the column widths the user has set.
    CommentStatisticsGrid->setRowCount(count);
    MaxTotalLines = 0;
    MaxCodeLines = 0;
    for (int k = 0; k < count; ++k) {
        // Every child of the project is a member source (TVbProjectSource::AddMember).
        const auto* source =
            static_cast<const TVbSource*>(project->Children[static_cast<std::size_t>(k)]);
        const TVbStaticticsInfo& info = source->Statistics;
        MaxTotalLines = std::max(MaxTotalLines, info.TotalLines);
        MaxCodeLines = std::max(MaxCodeLines, info.CodeLines);

        auto* pathItem =
            new QTableWidgetItem(QString::fromStdString(platform::PathToUtf8(source->FileName)));
        pathItem->setData(PathRole, QByteArray::fromStdString(source->FileName));
        pathItem->setFlags(Qt::ItemIsEnabled);
        CommentStatisticsGrid->setItem(k, 0, pathItem);
        const std::array<std::int32_t, 4> counts{info.TotalLines, info.CodeLines, info.BlankLines,
                                                 info.CommentLines};
        for (int c = 1; c < ColumnCount; ++c) {
            auto* item =
                new QTableWidgetItem(QString::number(counts[static_cast<std::size_t>(c - 1)]));
            item->setFlags(Qt::ItemIsEnabled); // cells are shown, never edited
            CommentStatisticsGrid->setItem(k, c, item);
        }
    }
    RepaintGrid();
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
            const std::string path = CellPath(row);
            const std::string shown =
                ShowFullPath->isChecked() ? path : platform::FileNamePart(path);
            DrawCellText(painter, rect, QString::fromStdString(platform::PathToUtf8(shown)),
                         THorzAlign::Left, TVertAlign::Center);
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
    event->ignore();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->showMinimized();
    else
        showMinimized();
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
    painter->restore();
}
