#include "platform/UserLanguage.h"

namespace platform {

std::string_view LanguageCode(TLanguage language) {
    return language == TLanguage::Japanese ? "ja" : "en";
}

std::optional<TLanguage> LanguageFromName(std::string_view name) {
    if (name == "C" || name == "POSIX") return TLanguage::English;
    // The language part ends at the territory, the code set or the modifier.
    const std::string_view language = name.substr(0, name.find_first_of("_-.@"));
    if (language == "ja") return TLanguage::Japanese;
    if (language == "en") return TLanguage::English;
    return std::nullopt;
}

TLanguage LanguageOfLocale(std::string_view localeName) {
    return LanguageFromName(localeName) == TLanguage::Japanese ? TLanguage::Japanese
                                                               : TLanguage::English;
}

} // namespace platform
