// Text at the widget edge: the engine's code page 932 bytes to and from the widgets' text.
#pragma once

#include "platform/CodePage.h"

#include <QString>

#include <string>

inline QString EngineToWidget(const std::string& text) {
    return QString::fromStdString(platform::Cp932ToUtf8(text));
}

inline std::string WidgetToEngine(const QString& text) {
    return platform::Utf8ToCp932(text.toStdString());
}
