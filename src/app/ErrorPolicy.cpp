#include "app/ErrorPolicy.h"

#include "app/UserPrompts.h"

bool RunGuarded(QWidget*, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        Prompts().ShowError(ErrorText(error));
    }
    return false;
}
