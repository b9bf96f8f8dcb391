// What the windows inside the frame have in common.
#pragma once

class QCloseEvent;
class QWidget;

// A close request on a child window of the frame minimises it instead: the window lives as long
// as the program.
void MinimiseOnClose(QWidget* window, QCloseEvent* event);

// Brings a child window of the frame (or a window of its own) back from minimised to its normal
// size; a window that is not minimised stays as it is.
void ShowNormalIfMinimised(QWidget* window);
