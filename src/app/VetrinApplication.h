// The application object: the last line of defence against an error escaping an event handler.
#pragma once

#include <QApplication>

class TVetrinApplication : public QApplication {
public:
    TVetrinApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
