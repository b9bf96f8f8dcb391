#include "presenters/UiTexts.h"

namespace uitext {

std::string Format(std::string_view message, std::string_view value) {
    std::string text(message);
    if (std::size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

std::string AboutText(std::string_view version) {
    return std::string(AppTitle) + "\n" + Format(AboutVersion, version) + "\n\n" +
           std::string(AboutLicence);
}

} // namespace uitext
