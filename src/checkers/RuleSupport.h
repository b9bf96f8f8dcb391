// Helpers shared by the rule checkers.
#pragma once

#include "vbsource/VbSource.h"

#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <vector>

// True for the five member kinds (form, standard module, class, property page, user control);
// false for the project and anything else.
bool IsMemberSource(const TVtParts& part);

// The names one procedure declares (its locals, or its arguments), in the order added, hashed for
// look-up: a look-up costs about one comparison however many names there are (the table grows
// with them). Names are views into the source and compared byte for byte.
class TNameIndex {
public:
    TNameIndex() : Heads_(MinSlots, -1) {}
    void Clear();
    // Adds a name as the next entry (entries count from 0).
    void Add(std::string_view name);
    std::size_t Count() const { return Entries_.size(); }
    // Calls visit(entry) for every entry whose name is `name`.
    template <typename F> void ForEachEntry(std::string_view name, F&& visit) const {
        // Most names looked up have a length no entry has: they are not hashed at all.
        if (!(Lengths_ & LengthBit(name))) return;
        const std::uint32_t hash = Hash(name);
        for (std::int32_t e = Heads_[hash & (Heads_.size() - 1)]; e >= 0; e = Entries_[e].Next)
            if (Entries_[e].Hash == hash && Entries_[e].Name == name)
                visit(static_cast<std::size_t>(e));
    }

private:
    static constexpr std::size_t MinSlots = 256; // a power of two, as every size of the table
    // FNV-1a over the whole name: names that differ only inside ("v1000x", "v1001x") spread.
    static std::uint32_t Hash(std::string_view name) {
        std::uint32_t h = 2166136261u;
        for (unsigned char c : name)
            h = (h ^ c) * 16777619u;
        return h;
    }
    void Link(std::size_t entry);
    // Bit n: an entry is n bytes long (bit 63: 63 or more).
    static std::uint64_t LengthBit(std::string_view name) {
        return std::uint64_t{1} << (name.size() < 63 ? name.size() : 63);
    }
    std::uint64_t Lengths_ = 0;
    struct TEntry {
        std::string_view Name;
        std::uint32_t Hash;
        std::int32_t Next; // the entry added before it in the same slot, or -1
    };
    std::vector<std::int32_t> Heads_;
    std::vector<TEntry> Entries_;
};

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
