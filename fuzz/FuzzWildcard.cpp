// The wildcard matcher of the file naming rule: the input is a pattern, a line feed and a file
// name. An invalid pattern may only raise the mask error, and a valid one matches its own
// literal text when it has no wildcard characters.
#include "checkers/WildcardMatcher.h"
#include "framework/Errors.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t split = input.find('\n');
    std::string_view pattern = input.substr(0, split);
    std::string_view name = split == std::string_view::npos ? input : input.substr(split + 1);
    try {
        MatchesPattern(name, pattern);
        if (pattern.find_first_of("*?[]!-") == std::string_view::npos &&
            !MatchesPattern(pattern, pattern))
            std::abort();
    } catch (const EMaskError&) {
    }
    return 0;
}
