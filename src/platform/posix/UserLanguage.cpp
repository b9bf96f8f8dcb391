// The user's language on POSIX: the locale's environment variables, in their order of precedence.
#include "platform/UserLanguage.h"

#include <cstdlib>

namespace platform {

TLanguage UserLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return LanguageOfLocale(value);
    }
    return TLanguage::English;
}

} // namespace platform
