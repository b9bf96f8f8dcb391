// Helpers shared by the rule checkers.
#pragma once

#include "vbsource/VbSource.h"

#include <cstdint>
#include <string_view>
#include <unordered_set>

// True for the five member kinds (form, standard module, class, property page, user control);
// false for the project and anything else.
bool IsMemberSource(const TVtParts& part);

// A cheap stand-in for a name in comparisons: its length and its first and last bytes. Names
// with different keys differ; names with the same key are compared in full.
inline std::uint32_t NameKey(std::string_view name) {
    if (name.empty()) return 0;
    return (static_cast<std::uint32_t>(name.size() & 0xFFFF) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(name.front())) << 8) |
           static_cast<unsigned char>(name.back());
}

// The words of the text that the tokenizer dropped on the lines of one procedure. A word is a
// maximal run of ASCII letters, digits, "_" and double-byte characters, so a name found here
// stands in the dropped text with no word character directly before or after it. A word directly
// after "." is a member name and is not gathered.
class TDroppedWords {
public:
    // The procedure's lines run from its name token's line through its last body token's line.
    TDroppedWords(const TVbSource& source, const TVbMethod& method);
    bool Contains(std::string_view name);

private:
    void Collect();
    const TVbSource& Source_;
    std::int32_t FirstLine_;
    std::int32_t LastLine_;
    bool Collected_ = false;
    std::unordered_set<std::string_view> Words_;
};
