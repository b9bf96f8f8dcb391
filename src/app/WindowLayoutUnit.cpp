#include "app/WindowLayoutUnit.h"

#include "app/OptionUnit.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>

namespace {

std::string Value(const TVtOption& option, const std::string& key) {
    auto at = option.WindowLayout.find(key);
    return at == option.WindowLayout.end() ? std::string() : at->second;
}

// The widget that carries a child window's place: its frame inside the MDI area.
QWidget* Placed(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) return sub;
    return window;
}
const QWidget* Placed(const QWidget* window) { return Placed(const_cast<QWidget*>(window)); }

} // namespace

std::string RectText(const QRect& rect) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height())
        .toStdString();
}

std::optional<QRect> RectFromText(const std::string& text) {
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() != 4) return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    if (values[2] <= 0 || values[3] <= 0) return std::nullopt;
    return QRect(values[0], values[1], values[2], values[3]);
}

void KeepFrameGeometry(TVtOption& option, const QWidget* frame) {
    option.WindowLayout[layoutkey::Frame] = RectText(frame->normalGeometry());
    option.WindowLayout[layoutkey::FrameMaximized] = frame->isMaximized() ? "1" : "0";
}

void RestoreFrameGeometry(const TVtOption& option, QWidget* frame) {
    if (std::optional<QRect> rect = RectFromText(Value(option, layoutkey::Frame))) {
        // A place on a screen that is no longer there would leave the frame out of sight.
        bool onScreen = false;
        for (const QScreen* screen : QGuiApplication::screens())
            onScreen = onScreen || screen->availableGeometry().intersects(*rect);
        if (onScreen) frame->setGeometry(*rect);
    }
    if (Value(option, layoutkey::FrameMaximized) == "1")
        frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
}

void KeepChildGeometry(TVtOption& option, const std::string& key, const QWidget* window) {
    const QWidget* placed = Placed(window);
    if (placed->isMinimized() || placed->isMaximized()) return;
    option.WindowLayout[key] = RectText(placed->geometry());
}

void RestoreChildGeometry(const TVtOption& option, const std::string& key, QWidget* window) {
    std::optional<QRect> rect = RectFromText(Value(option, key));
    if (!rect) return;
    QWidget* placed = Placed(window);
    // The title bar stays inside the area (the window menu's 並べて表示 gathers the rest).
    rect->moveTopLeft(QPoint(std::max(0, rect->left()), std::max(0, rect->top())));
    if (window->minimumSize() == window->maximumSize())
        placed->move(rect->topLeft());
    else
        placed->setGeometry(*rect);
}

void KeepColumnWidths(TVtOption& option, const std::string& key, const QHeaderView* header) {
    QStringList widths;
    for (int i = 0; i < header->count(); ++i)
        widths << QString::number(header->sectionSize(i));
    option.WindowLayout[key] = widths.join(QLatin1Char(',')).toStdString();
}

void RestoreColumnWidths(const TVtOption& option, const std::string& key, QHeaderView* header) {
    const QStringList widths = QString::fromStdString(Value(option, key)).split(QLatin1Char(','));
    if (widths.size() != header->count()) return;
    for (int i = 0; i < header->count(); ++i) {
        bool ok = false;
        int width = widths[i].trimmed().toInt(&ok);
        if (ok && width > 0) header->resizeSection(i, width);
    }
}
