#pragma once
// Where a map window's picture and scroll bars go, from the picture's current size, the map's
// size and the displayed cell size; the caption shows the map's size and the window's in cells.

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace zol {

struct MapViewLayout {
    int picture_width = 0;
    int picture_height = 0;
    bool vertical_bar = false;     // shown
    bool horizontal_bar = false;
    int vertical_max = 0;          // range 0..max
    int horizontal_max = 0;
    int scroll_x = 0;              // clamped positions
    int scroll_y = 0;
    int content_width = 0;         // picture plus the shown bars: what the window must hold
    int content_height = 0;
};

constexpr int kScrollBarThickness = 20;

// picture_width/height: the picture's size now; map_width/height in cells; s the displayed cell
// size; scroll_x/y the bars' positions now.
MapViewLayout Layout_Map(int picture_width, int picture_height, int map_width, int map_height,
                         int s, int scroll_x, int scroll_y);

// " %ld×%ld Link: %ld  (%ld×%ld)" after the name part of the map's file name.
QString Map_Caption(const QString& name_part, int map_width, int map_height, int links,
                    int window_width, int window_height, int s);

// Where a new map window of size window goes in an area of size area: (10, 10) for the first;
// else one step (a title bar's height) right of and below the last one opened, back at (10, 10)
// before it would leave the area.
QPoint Cascade_Position(std::optional<QPoint> last, int step, QSize window, QSize area);

} // namespace zol
