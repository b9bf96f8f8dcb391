// Wildcard file-name patterns of the file naming rule: "*", "?", sets "[a-c]" and "[!a-c]".
#pragma once

#include <string_view>

// True when the whole name matches the whole pattern. ASCII letters match without regard to
// case, every other byte exactly; a double-byte character of the pattern matches the same two
// bytes. An invalid pattern raises EMaskError with the pattern and the 1-based position at which
// the fault was found.
bool MatchesPattern(std::string_view name, std::string_view pattern);
