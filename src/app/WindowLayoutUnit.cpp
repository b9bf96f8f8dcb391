#include "app/WindowLayoutUnit.h"

#include "presenters/VtOption.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// The widget that carries a child window's place: its frame inside the MDI area.
QWidget* Placed(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) return sub;
    return window;
}
const QWidget* Placed(const QWidget* window) { return Placed(const_cast<QWidget*>(window)); }

} // namespace

QRect ToQRect(const TLayoutRect& rect) {
    return QRect(rect.Left, rect.Top, rect.Width, rect.Height);
}

TLayoutRect FromQRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

void KeepFrameGeometry(TVtOption& option, const QWidget* frame) {
    option.WindowLayout[layoutkey::Frame] = RectText(FromQRect(frame->normalGeometry()));
    option.WindowLayout[layoutkey::FrameMaximized] = frame->isMaximized() ? "1" : "0";
}

void RestoreFrameGeometry(const TVtOption& option, QWidget* frame) {
    if (std::optional<TLayoutRect> kept = RectFromText(LayoutValue(option, layoutkey::Frame))) {
        const QRect rect = ToQRect(*kept);
        // A place on a screen that is no longer there would leave the frame out of sight.
        bool onScreen = false;
        for (const QScreen* screen : QGuiApplication::screens())
            onScreen = onScreen || screen->availableGeometry().intersects(rect);
        if (onScreen) frame->setGeometry(rect);
    }
    if (LayoutValue(option, layoutkey::FrameMaximized) == "1")
        frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
}

void KeepChildGeometry(TVtOption& option, const std::string& key, const QWidget* window) {
    const QWidget* placed = Placed(window);
    if (placed->isMinimized() || placed->isMaximized()) return;
    option.WindowLayout[key] = RectText(FromQRect(placed->geometry()));
}

void RestoreChildGeometry(const TVtOption& option, const std::string& key, QWidget* window) {
    std::optional<TLayoutRect> kept = RectFromText(LayoutValue(option, key));
    if (!kept) return;
    std::optional<QRect> rect = ToQRect(*kept);
    QWidget* placed = Placed(window);
    // The title bar stays inside the area (the window menu's 並べて表示 gathers the rest).
    rect->moveTopLeft(QPoint(std::max(0, rect->left()), std::max(0, rect->top())));
    if (window->minimumSize() == window->maximumSize())
        placed->move(rect->topLeft());
    else
        placed->setGeometry(*rect);
}

void KeepColumnWidths(TVtOption& option, const std::string& key, const QHeaderView* header) {
    std::vector<int> widths;
    for (int i = 0; i < header->count(); ++i)
        widths.push_back(header->sectionSize(i));
    option.WindowLayout[key] = WidthsText(widths);
}

void RestoreColumnWidths(const TVtOption& option, const std::string& key, QHeaderView* header) {
    std::optional<std::vector<int>> widths =
        WidthsFromText(LayoutValue(option, key), header->count());
    if (!widths) return;
    for (int i = 0; i < header->count(); ++i)
        if (int width = (*widths)[static_cast<std::size_t>(i)]; width > 0)
            header->resizeSection(i, width);
}
