// Layout by the monitor's DPI: sizes are written at 96 DPI and scaled by the window's own DPI, and
// the UI font is made for that DPI.
#pragma once

#include <windows.h>

namespace win32 {

// The DPI of the window's monitor, and the system's (the screen's on a Windows older than 10,
// which has no DPI per monitor).
UINT WindowDpi(HWND window);
UINT SystemDpi();
// A window's outer rectangle for a client rectangle, at a DPI.
void AdjustForDpi(RECT& rect, HWND window, UINT dpi);
// A length written at 96 DPI, at the given DPI.
int Scaled(int length, UINT dpi);

// The UI font of every window: "MS UI Gothic" (on every Japanese Windows), 9 points, Shift-JIS
// character set, at the given DPI. One font per DPI lives until the program ends.
HFONT UiFont(UINT dpi);
// Gives the window and all its child controls the UI font of its DPI.
void ApplyUiFont(HWND window);

} // namespace win32
