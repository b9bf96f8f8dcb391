// The Qt face's texts in the language of the windows. The texts both faces show come from the
// presenters (presenters/UiTexts.h); what only this face shows is written in Japanese with tr() and
// translated in src/app/translations/vetrin_en.ts, which the build turns into vetrin_en.qm inside
// the program. Qt's own texts (file dialogs, the edit boxes' menus, message box buttons) come
// from Qt's translations, Japanese from Debian's qt6-translations-l10n.
#pragma once

#include "framework/Language.h"

class QCoreApplication;

// Installs in the application the translators of the language: for English this face's own
// translation, for Japanese Qt's (qtbase_ja from Qt's translations folder). Answers false when
// one is missing; its texts stay in the language they are written in then.
bool InstallQtTranslations(QCoreApplication& application, TLanguage language);

// Makes language the process's (the engine's and the presenters' texts) and installs its
// translators; once at start, before any window is made.
void StartInLanguage(QCoreApplication& application, TLanguage language);
