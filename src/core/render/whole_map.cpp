#include "core/render/whole_map.h"
#include "core/messages/texts.h"

namespace zol {

QRgb Default_Palette_Colour(int i)
{
    return qRgb((i % 4) * 64 + 63, ((i / 4) % 4) * 64 + 63, ((i / 16) % 4) * 64 + 63);
}

PaletteColours Default_Palette_Colours()
{
    PaletteColours colours;
    for (int i = 0; i < 64; ++i) colours[std::size_t(i)] = Default_Palette_Colour(i);
    return colours;
}

QImage New_View_Image()
{
    QImage image(kViewSide, kViewSide, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void Render_Whole_Map(QImage& image, const edit_form* doc, const PaletteColours& colours, QRgb background)
{
    image.fill(background);
    if (!doc || !doc->has_grid()) return;
    const int w = std::min(doc->width(), image.width()), h = std::min(doc->height(), image.height());
    // Row by row through the image's lines; the grid is read across its columns.
    const std::size_t step = std::size_t(doc->height());
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uint8_t* cell = doc->grid.data() + y;
        for (int x = 0; x < w; ++x, cell += step) line[x] = colours[Cell_Number(*cell)];
    }
}

void Render_Map_Cells(QImage& image, const edit_form& doc, const PaletteColours& colours, const QRect& cells)
{
    const QRect rect = cells & QRect(0, 0, std::min(doc.width(), image.width()), std::min(doc.height(), image.height()));
    if (rect.isEmpty() || !doc.has_grid()) return;
    const std::size_t step = std::size_t(doc.height());
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uint8_t* cell = doc.grid.data() + std::size_t(rect.left()) * step + std::size_t(y);
        for (int x = rect.left(); x <= rect.right(); ++x, cell += step) line[x] = colours[Cell_Number(*cell)];
    }
}

void Render_Map_Pixel(QImage& image, const edit_form& doc, const PaletteColours& colours, int x, int y)
{
    if (!doc.contains(x, y) || x >= image.width() || y >= image.height()) return;
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colours[Cell_Number(doc.cell(x, y))];
}

QRect Visible_Cells(const edit_form& doc, int picture_width, int picture_height, int s)
{
    return QRect(doc.scroll_x, doc.scroll_y, picture_width / s, picture_height / s);
}

QString View_Rectangle_Text(const QRect& cells)
{
    return Text::tr("(%1,%2)～(%3,%4)")
        .arg(cells.left())
        .arg(cells.top())
        .arg(cells.left() + cells.width())
        .arg(cells.top() + cells.height());
}

std::optional<QPoint> Recentre(const edit_form& doc, int w, int h, int x, int y)
{
    const int left = x - w / 2, top = y - h / 2;
    if (left < 0 || top < 0 || left + w > doc.width() || top + h > doc.height()) return std::nullopt;
    return QPoint(left, top);
}

QString Event_Line(int x, int y, int number)
{
    QString text = QStringLiteral("( %1 ,%2 )").arg(x).arg(y);
    while (text.size() <= 13) text += QLatin1Char(' ');
    return text + Text::tr(" Event = %1").arg(number);
}

QString Flag_Line(int number, int flag)
{
    return QStringLiteral("%1. ").arg(number) + (number < 10 ? QStringLiteral(" ") : QString()) +
           Text::tr(" Flag=%1").arg(flag);
}

QString Link_Line(int x, int y, int target_map, int target_x, int target_y)
{
    return QStringLiteral("(%1,%2)->%3,(%4,%5)").arg(x).arg(y).arg(target_map).arg(target_x).arg(target_y);
}

} // namespace zol
