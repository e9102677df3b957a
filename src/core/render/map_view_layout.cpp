#include "core/render/map_view_layout.h"
#include "core/messages/texts.h"

#include <algorithm>

namespace zol {

MapViewLayout Layout_Map(int picture_width, int picture_height, int map_width, int map_height,
                         int s, int scroll_x, int scroll_y)
{
    MapViewLayout layout;
    const int mw = s * map_width;
    const int mh = s * map_height;
    layout.picture_width = picture_width;
    layout.picture_height = picture_height;
    const bool wide = picture_width >= mw;
    const bool tall = picture_height >= mh;
    if (!wide && !tall) {
        layout.vertical_bar = layout.horizontal_bar = true;
    } else if (!wide && tall) {
        layout.picture_height = mh;
        layout.horizontal_bar = true;
    } else if (wide && tall) {
        layout.picture_width = mw;
        layout.picture_height = mh;
    } else {
        layout.picture_width = mw;
        layout.vertical_bar = true;
    }
    if (layout.vertical_bar) {
        layout.vertical_max = std::max(0, map_height - layout.picture_height / s);
        layout.scroll_y = std::clamp(scroll_y, 0, layout.vertical_max);
    }
    if (layout.horizontal_bar) {
        layout.horizontal_max = std::max(0, map_width - layout.picture_width / s);
        layout.scroll_x = std::clamp(scroll_x, 0, layout.horizontal_max);
    }
    layout.content_width = layout.picture_width + (layout.vertical_bar ? kScrollBarThickness : 0);
    layout.content_height = layout.picture_height + (layout.horizontal_bar ? kScrollBarThickness : 0);
    return layout;
}

QString Map_Caption(const QString& name_part, int map_width, int map_height, int links,
                    int window_width, int window_height, int s)
{
    // One pass over the format: a name holding "%2" stays as it is.
    return Text::tr("%1 %2×%3 Link: %4  (%5×%6)")
        .arg(name_part, QString::number(map_width), QString::number(map_height), QString::number(links),
             QString::number(window_width / s), QString::number(window_height / s));
}

QPoint Cascade_Position(std::optional<QPoint> last, int step, QSize window, QSize area)
{
    const QPoint first(10, 10);
    if (!last) return first;
    const QPoint next = *last + QPoint(step, step);
    if (next.x() + window.width() > area.width() || next.y() + window.height() > area.height()) return first;
    return next;
}

} // namespace zol
