// The tokenizer's word lists: keywords, operators and the internal words, one entry per line of
// a file beside the executable.
#pragma once

#include "platform/CodePage.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// The hash a word list files and finds its words by. It folds the letter case of ASCII letters
// (every byte is folded alike, also the second byte of a double-byte character, which can only
// make more words share a hash, never fewer) and reads eight bytes at a step.
struct TWordHash {
    static std::uint32_t Of(std::string_view word) { return Of(word.data(), word.size(), false); }
    // The same; with `padded`, the eight bytes from the start of the word's last eight-byte piece
    // on may be read whole (the buffer holds them), which saves a byte loop for that piece.
    static std::uint32_t Of(const char* p, std::size_t n, bool padded) {
        constexpr std::uint64_t Fold = 0xDFDFDFDFDFDFDFDFull;
        std::uint64_t h = 0x9E3779B97F4A7C15ull ^ n;
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8)
            h = Step(h, Load8(p + i) & Fold);
        if (i < n) {
            const std::size_t rest = n - i;
            std::uint64_t k = 0;
            if (padded && std::endian::native == std::endian::little) {
                k = Load8(p + i) & ((std::uint64_t{1} << (8 * rest)) - 1);
            } else {
                for (std::size_t j = 0; j < rest; ++j)
                    k |= std::uint64_t{static_cast<unsigned char>(p[i + j])} << (8 * j);
            }
            h = Step(h, k & Fold);
        }
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ull;
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }

private:
    // Eight bytes as a number whose lowest byte is the first, on any machine.
    static std::uint64_t Load8(const char* p) {
        std::uint64_t k;
        std::memcpy(&k, p, 8);
        if constexpr (std::endian::native == std::endian::big) {
            std::uint64_t r = 0;
            for (int j = 0; j < 8; ++j, k >>= 8)
                r = (r << 8) | (k & 0xFF);
            k = r;
        }
        return k;
    }
    static std::uint64_t Step(std::uint64_t h, std::uint64_t k) {
        h = (h ^ k) * 0x9E3779B97F4A7C15ull;
        return h ^ (h >> 29);
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
