// The Qt face's captions and messages (the presenters' texts as QString), and its common font.
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

namespace apptext {

inline const QString AppTitle = Ui(uitext::AppTitle);

// Main window
inline const QString MenuSettings = Ui(uitext::MenuSettings);
inline const QString MenuOptions = Ui(uitext::MenuOptions);
inline const QString MenuWindow = Ui(uitext::MenuWindow);
inline const QString MenuCascade = Ui(uitext::MenuCascade);
inline const QString MenuTile = Ui(uitext::MenuTile);
inline const QString MenuHelp = Ui(uitext::MenuHelp);
inline const QString MenuAbout = Ui(uitext::MenuAbout);
inline const QString AboutCaption = Ui(uitext::AboutCaption);

// Project window
inline const QString ProjectCaption = Ui(uitext::ProjectCaption);
inline const QString ProjectLabel = Ui(uitext::ProjectLabel);
inline const QString ProjectDialogTitle = Ui(uitext::ProjectDialogTitle);
inline const QString Ellipsis = Ui(uitext::Ellipsis);
inline const QString ClearAtStart = Ui(uitext::ClearAtStart);
inline const QString SaveWithResult = Ui(uitext::SaveWithResult);
inline const QString Save = Ui(uitext::Save);
inline const QString Open = Ui(uitext::Open);
inline const QString Analyze = Ui(uitext::Analyze);
inline const QString Check = Ui(uitext::Check);
inline const QString CheckAll = Ui(uitext::CheckAll);
inline const QString Statistics = Ui(uitext::Statistics);
inline const QString Stop = Ui(uitext::Stop);

// Option dialog
inline const QString OptionCaption = Ui(uitext::OptionCaption);
inline const QString EditorLabel = Ui(uitext::EditorLabel);
inline const QString CodePageLabel = Ui(uitext::CodePageLabel);
inline const QString FileNamePlaceholder = Ui(uitext::FileNamePlaceholder);
inline const QString LinePlaceholder = Ui(uitext::LinePlaceholder);
inline const QString Ok = Ui(uitext::Ok);
inline const QString Cancel = Ui(uitext::Cancel);
inline const QString EditorProgramCaption = Ui(uitext::EditorProgramCaption);
inline const QString ProgramFilter = Ui(uitext::ProgramFilterName) + QStringLiteral(" (*)");

// Result and log windows
inline const QString ResultCaption = Ui(uitext::ResultCaption);
inline const QString LogCaption = Ui(uitext::LogCaption);
inline const QString ResultCaptionWithCount = Ui(uitext::ResultCaptionWithCount);
inline const QString Edit = Ui(uitext::Edit);
inline const QString Copy = Ui(uitext::Copy);
inline const QString SelectAll = Ui(uitext::SelectAll);

} // namespace apptext

// The font of every window: "ＭＳ Ｐゴシック" 12 pixels, or the system's Japanese font where that
// one is missing.
inline QFont AppFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("Noto Sans JP")});
    font.setPixelSize(12);
    return font;
}
