// Where the windows were: the keys of the [Window] section of vrt.ini and the text of their
// values. A face reads and writes its windows' places through these, so that both faces keep the
// same file.
#pragma once

#include <optional>
#include <string>
#include <vector>

class TVtOption;

namespace layoutkey {
inline const std::string Frame = "Frame";
inline const std::string FrameMaximized = "FrameMaximized";
inline const std::string Project = "Project";
inline const std::string Result = "Result";
inline const std::string Log = "Log";
inline const std::string Statistics = "Statistics";
inline const std::string StatisticsColumns = "StatisticsColumns";
} // namespace layoutkey

// A window's place in pixels of the face (left, top, width, height).
struct TLayoutRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TLayoutRect&) const = default;
};

// "left,top,width,height", and back; nothing for a text that is not four numbers with a
// positive width and height.
std::string RectText(const TLayoutRect& rect);
std::optional<TLayoutRect> RectFromText(const std::string& text);

// Column widths "w0,w1,...", and back; nothing unless there are exactly `count` numbers. A width
// that is not a positive number is given as 0 (the face keeps that column as it is).
std::string WidthsText(const std::vector<int>& widths);
std::optional<std::vector<int>> WidthsFromText(const std::string& text, int count);

// The value kept under a key, or empty.
std::string LayoutValue(const TVtOption& option, const std::string& key);
