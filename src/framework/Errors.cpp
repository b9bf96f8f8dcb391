#include "framework/Errors.h"

#include "framework/Texts.h"
#include "platform/CodePage.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace {
// Fills a format in one pass: each marker, in order of the pairs' appearance in the format, is
// replaced by its value; values are never scanned for markers themselves.
std::string Fill(std::string_view format,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> markers) {
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        bool replaced = false;
        for (const auto& [marker, value] : markers) {
            if (format.substr(i, marker.size()) == marker) {
                out.append(value);
                i += marker.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out.push_back(format[i++]);
    }
    return out;
}
std::string Fill(std::string_view format, std::string_view marker, std::string_view value) {
    return Fill(format, {{marker, value}});
}
} // namespace

EConvertError EConvertError::NotInteger(std::string_view text) {
    return EConvertError(Fill(FwTexts().NotInteger, "%s", text));
}

EConvertError EConvertError::MissingLines(long long count, long long left) {
    const std::string c = std::to_string(count), l = std::to_string(left);
    return EConvertError(Fill(FwTexts().MissingLines, {{"%d", c}, {"%s", l}}));
}

ECheckerProjectError::ECheckerProjectError(std::string_view fileName, int line,
                                           std::string_view what)
    : EVetrinError(Fill(FwTexts().AtFileLine,
                        {{"%s", platform::MarkPath(fileName)}, {"%d", std::to_string(line)}}) +
                   std::string(what)) {}

ECheckerProjectError ECheckerProjectError::NoRuleSection(std::string_view fileName) {
    return ECheckerProjectError(platform::MarkPath(fileName) + " : " + FwTexts().NoRuleSection);
}

EAssertionFailed::EAssertionFailed(std::string_view message, std::string_view unit, int line)
    : EVetrinError([&] {
          // "%s (%s, %d 行)": the first %s is the message, the second the unit.
          const std::string& f = FwTexts().AssertFormat;
          std::size_t first = f.find("%s");
          return Fill(f.substr(0, first + 2), "%s", message) +
                 Fill(f.substr(first + 2), {{"%s", unit}, {"%d", std::to_string(line)}});
      }()) {}

EAssertionFailed EAssertionFailed::Default(std::string_view unit, int line) {
    return EAssertionFailed(FwTexts().AssertDefault, unit, line);
}

EFOpenError::EFOpenError(std::string_view fileName)
    : EVetrinError(Fill(FwTexts().FileOpen, "%s", platform::MarkPath(fileName))) {}

EFCreateError::EFCreateError(std::string_view fileName)
    : EVetrinError(Fill(FwTexts().FileCreate, "%s", platform::MarkPath(fileName))) {}

EAbstractError::EAbstractError() : EVetrinError(FwTexts().Abstract) {}

EMaskError::EMaskError(std::string_view pattern, int position)
    : EVetrinError(
          Fill(FwTexts().InvalidMask, {{"%1:d", std::to_string(position)}, {"%0:s", pattern}})) {}

EListError::EListError(long long index)
    : EVetrinError(Fill(FwTexts().ListIndex, "%d", std::to_string(index))) {}
