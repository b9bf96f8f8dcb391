// Windows of another process, as the test driver sees them: found by class, caption and control
// identifier, read with window messages (list rows through memory lent in the other process),
// pressed with posted commands and typed on with SendInput.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

// Waits until the condition holds, looking every 50 ms; false after timeoutMs.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

// The top-level windows of a process with the given class ("#32770" for dialogs).
std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className);
// The MDI child of the frame's client with the given class, or null.
HWND MdiChild(HWND frame, const wchar_t* className);
HWND MdiClient(HWND frame);
// The control with the identifier anywhere under a window (a tab page's controls are the tab
// control's children).
HWND Descendant(HWND window, int id);

std::wstring Text(HWND window);
void SetText(HWND window, const std::wstring& text);
bool IsEnabled(HWND window);
// Presses the control: its parent is told the control was clicked, as a click would.
void Press(HWND control);
// Presses the control and waits until its window has handled the press (false after timeoutMs:
// the press opened a modal window, or the program hangs).
bool PressAndWait(HWND control, int timeoutMs);

// Rows of a list view of another process.
int RowCount(HWND list);
std::wstring RowText(HWND list, int row, int column = 0);
std::vector<std::wstring> Rows(HWND list, int columns = 1);

// Types keys into the foreground window (virtual-key codes; a modifier is held for the next key
// when given as a pair {modifier, key}).
void TypeKey(WORD key, WORD modifier = 0);
// Makes the frame the foreground window and activates one of its MDI children.
void Activate(HWND frame, HWND child);

// The clipboard's text.
std::wstring ClipboardText();

} // namespace driver
