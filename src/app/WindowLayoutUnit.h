// Where the Qt windows were: the frame's and the child windows' positions and sizes and the
// statistics column widths, kept in the options ([Window] section of vrt.ini, keys and texts in
// presenters/WindowLayout.h) from one run of the program to the next.
#pragma once

#include "presenters/WindowLayout.h"

#include <QRect>

#include <string>

class QHeaderView;
class QWidget;
class TVtOption;

// The Qt form of a kept place.
QRect ToQRect(const TLayoutRect& rect);
TLayoutRect FromQRect(const QRect& rect);

// The frame: its normal geometry and whether it is maximised.
void KeepFrameGeometry(TVtOption& option, const QWidget* frame);
// Puts the frame where it was, when that place is on a screen that is there now.
void RestoreFrameGeometry(const TVtOption& option, QWidget* frame);

// A window inside the frame (window is the child, its QMdiSubWindow is what moves). A minimised
// or maximised window keeps the place stored before. A window of fixed size is only moved.
void KeepChildGeometry(TVtOption& option, const std::string& key, const QWidget* window);
void RestoreChildGeometry(const TVtOption& option, const std::string& key, QWidget* window);

// The widths of a header's sections, "w0,w1,...".
void KeepColumnWidths(TVtOption& option, const std::string& key, const QHeaderView* header);
void RestoreColumnWidths(const TVtOption& option, const std::string& key, QHeaderView* header);
