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
