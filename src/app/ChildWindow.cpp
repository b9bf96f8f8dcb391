#include "app/ChildWindow.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

void MinimiseOnClose(QWidget* window, QCloseEvent* event) {
    event->ignore();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        frame->showMinimized();
    else
        window->showMinimized();
}

void ShowNormalIfMinimised(QWidget* window) {
    QWidget* frame = window;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) frame = sub;
    if (frame->isMinimized()) frame->showNormal();
}
