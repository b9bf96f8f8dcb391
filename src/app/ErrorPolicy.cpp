#include "app/ErrorPolicy.h"

#include "app/UserPrompts.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"

QString ErrorText(const std::exception& error) {
    if (auto* vetrinError = dynamic_cast<const EVetrinError*>(&error))
        // An error names only system texts and paths, or names of the sources in code page 932 (the
        // parse and the rules raise nothing that quotes a name).
        return QString::fromStdString(
            platform::TextToUtf8(vetrinError->Message(), platform::SystemCodePage()));
    return QString::fromLocal8Bit(error.what());
}

bool RunGuarded(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        Prompts().ShowError(parent, ErrorText(error));
    }
    return false;
}
