#include "app/VetrinApplication.h"

#include "app/ErrorPolicy.h"
#include "app/UserPrompts.h"

#include <cstdio>
#include <exception>

TVetrinApplication::TVetrinApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVetrinApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Prompts().ShowError(ErrorText(error));
    } catch (...) {
        std::fputs("vetrin: unknown error in an event handler\n", stderr);
    }
    return false;
}
