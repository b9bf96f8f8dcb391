#include "presenters/UiTexts.h"

#include <algorithm>

namespace uitext {

std::string_view Text(const TText& text) { return text.In(CurrentLanguage()); }

std::string Format(const TText& message, std::initializer_list<TField> fields) {
    const std::string_view pattern = Text(message);
    std::string text;
    text.reserve(pattern.size());
    std::size_t at = 0;
    while (at < pattern.size()) {
        std::size_t open = pattern.find('{', at);
        std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
        if (close == std::string_view::npos) break;
        text.append(pattern.substr(at, open - at));
        const std::string_view name = pattern.substr(open + 1, close - open - 1);
        const TField* field = nullptr;
        for (const TField& candidate : fields)
            if (candidate.Name == name) field = &candidate;
        // A field the caller did not give stays as written, so that the gap shows.
        if (field)
            text.append(field->Value);
        else
            text.append(pattern.substr(open, close - open + 1));
        at = close + 1;
    }
    text.append(pattern.substr(std::min(at, pattern.size())));
    return text;
}

std::string AboutText(std::string_view version) {
    return std::string(Text(AppTitle)) + "\n" + Format(AboutVersion, {{"version", version}}) +
           "\n\n" + std::string(Text(AboutLicence));
}

} // namespace uitext
