// What the windows inside the frame have in common.
#pragma once

class QCloseEvent;
class QWidget;

// A close request on a child window of the frame minimises it instead: the window lives as long
// as the program.
void MinimiseOnClose(QWidget* window, QCloseEvent* event);
