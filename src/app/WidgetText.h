// Text at the widget edge: the engine's code page 932 texts (with their marked names and paths)
// to the widgets' text, and the widgets' text to code page 932 (settings, checker project files).
#pragma once

#include "platform/CodePage.h"

#include <QString>

#include <string>

// A text that may hold names of the sources: they are text of `source`, the run's code page.
inline QString EngineToWidget(const std::string& text, const platform::TCodePage& source) {
    return QString::fromStdString(platform::TextToUtf8(text, source));
}

// A text of the system's own (settings, rule names, checker project files): no source names.
inline QString EngineToWidget(const std::string& text) {
    return EngineToWidget(text, platform::SystemCodePage());
}

inline std::string WidgetToEngine(const QString& text) {
    return platform::Utf8ToCp932(text.toStdString());
}
