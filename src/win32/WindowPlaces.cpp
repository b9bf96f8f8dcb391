#include "win32/WindowPlaces.h"

#include "presenters/VtOption.h"
#include "presenters/WindowLayout.h"

#include <commctrl.h>

#include <vector>

namespace win32 {

namespace {

RECT RectOf(const TLayoutRect& place) {
    return {place.Left, place.Top, place.Left + place.Width, place.Top + place.Height};
}

TLayoutRect PlaceOf(const RECT& rect) {
    return {static_cast<int>(rect.left), static_cast<int>(rect.top),
            static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top)};
}

} // namespace

void RestorePlace(const TVtOption& option, const std::string& key, HWND window) {
    std::optional<TLayoutRect> place = RectFromText(LayoutValue(option, key));
    if (!place) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    placement.rcNormalPosition = RectOf(*place);
    // A frame is put back only where a monitor shows it.
    if (!GetParent(window) && !MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONULL))
        return;
    SetWindowPlacement(window, &placement);
}

void KeepPlace(TVtOption& option, const std::string& key, HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (window && GetWindowPlacement(window, &placement))
        option.WindowLayout[key] = RectText(PlaceOf(placement.rcNormalPosition));
}

void RestoreFramePlace(const TVtOption& option, HWND frame) {
    RestorePlace(option, layoutkey::Frame, frame);
}

void KeepFramePlace(TVtOption& option, HWND frame) {
    KeepPlace(option, layoutkey::Frame, frame);
    option.WindowLayout[layoutkey::FrameMaximized].assign(1, IsZoomed(frame) ? '1' : '0');
}

void RestoreColumnWidths(const TVtOption& option, const std::string& key, HWND list, int count) {
    std::optional<std::vector<int>> widths = WidthsFromText(LayoutValue(option, key), count);
    if (!widths) return;
    for (int column = 0; column < count; ++column)
        if (int width = (*widths)[static_cast<std::size_t>(column)]; width > 0)
            ListView_SetColumnWidth(list, column, width);
}

void KeepColumnWidths(TVtOption& option, const std::string& key, HWND list, int count) {
    std::vector<int> widths;
    for (int column = 0; column < count; ++column)
        widths.push_back(ListView_GetColumnWidth(list, column));
    option.WindowLayout[key] = WidthsText(widths);
}

} // namespace win32
