#include "presenters/WindowLayout.h"

#include "presenters/VtOption.h"

#include <charconv>
#include <string_view>

namespace {

// The comma-separated numbers of a text, blanks around each allowed; nothing when one is not a
// number.
std::optional<std::vector<int>> Numbers(std::string_view text) {
    std::vector<int> numbers;
    for (;;) {
        std::size_t comma = text.find(',');
        std::string_view part = text.substr(0, comma);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        int value = 0;
        auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || error != std::errc() || end != part.data() + part.size())
            return std::nullopt;
        numbers.push_back(value);
        if (comma == std::string_view::npos) return numbers;
        text.remove_prefix(comma + 1);
    }
}

} // namespace

std::string RectText(const TLayoutRect& rect) {
    return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "," +
           std::to_string(rect.Width) + "," + std::to_string(rect.Height);
}

std::optional<TLayoutRect> RectFromText(const std::string& text) {
    std::optional<std::vector<int>> numbers = Numbers(text);
    if (!numbers || numbers->size() != 4) return std::nullopt;
    const std::vector<int>& n = *numbers;
    if (n[2] <= 0 || n[3] <= 0) return std::nullopt;
    return TLayoutRect{n[0], n[1], n[2], n[3]};
}

std::string WidthsText(const std::vector<int>& widths) {
    std::string text;
    for (std::size_t i = 0; i < widths.size(); ++i)
        text += (i ? "," : "") + std::to_string(widths[i]);
    return text;
}

std::optional<std::vector<int>> WidthsFromText(const std::string& text, int count) {
    std::vector<int> widths;
    // A width that is not a number stays as the face has it: 0.
    std::string_view rest = text;
    for (;;) {
        std::size_t comma = rest.find(',');
        std::optional<std::vector<int>> one = Numbers(rest.substr(0, comma));
        widths.push_back(one && one->front() > 0 ? one->front() : 0);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    if (static_cast<int>(widths.size()) != count) return std::nullopt;
    return widths;
}

std::string LayoutValue(const TVtOption& option, const std::string& key) {
    auto at = option.WindowLayout.find(key);
    return at == option.WindowLayout.end() ? std::string() : at->second;
}
