// The desktop application's captions and messages, written once in UTF-8, and its common font.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <array>

namespace apptext {

inline const QString AppTitle = QStringLiteral("Vetrin for VB5と6");

// Main window
inline const QString MenuSettings = QStringLiteral("設定(&S)");
inline const QString MenuOptions = QStringLiteral("オプション(&O)");
inline const QString MenuWindow = QStringLiteral("ウィンドウ(&W)");
inline const QString MenuCascade = QStringLiteral("重ねて表示(&C)");
inline const QString MenuTile = QStringLiteral("並べて表示(&T)");

// Project window
inline const QString ProjectCaption = QStringLiteral("ﾌﾟﾛｼﾞｪｸﾄ");
inline const QString ProjectLabel = QStringLiteral("VBﾌﾟﾛｼﾞｪｸﾄ(&P):");
inline const QString ProjectDialogTitle = QStringLiteral("VBﾌﾟﾛｼﾞｪｸﾄ");
inline const QString Ellipsis = QStringLiteral("…");
inline const QString ClearAtStart = QStringLiteral("開始時にログをクリア");
inline const QString SaveWithResult = QStringLiteral("解析結果も保存");
inline const QString Save = QStringLiteral("保存");
inline const QString Open = QStringLiteral("開く");
inline const QString Analyze = QStringLiteral("解析");
inline const QString Check = QStringLiteral("チェック");
inline const QString CheckAll = QStringLiteral("全てチェックする");
inline const QString Statistics = QStringLiteral("統計");
inline const QString VbProjectFilter = QStringLiteral("VBﾌﾟﾛｼﾞｪｸﾄ (*.vbp)");
inline const QString CheckerProjectFilter = QStringLiteral("Vetrinﾌﾟﾛｼﾞｪｸﾄ(*.vrp)");

// One tab per rule category (its caption is the rule table's): the word its control names carry.
struct TCategoryTab {
    QString Word;
};
inline const std::array<TCategoryTab, 6> CategoryTabs = {{
    {QStringLiteral("Global")},
    {QStringLiteral("Unused")},
    {QStringLiteral("Prohibit")},
    {QStringLiteral("Naming")},
    {QStringLiteral("Statistics")},
    {QStringLiteral("Other")},
}};

// Option dialog
inline const QString OptionCaption = QStringLiteral("オプション");
inline const QString EditorLabel = QStringLiteral("エディタ(&E)");
inline const QString CodePageLabel = QStringLiteral("ソースのコードページ(&C)");
inline const QString FileNamePlaceholder = QStringLiteral("%F ファイル名");
inline const QString LinePlaceholder = QStringLiteral("%L 行番号");
inline const QString Ok = QStringLiteral("OK");
inline const QString Cancel = QStringLiteral("ｷｬﾝｾﾙ");
inline const QString EditorProgramCaption = QStringLiteral("エディタ");
inline const QString ProgramFilter = QStringLiteral("すべてのファイル (*)");

// Result and log windows
inline const QString ResultCaption = QStringLiteral("結果");
inline const QString LogCaption = QStringLiteral("ログ");
inline const QString ResultCaptionWithCount = QStringLiteral("結果 (%1件)");
inline const QString Edit = QStringLiteral("編集");
inline const QString Copy = QStringLiteral("コピー(&C)");
inline const QString SelectAll = QStringLiteral("すべて選択(&A)");

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
