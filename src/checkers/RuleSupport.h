// Helpers shared by the rule checkers.
#pragma once

#include "vbsource/VbSource.h"

#include <cstdint>
#include <cstring>
#include <string_view>
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
    bool Contains(std::string_view name) const {
        bool found = false;
        ForEachEntry(name, [&](std::size_t) { found = true; });
        return found;
    }

private:
    static constexpr std::size_t MinSlots = 256; // a power of two, as every size of the table
    // Over every byte of the name, eight at a time: names that differ only inside ("v1000x",
    // "v1001x") spread. Loads stay inside the name (the last eight bytes may overlap the ones
    // before).
    static std::uint32_t Hash(std::string_view name) {
        const char* p = name.data();
        const std::size_t n = name.size();
        std::uint64_t h = (n + 1) * 0x9E3779B97F4A7C15ull;
        if (n >= 8) {
            for (std::size_t i = 0; i + 8 < n; i += 8)
                h = (h ^ Load<std::uint64_t>(p + i)) * 0xFF51AFD7ED558CCDull;
            h = (h ^ Load<std::uint64_t>(p + n - 8)) * 0xFF51AFD7ED558CCDull;
        } else if (n >= 4) {
            h ^= Load<std::uint32_t>(p) | std::uint64_t{Load<std::uint32_t>(p + n - 4)} << 32;
        } else if (n > 0) {
            h ^= static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[n / 2]) << 8 |
                 static_cast<unsigned char>(p[n - 1]) << 16;
        }
        // Every bit of the name reaches the low bits, which pick the slot.
        h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53ull;
        return static_cast<std::uint32_t>(h ^ (h >> 33));
    }
    template <typename T> static T Load(const char* p) {
        T value;
        std::memcpy(&value, p, sizeof value);
        return value;
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
// after "." is a member name and is not gathered. Kept from procedure to procedure for its room.
class TDroppedWords {
public:
    // The procedure's lines run from its name token's line through its last body token's line.
    void Begin(const TVbSource& source, const TVbMethod& method);
    bool Contains(std::string_view name);

private:
    void Collect();
    const TVbSource* Source_ = nullptr;
    std::int32_t FirstLine_ = 0;
    std::int32_t LastLine_ = 0;
    bool Collected_ = false;
    TNameIndex Words_;
};
