// The languages Vetrin speaks, and the one the user's system asks for.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

enum class TLanguage { Japanese, English };

// "ja" or "en".
std::string_view LanguageCode(TLanguage language);

// A language named by its code ("ja", "en"), or by a POSIX locale name whose language part is
// one ("ja_JP.UTF-8", "en_US", "C" and "POSIX" are English). Other names and empty ones have no
// language of ours.
std::optional<TLanguage> LanguageFromName(std::string_view name);

// The language of a locale name as the system gives it: Japanese for a Japanese locale, English
// for anything else.
TLanguage LanguageOfLocale(std::string_view localeName);

// The user's language: on POSIX the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty; on Windows the user's UI language. Japanese for a Japanese locale, English otherwise.
TLanguage UserLanguage();

} // namespace platform
