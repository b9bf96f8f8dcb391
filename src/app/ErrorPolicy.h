// How the desktop application treats an error: it ends the user's action and is shown in the
// error message box.
#pragma once

#include "presenters/Prompts.h"

#include <exception>
#include <functional>

class QWidget;

// Runs an action of the user; an error ends it and is shown in the error message box.
// Answers false when the action failed.
bool RunGuarded(QWidget* parent, const std::function<void()>& action);
