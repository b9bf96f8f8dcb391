#include "platform/CodePage.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <initializer_list>
#include <locale.h>
#include <mutex>
#include <wchar.h>
#include <wctype.h>

namespace platform {

std::size_t FindFirstOf(std::string_view s, std::string_view chars, std::size_t from) {
    // Walk from the start so that `from` inside a double-byte character cannot mislead us.
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = CharLength(s, i);
        if (i >= from && n == 1 && chars.find(s[i]) != std::string_view::npos) return i;
        i += n;
    }
    return std::string_view::npos;
}

std::size_t FindLastOf(std::string_view s, std::string_view chars) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = CharLength(s, i);
        if (n == 1 && chars.find(s[i]) != std::string_view::npos) found = i;
        i += n;
    }
    return found;
}

std::size_t Find(std::string_view s, std::string_view what, std::size_t from) {
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

// One conversion through iconv. `replacement` is written for every input sequence iconv
// rejects; the offending input advances by `skip(in, left)` bytes.
template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, Skip skip) {
    std::string out;
    if (input.empty()) return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    out.reserve(input.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* o = buffer;
        std::size_t oLeft = sizeof buffer;
        std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buffer, o - buffer);
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: an invalid or incomplete sequence.
            out.append(replacement);
            std::size_t n = skip(in, inLeft);
            in += n;
            inLeft -= n;
        }
    }
    // Flush what a converter holds back (code pages 1255 and 1258 compose base characters with
    // the marks after them).
    char* o = buffer;
    std::size_t oLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &oLeft);
    out.append(buffer, o - buffer);
    iconv_close(cd);
    return out;
}

} // namespace

namespace {

// Skips one UTF-8 character (or one stray byte) that the converter rejected.
std::size_t SkipUtf8(const char* in, std::size_t left) {
    unsigned char c = static_cast<unsigned char>(in[0]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    for (std::size_t k = 1; k < n; ++k)
        if (k >= left || (static_cast<unsigned char>(in[k]) & 0xC0) != 0x80) return k;
    return n;
}

// The byte ranges of the double-byte code pages, as their definitions give them.
struct TByteRange {
    unsigned char First, Last;
};
struct TCodePageDefinition {
    int Number;
    const char* ConverterName;
    std::initializer_list<TByteRange> Lead;
    std::initializer_list<TByteRange> Trail;
};

constexpr std::size_t DefinitionCount = 14;

const TCodePageDefinition& Definition(std::size_t k) {
    static const TCodePageDefinition definitions[DefinitionCount] = {
        {874, "CP874", {}, {}},
        {932, "CP932", {{0x81, 0x9F}, {0xE0, 0xFC}}, {{0x40, 0x7E}, {0x80, 0xFC}}},
        {936, "CP936", {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}}},
        {949, "CP949", {{0x81, 0xFE}}, {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}},
        {950, "CP950", {{0x81, 0xFE}}, {{0x40, 0x7E}, {0xA1, 0xFE}}},
        {1250, "CP1250", {}, {}},
        {1251, "CP1251", {}, {}},
        {1252, "CP1252", {}, {}},
        {1253, "CP1253", {}, {}},
        {1254, "CP1254", {}, {}},
        {1255, "CP1255", {}, {}},
        {1256, "CP1256", {}, {}},
        {1257, "CP1257", {}, {}},
        {1258, "CP1258", {}, {}},
    };
    return definitions[k];
}

// Does the Unicode character stand for a letter? Letters, and the marks written on letters
// (zero width), as the C library's UTF-8 character classes say.
bool IsUnicodeLetter(wchar_t w) {
    static locale_t utf8 = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (!l) l = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(nullptr));
        return l;
    }();
    if (!utf8) return false;
    if (iswalpha_l(static_cast<wint_t>(w), utf8)) return true;
    if (!iswgraph_l(static_cast<wint_t>(w), utf8)) return false;
    locale_t old = uselocale(utf8);
    int width = wcwidth(w);
    uselocale(old);
    return width == 0;
}

} // namespace

// The UTF-8 form of each character of the code page (one byte, or a lead and a trail byte),
// worked out through iconv the first time the character is met and remembered: bytes 0..2 hold
// the UTF-8 bytes, byte 3 their count (4 for a character iconv rejects). 0 means not yet known.
struct TCodePage::TCache {
    explicit TCache(std::size_t size) : Entries(new std::atomic<std::uint32_t>[size]) {
        for (std::size_t i = 0; i < size; ++i)
            Entries[i].store(0, std::memory_order_relaxed);
    }
    std::unique_ptr<std::atomic<std::uint32_t>[]> Entries;
};

TCodePage::TCodePage(int number, const char* converterName)
    : Number_(number), ConverterName_(converterName), DoubleByte_(false) {
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
    for (int c = 'A'; c <= 'Z'; ++c)
        Letter_[c] = Letter_[c + 32] = true;
    if (DoubleByte_) return;
    // The letters beyond ASCII of a single-byte page, through the converter to wide characters.
    iconv_t cd = iconv_open("WCHAR_T", ConverterName_);
    if (cd == reinterpret_cast<iconv_t>(-1)) return;
    for (int c = 0x80; c <= 0xFF; ++c) {
        char byte = static_cast<char>(c);
        char* in = &byte;
        std::size_t inLeft = 1;
        wchar_t w = 0;
        char* out = reinterpret_cast<char*>(&w);
        std::size_t outLeft = sizeof w;
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) &&
            iconv(cd, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1) &&
            outLeft == 0)
            Letter_[c] = IsUnicodeLetter(w);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
}

TCodePage::~TCodePage() = default;

std::uint32_t TCodePage::Utf8Of(const char* bytes, std::size_t length) const {
    unsigned code = length == 2 ? (static_cast<unsigned char>(bytes[0]) << 8) |
                                      static_cast<unsigned char>(bytes[1])
                                : static_cast<unsigned char>(bytes[0]);
    std::atomic<std::uint32_t>& entry = Cache_->Entries[code];
    std::uint32_t known = entry.load(std::memory_order_relaxed);
    if (known) return known;
    std::string utf8 = Convert("UTF-8", ConverterName_, std::string_view(bytes, length), "",
                               [](const char*, std::size_t left) { return left; });
    std::uint32_t value = 4u << 24;
    if (!utf8.empty() && utf8.size() <= 3) {
        value = static_cast<std::uint32_t>(utf8.size()) << 24;
        for (std::size_t k = 0; k < utf8.size(); ++k)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(utf8[k])) << (8 * k);
    }
    entry.store(value, std::memory_order_relaxed);
    return value;
}

std::string TCodePage::ToUtf8(std::string_view text) const {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    std::size_t i = 0;
    while (i < text.size()) {
        // ASCII runs are the same in both encodings.
        std::size_t run = i;
        while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80)
            ++run;
        out.append(text, i, run - i);
        i = run;
        if (i >= text.size()) break;
        std::size_t n = CharLength(text, i);
        std::uint32_t value = Utf8Of(text.data() + i, n);
        std::uint32_t count = value >> 24;
        if (count == 4) {
            out.append("\xEF\xBF\xBD"); // a byte or pair that is no character: U+FFFD
        } else {
            for (std::uint32_t k = 0; k < count; ++k)
                out.push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
        }
        i += n;
    }
    return out;
}

std::string TCodePage::FromUtf8(std::string_view utf8) const {
    return Convert(ConverterName_, "UTF-8", utf8, "?", SkipUtf8);
}

const TCodePage* FindCodePage(int number) {
    static std::unique_ptr<TCodePage> pages[DefinitionCount];
    static std::once_flag once[DefinitionCount];
    for (std::size_t k = 0; k < DefinitionCount; ++k) {
        if (Definition(k).Number != number) continue;
        std::call_once(once[k], [k] {
            pages[k] =
                std::make_unique<TCodePage>(Definition(k).Number, Definition(k).ConverterName);
        });
        return pages[k].get();
    }
    return nullptr;
}

const char* SupportedCodePages() { return "874, 932, 936, 949, 950, 1250-1258"; }

const TCodePage& SystemCodePage() {
    static const TCodePage* page = FindCodePage(932);
    return *page;
}

namespace detail {
const TCodePage* CurrentSourceCodePage = nullptr;
}

bool SetSourceCodePage(int number) {
    const TCodePage* page = FindCodePage(number);
    if (!page) return false;
    detail::CurrentSourceCodePage = page;
    return true;
}
std::string Cp932ToUtf8(std::string_view cp932) { return SystemCodePage().ToUtf8(cp932); }
std::string Utf8ToCp932(std::string_view utf8) { return SystemCodePage().FromUtf8(utf8); }

// ---- Texts that mix encodings ----

namespace {
constexpr char SourceOpen = '\x0E', SourceClose = '\x0F';
constexpr char PathOpen = '\x1C', PathClose = '\x1D';

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Visits the pieces of a system text: each with its kind (0 system, 1 source, 2 path).
template <typename F> void ForEachPiece(std::string_view text, F&& visit) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t open = text.find_first_of("\x0E\x1C", i);
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

bool HasMarks(std::string_view text) {
    return text.find_first_of("\x0E\x1C") != std::string_view::npos;
}
} // namespace

std::string MarkSourceText(std::string_view sourceText) {
    if (&SourceCodePage() == &SystemCodePage() || IsAscii(sourceText))
        return std::string(sourceText);
    std::string out;
    out.reserve(sourceText.size() + 2);
    out += SourceOpen;
    out.append(sourceText);
    out += SourceClose;
    return out;
}

std::string MarkPath(std::string_view path) {
    if (IsAscii(path)) return std::string(path);
    std::string out;
    out.reserve(path.size() + 2);
    out += PathOpen;
    out.append(path);
    out += PathClose;
    return out;
}

std::string TextToUtf8(std::string_view text) {
    if (!HasMarks(text)) return SystemCodePage().ToUtf8(text);
    std::string out;
    ForEachPiece(text, [&](int kind, std::string_view piece) {
        out += kind == 0   ? SystemCodePage().ToUtf8(piece)
               : kind == 1 ? SourceCodePage().ToUtf8(piece)
                           : PathToUtf8(piece);
    });
    return out;
}

std::string TextToCodePage(std::string_view text, const TCodePage& target) {
    const TCodePage& system = SystemCodePage();
    const TCodePage& source = SourceCodePage();
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
    if (IsAscii(path)) return std::string(path);
    // File names on POSIX are bytes, as a rule UTF-8: pass them through the converter so that
    // a byte that is not UTF-8 shows as U+FFFD.
    return Convert("UTF-8", "UTF-8", path, "\xEF\xBF\xBD", SkipUtf8);
}

} // namespace platform
