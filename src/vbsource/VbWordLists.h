// The tokenizer's word lists: keywords, operators and the internal words, one entry per line of
// a file beside the executable.
#pragma once

#include "platform/CodePage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The hash a word list files and finds its words by. It folds the letter case of ASCII letters
// (every byte is folded alike, also the second byte of a double-byte character, which can only
// make more words share a hash, never fewer), and it is built a byte at a time, so that the
// tokenizer computes it while it scans a word and looks the word up without reading it again.
struct TWordHash {
    static constexpr std::uint32_t Start = 0x811C9DC5u;
    static std::uint32_t Step(std::uint32_t hash, unsigned char c) {
        return (hash ^ (c & 0xDFu)) * 0x01000193u;
    }
    static std::uint32_t Of(std::string_view word) {
        std::uint32_t h = Start;
        for (char c : word)
            h = Step(h, static_cast<unsigned char>(c));
        return h;
    }
};

// A word list file: one entry per line, taken whole. Membership ignores the letter case of
// single-byte ASCII letters and is a hashed look-up, so a word costs the same whatever the size
// of the list.
class TVbWordList {
public:
    // Loads the file; a missing or unreadable file raises EFOpenError with the path.
    void LoadFromFile(const std::string& path);
    void Add(std::string_view word);
    bool Contains(std::string_view word) const { return Contains(word, TWordHash::Of(word)); }
    // The same with the word's hash (TWordHash) already known: the tokenizer's look-up.
    bool Contains(std::string_view word, std::uint32_t hash) const {
        // Empty entries stand in the list but never match: no reader asks for an empty word.
        if (word.empty()) return false;
        const std::size_t mask = Slots_.size() - 1;
        for (std::size_t s = hash & mask; Slots_[s].Word >= 0; s = (s + 1) & mask) {
            const TSlot& slot = Slots_[s];
            if (slot.Hash == hash && slot.Length == word.size() && Equals(slot, word)) return true;
        }
        return false;
    }
    int Count() const { return static_cast<int>(Words_.size()); }
    // Whether some entry starts with this byte (ASCII letters in either case): a text that
    // starts with any other byte is in no list, which is cheaper to tell than a look-up.
    bool MayStartWith(char c) const {
        return (FirstBytes_[static_cast<unsigned char>(c)] & 1) != 0;
    }
    // Whether the one-byte text c is an entry: the same answer as Contains, without hashing.
    bool ContainsByte(char c) const {
        return (FirstBytes_[static_cast<unsigned char>(c)] & 2) != 0;
    }
    // Length of the longest entry: a longer text is in no list.
    std::size_t MaxLength() const { return MaxLength_; }

private:
    // Open addressing: the entry's hash and length beside its index into Words_ (-1: a free
    // slot), so that a probe reads the entry only when both agree. An entry of ASCII bytes only
    // is compared with its upper-case form, which starts at Upper in Upper_ (-1: not ASCII).
    struct TSlot {
        std::uint32_t Hash;
        std::int32_t Word;
        std::uint32_t Length;
        std::int32_t Upper;
    };
    bool Equals(const TSlot& slot, std::string_view word) const {
        if (slot.Upper < 0) return SameFolded(Words_[static_cast<std::size_t>(slot.Word)], word);
        const char* upper = Upper_.data() + slot.Upper;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (platform::AsciiUpper(static_cast<unsigned char>(word[i])) !=
                static_cast<unsigned char>(upper[i]))
                return false;
        return true;
    }
    static bool SameFolded(std::string_view entry, std::string_view word);
    void Rehash(std::size_t slots);
    void Insert(std::size_t word);
    std::vector<std::string> Words_;
    std::vector<std::int32_t> UpperAt_; // per entry: where its upper-case form starts, or -1
    std::string Upper_;                 // the upper-case forms of the ASCII entries
    std::vector<TSlot> Slots_;
    // Per byte: 1 when an entry starts with it, 2 when it is an entry alone (ASCII letters in
    // either case).
    std::array<std::uint8_t, 256> FirstBytes_{};
    std::size_t MaxLength_ = 0;
};

// The tokenizer's three word lists (internal.txt, keyword.txt, operator.txt) of one folder,
// read at the first question and then shared read-only by every parser that is given them.
class TVbWordLists {
public:
    // The folder "vb" beside the executable.
    TVbWordLists() : TVbWordLists(DefaultFolder()) {}
    static std::string DefaultFolder();
    explicit TVbWordLists(std::string folder) : Folder_(std::move(folder)) {}
    TVbWordLists(const TVbWordLists&) = delete;
    TVbWordLists& operator=(const TVbWordLists&) = delete;

    const std::string& Folder() const { return Folder_; }
    bool IsLoaded() const { return Loaded_; }
    // Reads the three files in this order unless they were read already; a missing or
    // unreadable file raises EFOpenError with its full path and leaves the lists unread, so
    // that the next question reads them again.
    const TVbWordLists& Load();

    TVbWordList InternalWords;
    TVbWordList Keywords;
    TVbWordList Operators;

private:
    std::string Folder_;
    bool Loaded_ = false;
};
