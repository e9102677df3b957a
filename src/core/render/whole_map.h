#pragma once
// The whole-map view's picture: one pixel per map cell in the palette colour of its number, and
// the arithmetic of the outline that marks what the map window shows.

#include "core/map/edit_form.h"
#include "core/render/palette_colours.h"

#include <QImage>
#include <QRect>

#include <optional>

namespace zol {

constexpr int kViewSide = 256; // the largest map, whole

// A new view image: kViewSide square, RGB32.
QImage New_View_Image();
// Draws the whole map (nothing: background only) into image: pixel (x, y) is cell (x, y).
void Render_Whole_Map(QImage& image, const edit_form* doc, const PaletteColours& colours, QRgb background);
// Sets the pixels of the cells of rect (clipped to the map) after they changed.
void Render_Map_Cells(QImage& image, const edit_form& doc, const PaletteColours& colours, const QRect& cells);
// Sets the pixel of cell (x, y) after that cell changed.
void Render_Map_Pixel(QImage& image, const edit_form& doc, const PaletteColours& colours, int x, int y);

// The cells a map window shows: from its scroll position, visible columns by visible rows.
QRect Visible_Cells(const edit_form& doc, int picture_width, int picture_height, int s);
// "(%ld,%ld)～(%ld,%ld)": left, top, left + columns, top + rows.
QString View_Rectangle_Text(const QRect& cells);
// The top-left cell that centres a window of visible columns w and rows h on (x, y), or nothing
// when that window would leave the map.
std::optional<QPoint> Recentre(const edit_form& doc, int w, int h, int x, int y);

// The lines of the event, flag and link lists.
QString Event_Line(int x, int y, int number);
QString Flag_Line(int number, int flag);
QString Link_Line(int x, int y, int target_map, int target_x, int target_y);

} // namespace zol
