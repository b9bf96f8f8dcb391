// An open document as the editor holds it: UTF-8 text, changed whole or by ranges whose positions
// are lines and UTF-16 code units, as the language server protocol counts them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TTextPosition {
    int Line = 0;
    int Character = 0; // UTF-16 code units from the line's start
};

class TTextDocument {
public:
    explicit TTextDocument(std::string text = std::string()) { Replace(std::move(text)); }
    const std::string& Text() const { return Text_; }
    void Replace(std::string text);
    // Replaces the text between two positions. A position past a line's end stands for its end,
    // one past the last line for the text's end; a start after the end is taken as the end.
    void ReplaceRange(TTextPosition start, TTextPosition end, std::string_view text);

    // Lines end at CR LF, LF or CR; a text that ends with a line end has an empty last line.
    int LineCount() const { return static_cast<int>(Starts_.size()); }
    // A line without its end; empty past the last line.
    std::string_view Line(int line) const;
    // The byte offset of a position (clamped as ReplaceRange says).
    std::size_t Offset(TTextPosition position) const;
    // The line end the text uses most: "\r\n" unless it has LF or CR alone only.
    std::string_view LineEnd() const;

private:
    void FindLines();
    std::string Text_;
    std::vector<std::size_t> Starts_;
};

// The length of UTF-8 text in UTF-16 code units (a character beyond the basic plane counts two;
// a byte that is no UTF-8 counts one).
int Utf16Length(std::string_view utf8);
