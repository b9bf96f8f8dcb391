// The statistics window: bar geometry, cell drawing, table filling, closing.
#include "app/StatisticsWindowUnit.h"
#include "platform/CodePage.h"

#include <QAction>
#include <QHeaderView>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

struct TCounts {
    std::int32_t Total, Code, Blank, Comment;
};

// Fills a table as the project /p/Project1.vbp with one member per entry, with the given counts.
void Fill(TStatisticsTable& table, const std::vector<std::pair<std::string, TCounts>>& files) {
    std::vector<TStatisticsRow> rows;
    for (const auto& [path, counts] : files)
        rows.push_back({path, {counts.Total, counts.Code, counts.Blank, counts.Comment}});
    table.Fill(std::move(rows), "/p/Project1.vbp");
}
std::unique_ptr<TStatisticsTable>
MakeProject(const std::vector<std::pair<std::string, TCounts>>& files) {
    auto table = std::make_unique<TStatisticsTable>();
    Fill(*table, files);
    return table;
}

const QColor Blue(0, 0, 255), Yellow(255, 255, 0), Grey(128, 128, 128), Green(0, 128, 0);

// Draws one cell into a white image of the cell's size and answers the image.
QImage DrawCell(TStatisticsWindow& window, int column, int row, QSize size = QSize(100, 26)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    window.CommentStatisticsGridDrawCell(painter, column, row, QRect(QPoint(0, 0), size));
    return image;
}

// The number of leading pixels of image row y that have the given colour.
int ColouredRun(const QImage& image, int y, const QColor& colour) {
    int x = 0;
    while (x < image.width() && image.pixelColor(x, y) == colour)
        ++x;
    return x;
}

bool HasColour(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) return true;
    return false;
}

} // namespace

class StatisticsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void BarGeometry();
    void TextPlacement();
    void FillsTableAndMaxima();
    void DrawsBarsInCells();
    void NumbersAndLowerHalfWithoutGraphOnly();
    void FileNameColumn();
    void HeaderAndEmptyWindow();
    void FewerSourcesAndKeptColumnWidths();
    void LayoutAndMenu();
    void GridPaintsThroughTheWindow();
    void CloseMinimises();
    void HeaderClicksSortAndTotalsStayBelow();
    void FullPathTooWideShowsTheProjectRelativePath();
};

void StatisticsWindowTest::BarGeometry() {
    const QRect cell(10, 20, 115, 26); // Left 10, Top 20, Right 125, Bottom 46
    // 100 and 50 total lines: full width, then half of it truncated (57.5 -> 57).
    QCOMPARE(BarRect(cell, 100, 100, TBarPart::Full), QRect(10, 20, 115, 26));
    QCOMPARE(BarRect(cell, 100, 50, TBarPart::Full), QRect(10, 20, 57, 26));
    // 10 comment lines of 40: a quarter, 28.75 -> 28.
    QCOMPARE(BarRect(cell, 40, 10, TBarPart::Full).width(), 28);
    // The lower half starts at (Top + Bottom) div 2 and runs to the bottom.
    QCOMPARE(BarRect(cell, 100, 50, TBarPart::LowerHalf), QRect(10, 33, 57, 13));
    QCOMPARE(BarRect(QRect(0, 0, 100, 25), 4, 1, TBarPart::LowerHalf), QRect(0, 12, 25, 13));
    // A zero denominator draws nothing; a zero value an empty bar.
    QVERIFY(BarRect(cell, 0, 10, TBarPart::Full).isNull());
    QVERIFY(BarRect(cell, 0, 0, TBarPart::LowerHalf).isNull());
    QVERIFY(BarRect(cell, 10, 0, TBarPart::Full).isEmpty());
}

void StatisticsWindowTest::TextPlacement() {
    const QRect cell(10, 20, 100, 26); // Right 110, Bottom 46
    TCellTextPlacement p = CellTextPlacement(cell, 30, 12, THorzAlign::Left, TVertAlign::Top);
    QCOMPARE(p.Origin, QPoint(11, 20));
    QCOMPARE(p.Clip, QRect(QPoint(10, 20), QPoint(108, 31))); // to (Right - 1, y + TH), exclusive
    p = CellTextPlacement(cell, 30, 12, THorzAlign::Center, TVertAlign::Center);
    QCOMPARE(p.Origin, QPoint((10 + 110 - 30) / 2 + 1, (20 + 46 - 12) / 2));
    p = CellTextPlacement(cell, 31, 13, THorzAlign::Right, TVertAlign::Bottom);
    QCOMPARE(p.Origin, QPoint(110 - 31 + 1, 46 - 13));
    QCOMPARE(p.Clip.left(), 79);
    QCOMPARE(p.Clip.right(), 108);
}

void StatisticsWindowTest::FillsTableAndMaxima() {
    TStatisticsWindow window;
    auto project = MakeProject({{"/p/A.bas", {100, 60, 5, 7}}, {"/p/B.frm", {50, 80, 3, 2}}});
    window.ShowStatistics(*project);
    QCOMPARE(window.Table(), project.get());
    QTableWidget* grid = window.CommentStatisticsGrid;
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(0, 0)->text(), QString("/p/A.bas"));
    QCOMPARE(grid->item(1, 1)->text(), QString("50"));
    QCOMPARE(grid->item(1, 2)->text(), QString("80"));
    QCOMPARE(grid->item(1, 3)->text(), QString("3"));
    QCOMPARE(grid->item(1, 4)->text(), QString("2"));
    QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
}

void StatisticsWindowTest::DrawsBarsInCells() {
    TStatisticsWindow window;
    auto project = MakeProject({{"/p/A.bas", {100, 0, 20, 0}},
                                {"/p/B.bas", {50, 0, 0, 0}},
                                {"/p/C.bas", {40, 0, 0, 10}},
                                {"/p/D.bas", {0, 0, 0, 0}}});
    window.ShowStatistics(*project);
    QVERIFY(window.ShowGraphOnly->isChecked()); // the default: bars over the full height
    // Column 1 compares the files: 100 -> whole width, 50 -> half.
    QImage first = DrawCell(window, 1, 1);
    QCOMPARE(ColouredRun(first, 0, Blue), 100);
    QCOMPARE(ColouredRun(first, 25, Blue), 100);
    QCOMPARE(ColouredRun(DrawCell(window, 1, 2), 0, Blue), 50);
    QCOMPARE(ColouredRun(DrawCell(window, 1, 2, QSize(115, 26)), 12, Blue), 57);
    // Columns 3 and 4 are shares of the file's own total.
    QCOMPARE(ColouredRun(DrawCell(window, 3, 1), 5, Grey), 20);
    QCOMPARE(ColouredRun(DrawCell(window, 4, 3, QSize(115, 26)), 5, Green), 28);
    // All code counts are 0: no code bar; a file of 0 lines: no share bars.
    QVERIFY(!HasColour(DrawCell(window, 2, 1), QRect(0, 0, 100, 26), Yellow));
    QImage empty = DrawCell(window, 4, 4);
    QVERIFY(!HasColour(empty, QRect(0, 0, 100, 26), Green));
    // The cell is cleared to the grid's background first.
    QCOMPARE(empty.pixelColor(50, 13),
             window.CommentStatisticsGrid->palette().color(QPalette::Base));
}

void StatisticsWindowTest::NumbersAndLowerHalfWithoutGraphOnly() {
    TStatisticsWindow window;
    auto project = MakeProject({{"/p/A.bas", {100, 100, 0, 0}}});
    window.ShowStatistics(*project);
    window.ShowGraphOnly->trigger();
    QVERIFY(!window.ShowGraphOnly->isChecked());
    const QImage cell = DrawCell(window, 1, 1, QSize(100, 40));
    // The bar fills only the lower half: from (0 + 40) div 2 down.
    QCOMPARE(ColouredRun(cell, 39, Blue), 100);
    QCOMPARE(ColouredRun(cell, 20, Blue), 100);
    QVERIFY(!HasColour(cell, QRect(0, 0, 100, 4), Blue));
    // The number is drawn at the top left: dark text pixels there, none further right.
    const QColor text = window.CommentStatisticsGrid->palette().color(QPalette::Text);
    QVERIFY(HasColour(cell, QRect(0, 0, 30, 19), text));
    QVERIFY(!HasColour(cell, QRect(60, 0, 40, 19), text));
    // Triggered again, the bar fills the whole height and no number is drawn.
    window.ShowGraphOnly->trigger();
    const QImage graph = DrawCell(window, 1, 1, QSize(100, 40));
    QCOMPARE(ColouredRun(graph, 0, Blue), 100);
    QVERIFY(!HasColour(graph, QRect(0, 0, 100, 40), text));
}

void StatisticsWindowTest::FileNameColumn() {
    TStatisticsWindow window;
    // A file-system name (UTF-8) outside ASCII: shown whole, after the last separator.
    const std::string path = "/p/sub/表.bas";
    auto project = MakeProject({{path, {1, 1, 0, 0}}});
    window.ShowStatistics(*project);
    QCOMPARE(platform::FileNamePart(path), std::string("表.bas"));

    const QFontMetrics metrics(window.CommentStatisticsGrid->font());
    auto inkWidth = [&](const QImage& image) {
        int right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).lightness() < 128) right = std::max(right, x);
        return right + 1;
    };
    const QSize size(400, 26);
    const int nameOnly = inkWidth(DrawCell(window, 0, 1, size));
    QVERIFY(nameOnly > 0);
    QVERIFY(nameOnly <= metrics.horizontalAdvance(QString::fromStdString("表.bas")) + 2);
    window.ShowFullPath->trigger();
    const int full = inkWidth(DrawCell(window, 0, 1, size));
    QVERIFY(full > nameOnly + metrics.horizontalAdvance("/p/sub/") / 2);
}

void StatisticsWindowTest::HeaderAndEmptyWindow() {
    TStatisticsWindow window;
    QCOMPARE(window.CommentStatisticsGrid->columnCount(), 5);
    QStringList headers;
    for (int c = 0; c < 5; ++c)
        headers << window.CommentStatisticsGrid->horizontalHeaderItem(c)->text();
    QCOMPARE(headers, QStringList({"ファイル名", "総行数", "実行行数", "空行数", "コメント行数"}));
    QCOMPARE(window.CommentStatisticsGrid->rowCount(), 0);
    // Header cells are drawn centred; before the first ShowStatistics data cells stay empty.
    const QColor text = window.CommentStatisticsGrid->palette().color(QPalette::Text);
    QVERIFY(HasColour(DrawCell(window, 1, 0), QRect(0, 0, 100, 26), text));
    const QImage blank = DrawCell(window, 1, 1);
    QVERIFY(!HasColour(blank, QRect(0, 0, 100, 26), Blue));
    QVERIFY(!HasColour(blank, QRect(0, 0, 100, 26), text));
}

void StatisticsWindowTest::FewerSourcesAndKeptColumnWidths() {
    TStatisticsWindow window;
    QTableWidget* grid = window.CommentStatisticsGrid;
    QCOMPARE(grid->columnWidth(0), 128);
    QCOMPARE(grid->columnWidth(1), 115);
    QCOMPARE(grid->columnWidth(2), 108);
    QCOMPARE(grid->columnWidth(3), 108);
    QCOMPARE(grid->columnWidth(4), 105);
    QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 26);
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);

    auto three = MakeProject(
        {{"/p/A.bas", {300, 1, 1, 1}}, {"/p/B.bas", {2, 200, 2, 2}}, {"/p/C.bas", {3, 3, 3, 3}}});
    window.ShowStatistics(*three);
    grid->horizontalHeader()->resizeSection(0, 240);
    grid->horizontalHeader()->resizeSection(4, 60);

    auto one = MakeProject({{"/q/Z.cls", {7, 5, 1, 1}}});
    window.ShowStatistics(*one);
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->item(0, 0)->text(), QString("/q/Z.cls"));
    QCOMPARE(one->MaxTotalLines(), 7); // nothing of the earlier project remains
    QCOMPARE(grid->rowHeight(0), 26);
    QCOMPARE(grid->columnWidth(0), 240);
    QCOMPARE(grid->columnWidth(4), 60);
    three.reset(); // the earlier table may go away: nothing refers to it any more
    QCOMPARE(ColouredRun(DrawCell(window, 1, 1), 3, Blue), 100);
}

void StatisticsWindowTest::LayoutAndMenu() {
    TStatisticsWindow window;
    QCOMPARE(window.windowTitle(), QString("統計"));
    QCOMPARE(window.size(), QSize(589, 391));
    QCOMPARE(window.PageControl1->count(), 1);
    QCOMPARE(window.PageControl1->tabText(0), QString("コメント統計"));
    QVERIFY(window.PageControl1->widget(0)->isAncestorOf(window.CommentStatisticsGrid));
    QCOMPARE(window.CommentStatisticsGrid->contextMenuPolicy(), Qt::CustomContextMenu);
    const QList<QAction*> entries = window.PopupMenu1->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0], window.ShowFullPath);
    QVERIFY(entries[1]->isSeparator());
    QCOMPARE(entries[2], window.ShowGraphOnly);
    QCOMPARE(window.ShowFullPath->text(), QString("フルパスで表示"));
    QCOMPARE(window.ShowGraphOnly->text(), QString("グラフだけ表示"));
    QVERIFY(window.ShowFullPath->isCheckable() && !window.ShowFullPath->isChecked());
    QVERIFY(window.ShowGraphOnly->isCheckable() && window.ShowGraphOnly->isChecked());
    // HideGraph only repaints: it is in no menu and changes neither flag.
    QVERIFY(!window.PopupMenu1->actions().contains(window.HideGraph));
    window.HideGraph->trigger();
    QVERIFY(!window.ShowFullPath->isChecked() && window.ShowGraphOnly->isChecked());
}

void StatisticsWindowTest::GridPaintsThroughTheWindow() {
    TStatisticsWindow window;
    auto project = MakeProject({{"/p/A.bas", {100, 50, 10, 40}}});
    window.ShowStatistics(*project);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableWidget* grid = window.CommentStatisticsGrid;
    const QImage shot = grid->viewport()->grab().toImage();
    const QRect total = grid->visualRect(grid->model()->index(0, 1));
    const QRect comment = grid->visualRect(grid->model()->index(0, 4));
    const qreal dpr = shot.devicePixelRatio();
    auto at = [&](int x, int y) { return shot.pixelColor(int(x * dpr), int(y * dpr)); };
    QCOMPARE(at(total.left() + 2, total.center().y()), Blue);
    QCOMPARE(at(total.right() - 2, total.center().y()), Blue);
    QCOMPARE(at(comment.left() + 2, comment.center().y()), Green);
    QVERIFY(at(comment.right() - 2, comment.center().y()) != Green); // 40 % of the cell only
}

void StatisticsWindowTest::CloseMinimises() {
    {
        TStatisticsWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.close());
        QTRY_VERIFY(window.isMinimized());
    }
    QMdiArea area;
    area.resize(800, 600);
    auto* window = new TStatisticsWindow();
    QMdiSubWindow* sub = area.addSubWindow(window);
    area.show();
    sub->show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QVERIFY(!sub->close());
    QTRY_VERIFY(sub->isMinimized());
    QCOMPARE(area.subWindowList().size(), 1); // still there: the project window may refer to it
    QVERIFY(sub->widget() == window);
}

void StatisticsWindowTest::HeaderClicksSortAndTotalsStayBelow() {
    TStatisticsWindow window;
    auto project = MakeProject({{"/p/b.bas", {50, 30, 5, 15}},
                                {"/p/C.frm", {200, 120, 40, 40}},
                                {"/p/a.cls", {50, 10, 20, 20}}});
    window.ShowStatistics(*project);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableWidget* grid = window.CommentStatisticsGrid;
    QHeaderView* header = grid->horizontalHeader();
    auto column = [grid](int c) {
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row)
            texts << grid->item(row, c)->text();
        return texts;
    };
    auto clickHeader = [header](int c) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + 10, header->height() / 2));
    };
    clickHeader(1); // total lines, ascending; equal counts keep the project's order
    QCOMPARE(column(0), QStringList({"/p/b.bas", "/p/a.cls", "/p/C.frm"}));
    clickHeader(1); // again: reversed
    QCOMPARE(column(0), QStringList({"/p/C.frm", "/p/b.bas", "/p/a.cls"}));
    clickHeader(0); // file names, letter case ignored
    QCOMPARE(column(0), QStringList({"/p/a.cls", "/p/b.bas", "/p/C.frm"}));
    QCOMPARE(column(2), QStringList({"10", "30", "120"}));
    // The maxima and the bars do not depend on the order.
    QCOMPARE(project->MaxTotalLines(), 200);
    // The totals row: the sums, under the grid, as wide as its columns, also after a resize.
    QTableWidget* totals = window.StatisticsTotals;
    QCOMPARE(totals->rowCount(), 1);
    QCOMPARE(totals->item(0, 1)->text(), QString("300"));
    QCOMPARE(totals->item(0, 2)->text(), QString("160"));
    QCOMPARE(totals->item(0, 3)->text(), QString("65"));
    QCOMPARE(totals->item(0, 4)->text(), QString("75"));
    QVERIFY(totals->geometry().top() >= grid->geometry().bottom());
    grid->setColumnWidth(0, 222);
    QCOMPARE(totals->columnWidth(0), 222);
    // A new project keeps the sort.
    Fill(*project, {{"/q/z.bas", {1, 1, 0, 0}}, {"/q/y.bas", {2, 2, 0, 0}}});
    window.ShowStatistics(*project);
    QCOMPARE(column(0), QStringList({"/q/y.bas", "/q/z.bas"}));
    QCOMPARE(totals->item(0, 1)->text(), QString("3"));
}

void StatisticsWindowTest::FullPathTooWideShowsTheProjectRelativePath() {
    TStatisticsWindow window;
    auto project = MakeProject({{"/p/forms/main/Main.frm", {1, 1, 0, 0}}});
    window.ShowStatistics(*project); // the project file is /p/Project1.vbp
    QCOMPARE(window.CommentStatisticsGrid->item(0, 0)->toolTip(),
             QString("/p/forms/main/Main.frm"));
    QCOMPARE(window.ShownPath(0, 2000), QString("Main.frm"));
    window.ShowFullPath->trigger();
    QCOMPARE(window.ShownPath(0, 2000), QString("/p/forms/main/Main.frm"));
    QCOMPARE(window.ShownPath(0, 40), QString("forms/main/Main.frm"));
}

QTEST_MAIN(StatisticsWindowTest)
#include "StatisticsWindowTest.moc"
