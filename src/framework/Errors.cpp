#include "framework/Errors.h"

#include "framework/TextCatalog.h"
#include "platform/CodePage.h"

#include <initializer_list>
#include <string>
#include <utility>

EConvertError EConvertError::NotInteger(std::string_view text) {
    return EConvertError(Say(TText::NotInteger, {{"text", text}}));
}

EConvertError EConvertError::MissingLines(long long count, long long left) {
    const std::string c = std::to_string(count), l = std::to_string(left);
    return EConvertError(Say(TText::MissingLines, {{"count", c}, {"left", l}}));
}

ECheckerProjectError::ECheckerProjectError(std::string_view fileName, int line,
                                           std::string_view what)
    : EVetrinError(platform::MarkPath(fileName) + "(" + std::to_string(line) +
                   ") : " + std::string(what)) {}

ECheckerProjectError ECheckerProjectError::NoRuleSection(std::string_view fileName) {
    return ECheckerProjectError(platform::MarkPath(fileName) + " : " + Say(TText::NoRuleSection));
}

EAssertionFailed::EAssertionFailed(std::string_view message, std::string_view unit, int line)
    : EVetrinError(Say(TText::AssertFormat,
                       {{"message", message}, {"unit", unit}, {"line", std::to_string(line)}})) {}

EAssertionFailed EAssertionFailed::Default(std::string_view unit, int line) {
    return EAssertionFailed(Say(TText::AssertDefault), unit, line);
}

EFOpenError::EFOpenError(std::string_view fileName)
    : EVetrinError(Say(TText::FileOpen, {{"file", platform::MarkPath(fileName)}})) {}

EFCreateError::EFCreateError(std::string_view fileName)
    : EVetrinError(Say(TText::FileCreate, {{"file", platform::MarkPath(fileName)}})) {}

EAbstractError::EAbstractError() : EVetrinError(Say(TText::Abstract)) {}

EMaskError::EMaskError(std::string_view pattern, int position)
    : EVetrinError(Say(TText::InvalidMask,
                       {{"position", std::to_string(position)}, {"pattern", pattern}})) {}

EListError::EListError(long long index)
    : EVetrinError(Say(TText::ListIndex, {{"index", std::to_string(index)}})) {}
