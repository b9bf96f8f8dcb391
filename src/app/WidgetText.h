// Text at the widget edge: the engine's code page 932 texts (with their marked names and paths)
// to the widgets' text, and the widgets' text to code page 932 (settings, checker project files).
#pragma once

#include "platform/CodePage.h"

#include <QString>

#include <string>

inline QString EngineToWidget(const std::string& text) {
    return QString::fromStdString(platform::TextToUtf8(text));
}

inline std::string WidgetToEngine(const QString& text) {
    return platform::Utf8ToCp932(text.toStdString());
}
