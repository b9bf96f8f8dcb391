#include "vbsource/VbWordLists.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>

// Equal but for the case of single-byte ASCII letters; double-byte characters of the entry (the
// word lists are code page 932 files) compare whole.
bool TVbWordList::SameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const platform::TCodePage& page = platform::SystemCodePage();
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (page.CharLength(a, i) == 2) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (platform::AsciiUpper(x) != platform::AsciiUpper(y)) {
            return false;
        }
    }
    return true;
}

// ---- TVbWordList ----

void TVbWordList::LoadFromFile(const std::string& path) {
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) throw EFOpenError(path);
    // Room for every line at once, so that loading hashes each word only once.
    std::size_t lines = Words_.size() + 1;
    for (char c : bytes)
        lines += c == '\n' || c == '\r';
    Words_.reserve(lines);
    UpperAt_.reserve(lines);
    std::size_t slots = 64;
    while (slots < lines * 2)
        slots *= 2;
    if (slots > Slots_.size()) Rehash(slots);
    bool anyWord = false;
    platform::ForEachLine(bytes, [&](std::string_view line) {
        anyWord = anyWord || !line.empty();
        Add(line);
    });
    // A list without a single word (an empty file, or only empty lines) would silently make
    // every word an identifier: it is as unusable as a missing one.
    if (!anyWord) throw EFOpenError(path);
}

void TVbWordList::Add(std::string_view word) {
    Words_.emplace_back(word);
    // The upper-case form of an entry made of ASCII bytes only (none for any other entry).
    if (std::all_of(word.begin(), word.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        UpperAt_.push_back(static_cast<std::int32_t>(Upper_.size()));
        for (char c : word)
            Upper_.push_back(
                static_cast<char>(platform::AsciiUpper(static_cast<unsigned char>(c))));
    } else {
        UpperAt_.push_back(-1);
    }
    MaxLength_ = std::max(MaxLength_, word.size());
    if (!word.empty()) {
        const auto first = static_cast<unsigned char>(word.front());
        const std::uint8_t marks = word.size() == 1 ? 3 : 1;
        FirstBytes_[first] |= marks;
        FirstBytes_[platform::AsciiUpper(first)] |= marks;
        if (first >= 'A' && first <= 'Z') FirstBytes_[first + ('a' - 'A')] |= marks;
    }
    if (Words_.size() * 2 > Slots_.size())
        Rehash(std::max<std::size_t>(64, Slots_.size() * 2));
    else
        Insert(Words_.size() - 1);
}

void TVbWordList::Rehash(std::size_t slots) {
    Slots_.assign(slots, TSlot{0, -1, 0, -1});
    for (std::size_t w = 0; w < Words_.size(); ++w)
        Insert(w);
}

void TVbWordList::Insert(std::size_t word) {
    const std::size_t mask = Slots_.size() - 1;
    const std::uint32_t hash = TWordHash::Of(Words_[word]);
    std::size_t s = hash & mask;
    while (Slots_[s].Word >= 0)
        s = (s + 1) & mask;
    Slots_[s] = TSlot{hash, static_cast<std::int32_t>(word),
                      static_cast<std::uint32_t>(Words_[word].size()), UpperAt_[word]};
}

// ---- TVbWordLists ----

std::string TVbWordLists::DefaultFolder() { return platform::ExecutableDir() + "/vb"; }

const TVbWordLists& TVbWordLists::Load() {
    if (Loaded_) return *this;
    TVbWordList internal, keywords, operators;
    internal.LoadFromFile(Folder_ + "/internal.txt");
    keywords.LoadFromFile(Folder_ + "/keyword.txt");
    operators.LoadFromFile(Folder_ + "/operator.txt");
    InternalWords = std::move(internal);
    Keywords = std::move(keywords);
    Operators = std::move(operators);
    Loaded_ = true;
    return *this;
}
