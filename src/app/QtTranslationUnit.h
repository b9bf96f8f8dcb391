// Qt's own texts (file dialogs, the edit boxes' menus, message box buttons) in Japanese, as the
// rest of the application is.
#pragma once

class QCoreApplication;

// Loads Qt's Japanese translations (qtbase_ja) from Qt's translations folder and installs them in
// the application. Answers false when they are not installed; Qt's texts stay English then.
bool InstallQtTranslations(QCoreApplication& application);
