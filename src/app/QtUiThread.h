// The UI-thread port of the presenters on Qt: a task posted from any thread runs as a queued
// call on the receiver's thread (dropped when the receiver is gone).
#pragma once

#include "presenters/ProjectPresenter.h"

#include <QObject>

class TQtUiThread : public TUiThread {
public:
    explicit TQtUiThread(QObject* receiver) : Receiver_(receiver) {}
    void Post(std::function<void()> task) override {
        QMetaObject::invokeMethod(Receiver_, std::move(task), Qt::QueuedConnection);
    }

private:
    QObject* Receiver_;
};
