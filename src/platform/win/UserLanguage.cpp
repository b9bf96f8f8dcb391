// The user's language on Windows: the language of the user's interface.
#include "platform/UserLanguage.h"

#include <windows.h>

namespace platform {

TLanguage UserLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? TLanguage::Japanese
                                                                      : TLanguage::English;
}

} // namespace platform
