// How the desktop application treats an error: it ends the user's action and is shown in the
// error message box.
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

// The text of an error for the user: the message of an EVetrinError converted from code page 932.
QString ErrorText(const std::exception& error);
// Runs an action of the user; an error ends it and is shown in the error message box.
// Answers false when the action failed.
bool RunGuarded(QWidget* parent, const std::function<void()>& action);
