// Where the frame and its windows were, kept in vrt.ini's [Window] section through the
// presenters' layout keys: put back when the windows are made, kept before they go. A place
// that no longer fits on any monitor is not put back.
#pragma once

#include <windows.h>

#include <string>

class TVtOption;

namespace win32 {

// A window's normal place (the frame's on the screen, a child's in the MDI client).
void RestorePlace(const TVtOption& option, const std::string& key, HWND window);
void KeepPlace(TVtOption& option, const std::string& key, HWND window);
// The frame also keeps whether it was maximised.
void RestoreFramePlace(const TVtOption& option, HWND frame);
void KeepFramePlace(TVtOption& option, HWND frame);
// The widths of a list view's columns.
void RestoreColumnWidths(const TVtOption& option, const std::string& key, HWND list, int count);
void KeepColumnWidths(TVtOption& option, const std::string& key, HWND list, int count);

} // namespace win32
