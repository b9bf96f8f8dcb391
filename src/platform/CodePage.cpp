#include "platform/CodePage.h"

#include "platform/CodePageLetters.h"
#include "platform/Native.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <mutex>

namespace platform {

std::size_t TCodePage::FindFirstOf(std::string_view s, std::string_view chars,
                                   std::size_t from) const {
    // Walk from the start so that `from` inside a double-byte character cannot mislead us.
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = CharLength(s, i);
        if (i >= from && n == 1 && chars.find(s[i]) != std::string_view::npos) return i;
        i += n;
    }
    return std::string_view::npos;
}

std::size_t TCodePage::FindLastOf(std::string_view s, std::string_view chars) const {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = CharLength(s, i);
        if (n == 1 && chars.find(s[i]) != std::string_view::npos) found = i;
        i += n;
    }
    return found;
}

std::size_t TCodePage::Find(std::string_view s, std::string_view what, std::size_t from) const {
    if (what.empty()) return from <= s.size() ? from : std::string_view::npos;
    for (std::size_t i = 0; i < s.size();) {
        if (i >= from && s.substr(i, what.size()) == what) return i;
        i += CharLength(s, i);
    }
    return std::string_view::npos;
}

std::string FileNamePart(std::string_view path) {
    std::size_t p = path.find_last_of("/\\:");
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(static_cast<unsigned char>(a[i])) !=
            AsciiUpper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {

// The length of the well-formed UTF-8 character at s[i] (no overlong form, no surrogate, nothing
// beyond U+10FFFF), or 0 when the bytes there are none.
std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = byte(i);
    if (c < 0x80) return 1;
    std::size_t n = c >= 0xC2 && c <= 0xDF   ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    unsigned char second = byte(i + 1);
    if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) ||
        (c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F))
        return 0;
    return n;
}

// How far to skip over bytes that are no UTF-8 character: one character's worth of bytes as its
// first byte announces, stopping before the first byte that cannot continue it.
std::size_t SkipBadUtf8(std::string_view s, std::size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    for (std::size_t k = 1; k < n; ++k)
        if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return k;
    return n;
}

// The byte ranges of the double-byte code pages, as their definitions give them.
struct TByteRange {
    unsigned char First, Last;
};
struct TCodePageDefinition {
    int Number;
    std::initializer_list<TByteRange> Lead;
    std::initializer_list<TByteRange> Trail;
};

constexpr std::size_t DefinitionCount = 14;

const TCodePageDefinition& Definition(std::size_t k) {
    static const TCodePageDefinition definitions[DefinitionCount] = {
        {874, {}, {}},
        {932, {{0x81, 0x9F}, {0xE0, 0xFC}}, {{0x40, 0x7E}, {0x80, 0xFC}}},
        {936, {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}}},
        {949, {{0x81, 0xFE}}, {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}},
        {950, {{0x81, 0xFE}}, {{0x40, 0x7E}, {0xA1, 0xFE}}},
        {1250, {}, {}},
        {1251, {}, {}},
        {1252, {}, {}},
        {1253, {}, {}},
        {1254, {}, {}},
        {1255, {}, {}},
        {1256, {}, {}},
        {1257, {}, {}},
        {1258, {}, {}},
    };
    return definitions[k];
}

} // namespace

// The UTF-8 form of each character of the code page (one byte, or a lead and a trail byte),
// worked out by the system's converter the first time the character is met and remembered: bytes
// 0..2 hold the UTF-8 bytes, byte 3 their count (4 for a character the converter rejects). 0 means
// not yet known.
struct TCodePage::TCache {
    explicit TCache(std::size_t size) : Entries(new std::atomic<std::uint32_t>[size]) {
        for (std::size_t i = 0; i < size; ++i)
            Entries[i].store(0, std::memory_order_relaxed);
    }
    std::unique_ptr<std::atomic<std::uint32_t>[]> Entries;
};

TCodePage::TCodePage(int number) : Number_(number), DoubleByte_(false) {
    for (std::size_t k = 0; k < DefinitionCount; ++k) {
        const TCodePageDefinition& d = Definition(k);
        if (d.Number != number) continue;
        for (TByteRange r : d.Lead)
            for (int c = r.First; c <= r.Last; ++c)
                Lead_[c] = true;
        for (TByteRange r : d.Trail)
            for (int c = r.First; c <= r.Last; ++c)
                Trail_[c] = true;
        DoubleByte_ = d.Lead.size() > 0;
    }
    Cache_ = std::make_unique<TCache>(DoubleByte_ ? 65536 : 256);
    // The letters come from one generated table, so that every platform reads the same names.
    // A lead byte is no character on its own, so no letter either.
    const TLetterBits* letters = LetterBitsOf(number);
    for (int c = 0; c < 256; ++c)
        Letter_[c] = letters ? IsLetterIn(*letters, static_cast<unsigned char>(c)) && !Lead_[c]
                             : ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

TCodePage::~TCodePage() = default;

std::uint32_t TCodePage::Utf8Of(const char* bytes, std::size_t length) const {
    unsigned code = length == 2 ? (static_cast<unsigned char>(bytes[0]) << 8) |
                                      static_cast<unsigned char>(bytes[1])
                                : static_cast<unsigned char>(bytes[0]);
    std::uint32_t known = Cache_->Entries[code].load(std::memory_order_relaxed);
    return known ? known : ConvertAndRemember(bytes, length);
}

// The first meeting of a character: the system's converter answers, and the cache keeps it.
std::uint32_t TCodePage::ConvertAndRemember(const char* bytes, std::size_t length) const {
    unsigned code = length == 2 ? (static_cast<unsigned char>(bytes[0]) << 8) |
                                      static_cast<unsigned char>(bytes[1])
                                : static_cast<unsigned char>(bytes[0]);
    std::string utf8 = native::CharToUtf8(bytes, length, static_cast<unsigned>(Number_));
    std::uint32_t value = 4u << 24;
    if (!utf8.empty() && utf8.size() <= 3) {
        value = static_cast<std::uint32_t>(utf8.size()) << 24;
        for (std::size_t k = 0; k < utf8.size(); ++k)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(utf8[k])) << (8 * k);
    }
    Cache_->Entries[code].store(value, std::memory_order_relaxed);
    return value;
}

namespace {
// The end of the run of ASCII bytes that starts at `i`: eight bytes at a time while no high bit
// is set, then byte by byte.
std::size_t AsciiRunEnd(std::string_view s, std::size_t i) {
    const char* p = s.data();
    const std::size_t n = s.size();
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ull) break;
    }
    while (i < n && static_cast<unsigned char>(p[i]) < 0x80)
        ++i;
    return i;
}
} // namespace

bool IsAscii(std::string_view s) { return AsciiRunEnd(s, 0) == s.size(); }

std::string TCodePage::ToUtf8(std::string_view text) const {
    std::string out;
    AppendUtf8(out, text);
    return out;
}

void TCodePage::AppendUtf8(std::string& out, std::string_view text) const {
    const std::size_t start = out.size();
    // A byte, or a pair, becomes at most three bytes (every character of these code pages is in
    // the Basic Multilingual Plane, and so is U+FFFD): room for all, cut to size at the end.
    out.resize(start + 3 * text.size());
    char* const first = out.data() + start;
    char* dest = first;
    const char* src = text.data();
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(src[i]) < 0x80) {
            // ASCII runs are the same in both encodings.
            std::size_t run = AsciiRunEnd(text, i);
            std::memcpy(dest, src + i, run - i);
            dest += run - i;
            i = run;
            continue;
        }
        std::size_t n = CharLength(text, i);
        if (n == 1 && i + 1 < text.size() && Lead_[static_cast<unsigned char>(src[i])] &&
            static_cast<unsigned char>(src[i + 1]) >= 0x80) {
            // A lead byte and a byte beyond ASCII that is no trail byte: one bad character, one
            // U+FFFD, as the standard decoders read the pair (only an ASCII second byte is kept).
            std::memcpy(dest, "\xEF\xBF\xBD", 3);
            dest += 3;
            i += 2;
            continue;
        }
        std::uint32_t value = Utf8Of(src + i, n);
        std::uint32_t count = value >> 24;
        if (count == 4) {
            std::memcpy(dest, "\xEF\xBF\xBD", 3); // a byte or pair that is no character: U+FFFD
            dest += 3;
            // A pair whose second byte is ASCII gives that character back: only the first byte
            // is lost, as a standard decoder reads it.
            if (n == 2 && static_cast<unsigned char>(src[i + 1]) < 0x80) n = 1;
        } else {
            // Three bytes are written whatever the count; those beyond it are overwritten next.
            dest[0] = static_cast<char>(value & 0xFF);
            dest[1] = static_cast<char>((value >> 8) & 0xFF);
            dest[2] = static_cast<char>((value >> 16) & 0xFF);
            dest += count;
        }
        i += n;
    }
    out.resize(start + static_cast<std::size_t>(dest - first));
}

std::string TCodePage::FromUtf8(std::string_view utf8) const {
    // ASCII is the same bytes in every code page here: no converter is needed for it.
    if (IsAscii(utf8)) return std::string(utf8);
    return native::Utf8ToCodePage(utf8, static_cast<unsigned>(Number_));
}

const TCodePage* FindCodePage(int number) {
    static std::unique_ptr<TCodePage> pages[DefinitionCount];
    static std::once_flag once[DefinitionCount];
    for (std::size_t k = 0; k < DefinitionCount; ++k) {
        if (Definition(k).Number != number) continue;
        std::call_once(once[k],
                       [k] { pages[k] = std::make_unique<TCodePage>(Definition(k).Number); });
        return pages[k].get();
    }
    return nullptr;
}

const char* SupportedCodePages() { return "874, 932, 936, 949, 950, 1250-1258"; }

const TCodePage& SystemCodePage() {
    static const TCodePage* page = FindCodePage(932);
    return *page;
}

std::string Cp932ToUtf8(std::string_view cp932) { return SystemCodePage().ToUtf8(cp932); }
std::string Utf8ToCp932(std::string_view utf8) { return SystemCodePage().FromUtf8(utf8); }

// ---- Texts that mix encodings ----

namespace {
constexpr char SourceOpen = '\x0E', SourceClose = '\x0F';
constexpr char PathOpen = '\x1C', PathClose = '\x1D';

// The first mark that opens a piece (SO or FS) at or after `from`, or npos: eight bytes at a
// time while none of them is either mark, then byte by byte.
std::size_t FindOpenMark(std::string_view text, std::size_t from) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    auto hasByte = [&](std::uint64_t word, char c) {
        std::uint64_t x = word ^ (ones * static_cast<unsigned char>(c));
        return ((x - ones) & ~x & highs) != 0;
    };
    std::size_t i = from;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (hasByte(word, SourceOpen) || hasByte(word, PathOpen)) break;
    }
    for (; i < text.size(); ++i)
        if (text[i] == SourceOpen || text[i] == PathOpen) return i;
    return std::string_view::npos;
}

// Visits the pieces of a system text: each with its kind (0 system, 1 source, 2 path).
template <typename F> void ForEachPiece(std::string_view text, F&& visit) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t open = FindOpenMark(text, i);
        if (open == std::string_view::npos) {
            visit(0, text.substr(i));
            return;
        }
        if (open > i) visit(0, text.substr(i, open - i));
        const bool source = text[open] == SourceOpen;
        std::size_t close = text.find(source ? SourceClose : PathClose, open + 1);
        if (close == std::string_view::npos) close = text.size();
        visit(source ? 1 : 2, text.substr(open + 1, close - open - 1));
        i = close + 1;
    }
}

} // namespace

std::string MarkSourceText(std::string_view sourceText, const TCodePage& source) {
    std::string out;
    AppendMarkedSourceText(out, sourceText, source);
    return out;
}

void AppendMarkedSourceText(std::string& out, std::string_view sourceText,
                            const TCodePage& source) {
    if (&source == &SystemCodePage() || IsAscii(sourceText)) {
        out.append(sourceText);
        return;
    }
    out += SourceOpen;
    out.append(sourceText);
    out += SourceClose;
}

std::string MarkPath(std::string_view path) {
    std::string out;
    AppendMarkedPath(out, path);
    return out;
}

void AppendMarkedPath(std::string& out, std::string_view path) {
    if (IsAscii(path)) {
        out.append(path);
        return;
    }
    out += PathOpen;
    out.append(path);
    out += PathClose;
}

std::string TextToUtf8(std::string_view text, const TCodePage& source) {
    std::string out;
    AppendTextToUtf8(out, text, source);
    return out;
}

void AppendTextToUtf8(std::string& out, std::string_view text, const TCodePage& source) {
    ForEachPiece(text, [&](int kind, std::string_view piece) {
        if (kind == 0)
            SystemCodePage().AppendUtf8(out, piece);
        else if (kind == 1)
            source.AppendUtf8(out, piece);
        else
            AppendPathToUtf8(out, piece);
    });
}

std::string TextToCodePage(std::string_view text, const TCodePage& target,
                           const TCodePage& source) {
    const TCodePage& system = SystemCodePage();
    std::string out;
    ForEachPiece(text, [&](int kind, std::string_view piece) {
        if (IsAscii(piece) || (kind == 0 && &target == &system) ||
            (kind == 1 && &target == &source))
            out.append(piece);
        else if (kind == 0)
            out += target.FromUtf8(system.ToUtf8(piece));
        else if (kind == 1)
            out += target.FromUtf8(source.ToUtf8(piece));
        else
            out += target.FromUtf8(PathToUtf8(piece));
    });
    return out;
}

std::string UnmarkedText(std::string_view text) {
    std::string out;
    ForEachPiece(text, [&](int, std::string_view piece) { out.append(piece); });
    return out;
}

std::string PathToUtf8(std::string_view path) {
    std::string out;
    AppendPathToUtf8(out, path);
    return out;
}

void AppendPathToUtf8(std::string& out, std::string_view path) {
    if (IsAscii(path)) {
        out.append(path);
        return;
    }
    // File names on POSIX are bytes, as a rule UTF-8 (on Windows always UTF-8): a byte that is
    // not UTF-8 shows as U+FFFD.
    for (std::size_t i = 0; i < path.size();) {
        if (std::size_t n = Utf8CharLength(path, i)) {
            out.append(path, i, n);
            i += n;
        } else {
            out.append("\xEF\xBF\xBD");
            i += SkipBadUtf8(path, i);
        }
    }
}

} // namespace platform
