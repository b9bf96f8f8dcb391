#include "app/QtTranslationUnit.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

// Loads a translation file and installs it, owned by the application.
bool Install(QCoreApplication& application, const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder)) return false;
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    translator.release()->setParent(&application);
    return true;
}

} // namespace

bool InstallQtTranslations(QCoreApplication& application, TLanguage language) {
    if (language == TLanguage::English)
        // Qt's own texts are English as they are written.
        return Install(application, QStringLiteral("vetrin_en"), QStringLiteral(":/i18n"));
    return Install(application, QStringLiteral("qtbase_ja"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void StartInLanguage(QCoreApplication& application, TLanguage language) {
    SetCurrentLanguage(language);
    InstallQtTranslations(application, language);
}
