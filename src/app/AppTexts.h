// The Qt face's way to the presenters' texts (as QString, in the process's language), and its
// common font.
#pragma once

#include "presenters/UiTexts.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <string_view>

// A UTF-8 text of the presenters as the widgets take it.
inline QString Ui(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
// A caption or message of the presenters in the process's language.
inline QString Ui(const uitext::TText& text) { return Ui(uitext::Text(text)); }

// The font of every window: "ＭＳ Ｐゴシック" 12 pixels, or the system's Japanese font where that
// one is missing.
inline QFont AppFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Noto Sans JP")});
    font.setPixelSize(12);
    return font;
}
