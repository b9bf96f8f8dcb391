// Code pages: double-byte character tests, stepping and letters, and the conversions at the
// edges.
//
// Source text (lines, tokens, names) is bytes in the source code page of the run, one of the
// Windows ANSI code pages, 932 unless the user chose another; the run hands its code page to
// whatever reads or shows source text. The system's own texts (messages, rule names, checker
// project files, vrt.ini) are code page 932. A text that mixes them marks the pieces that are
// not code page 932 (see MarkSourceText and MarkPath), so that every edge converts each piece
// with its own encoding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// One Windows ANSI code page: its lead and trail bytes (none for a single-byte page), the bytes
// that stand for letters beyond ASCII, and conversion to and from UTF-8 through the platform's
// converter. Instances live for the whole process; get them with FindCodePage.
class TCodePage {
public:
    int Number() const { return Number_; }
    bool IsDoubleByte() const { return DoubleByte_; }
    bool IsLeadByte(unsigned char c) const { return Lead_[c]; }
    bool IsTrailByte(unsigned char c) const { return Trail_[c]; }
    // A byte that stands for a letter on its own: ASCII letters, and every other single byte the
    // code page maps to a Unicode letter or combining mark (n with tilde, cyrillic, hebrew points,
    // arabic harakat, half-width katakana...), the same on every platform. Digits, direction marks
    // and joiners are no letters.
    bool IsLetterByte(unsigned char c) const { return Letter_[c]; }
    // Length in bytes of the character that starts at s[i]: 2 for a lead byte followed by a valid
    // trail byte, otherwise 1 (a lead byte without a valid trail byte is a single byte).
    std::size_t CharLength(std::string_view s, std::size_t i) const {
        return i + 1 < s.size() && Lead_[static_cast<unsigned char>(s[i])] &&
                       Trail_[static_cast<unsigned char>(s[i + 1])]
                   ? 2
                   : 1;
    }
    // Searches in text of this code page. Position of the first character of s, at or after
    // `from`, that is one of `chars` (single-byte characters only); a trail byte is never taken
    // for an ASCII character. npos when none.
    std::size_t FindFirstOf(std::string_view s, std::string_view chars, std::size_t from = 0) const;
    // Position of the last such character, or npos.
    std::size_t FindLastOf(std::string_view s, std::string_view chars) const;
    // Position of the first occurrence of `what` that starts on a character boundary, or npos.
    std::size_t Find(std::string_view s, std::string_view what, std::size_t from = 0) const;
    // Towards UTF-8 a byte or pair that is no character becomes U+FFFD; towards the code page a
    // character it lacks becomes "?". Nothing throws.
    std::string ToUtf8(std::string_view text) const;
    // The same conversion, appended to `out`.
    void AppendUtf8(std::string& out, std::string_view text) const;
    std::string FromUtf8(std::string_view utf8) const;

    explicit TCodePage(int number);
    ~TCodePage();
    TCodePage(const TCodePage&) = delete;
    TCodePage& operator=(const TCodePage&) = delete;

private:
    std::uint32_t Utf8Of(const char* bytes, std::size_t length) const;
    std::uint32_t ConvertAndRemember(const char* bytes, std::size_t length) const;

    int Number_;
    bool DoubleByte_;
    std::array<bool, 256> Lead_{};
    std::array<bool, 256> Trail_{};
    std::array<bool, 256> Letter_{};
    struct TCache;
    std::unique_ptr<TCache> Cache_;
};

// The code page with that number, or nullptr when it is not one of 874, 932, 936, 949, 950 and
// 1250 to 1258.
const TCodePage* FindCodePage(int number);
// The list of the supported numbers, for messages: "874, 932, 936, 949, 950, 1250-1258".
const char* SupportedCodePages();
// Code page 932, in which the system's texts are written.
const TCodePage& SystemCodePage();

// The text after the last "/", "\" or ":" of a path. A file-system path is searched byte by byte
// (its non-ASCII bytes never equal a separator on POSIX).
std::string FileNamePart(std::string_view path);

// True when every byte is below 0x80.
bool IsAscii(std::string_view s);

// Code page 932 conversions, for the system's own texts and files.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// ---- Texts that mix encodings ----

// Source text to be placed in a system text (a name in a message): unchanged when its code page
// is 932, else enclosed in SO ... SI (0x0E, 0x0F), bytes no name contains.
std::string MarkSourceText(std::string_view sourceText, const TCodePage& source);
// The same, appended to `out`.
void AppendMarkedSourceText(std::string& out, std::string_view sourceText, const TCodePage& source);
// A file-system path to be placed in a system text: unchanged when it is plain ASCII, else
// enclosed in FS ... GS (0x1C, 0x1D).
std::string MarkPath(std::string_view path);
// The same, appended to `out`.
void AppendMarkedPath(std::string& out, std::string_view path);
// A system text with its marked pieces, for a UTF-8 edge (terminal, JSON, SARIF, windows):
// each piece converted from its own encoding (source pieces from `source`, the run's code
// page), the marks dropped.
std::string TextToUtf8(std::string_view text, const TCodePage& source);
// The same conversion, appended to `out`.
void AppendTextToUtf8(std::string& out, std::string_view text, const TCodePage& source);
// The same text in the given code page ("?" for what it lacks), the marks dropped: unmarked
// pieces unchanged when the target is 932, source pieces unchanged when it is `source`.
std::string TextToCodePage(std::string_view text, const TCodePage& target, const TCodePage& source);
// The text without its marks, for comparisons with unmarked texts.
std::string UnmarkedText(std::string_view text);

// A file-system path shown at a UTF-8 edge (bytes that are not UTF-8 become U+FFFD).
std::string PathToUtf8(std::string_view path);
void AppendPathToUtf8(std::string& out, std::string_view path);

// ASCII-only upper case of one byte.
inline unsigned char AsciiUpper(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }
// Equality ignoring ASCII letter case.
bool SameTextAscii(std::string_view a, std::string_view b);
// Whether text begins with prefix, ignoring ASCII letter case.
inline bool StartsWithAscii(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}
// The text without the spaces and tabs at its start and end.
inline std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace platform
