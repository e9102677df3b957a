#include "core/render/map_renderer.h"
#include "core/messages/texts.h"

#include <cstring>

namespace zol {

void CellCache::Build(const CellImages& cells, int s)
{
    size_ = s;
    pixels_.assign(std::size_t(64) * s * s, 0xffffffffu);
    for (int n = 0; n < 64; ++n) {
        QImage cell = cells[std::size_t(n)].convertToFormat(QImage::Format_RGB32);
        if (cell.isNull()) continue;
        if (cell.width() != s || cell.height() != s)
            cell = cell.scaled(s, s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
        for (int r = 0; r < s; ++r)
            std::memcpy(pixels_.data() + (std::size_t(n) * s + r) * s, cell.constScanLine(r),
                        std::size_t(s) * 4);
    }
}

namespace {

// Copies the s rows of one band of window cells; S is the cell size when known at compile time
// (so each row copy is a fixed-size move), 0 otherwise.
template <int S>
void Copy_Band(QImage& target, const CellCache& cache, const std::vector<int>& numbers, int i_begin,
               int j, int s)
{
    if constexpr (S != 0) s = S;
    const std::size_t row_bytes = std::size_t(s) * 4;
    const int count = int(numbers.size());
    for (int r = 0; r < s; ++r) {
        auto* line = reinterpret_cast<uint32_t*>(target.scanLine(j * s + r)) + i_begin * s;
        for (int k = 0; k < count; ++k)
            std::memcpy(line + k * s, cache.row(numbers[std::size_t(k)], r), row_bytes);
    }
}

} // namespace

void Render_Cells(QImage& target, const edit_form& doc, const CellCache& cache, int scroll_x,
                  int scroll_y, int i0, int j0, int columns, int rows)
{
    const int s = cache.size();
    if (s <= 0 || !doc.has_grid() || target.isNull()) return;
    // Only whole window cells inside the image and the map are drawn.
    const int i_begin = std::max(i0, std::max(0, -scroll_x));
    const int j_begin = std::max(j0, std::max(0, -scroll_y));
    const int i_end = std::min({i0 + columns, target.width() / s, doc.width() - scroll_x});
    const int j_end = std::min({j0 + rows, target.height() / s, doc.height() - scroll_y});
    if (i_begin >= i_end) return;
    // The band's cell numbers are looked up once, not once per pixel row: the grid is stored
    // column by column, so walking a row of it touches a different column vector per cell.
    std::vector<int> numbers(std::size_t(i_end - i_begin));
    for (int j = j_begin; j < j_end; ++j) {
        const int y = scroll_y + j;
        for (int i = i_begin; i < i_end; ++i)
            numbers[std::size_t(i - i_begin)] = Cell_Number(doc.cell(scroll_x + i, y));
        switch (s) {
        case 32: Copy_Band<32>(target, cache, numbers, i_begin, j, s); break;
        case 24: Copy_Band<24>(target, cache, numbers, i_begin, j, s); break;
        case 16: Copy_Band<16>(target, cache, numbers, i_begin, j, s); break;
        case 8: Copy_Band<8>(target, cache, numbers, i_begin, j, s); break;
        default: Copy_Band<0>(target, cache, numbers, i_begin, j, s); break;
        }
    }
}

void Render_View(QImage& target, const edit_form& doc, const CellCache& cache)
{
    if (cache.size() <= 0) return;
    Render_Cells(target, doc, cache, doc.scroll_x, doc.scroll_y, 0, 0, target.width() / cache.size(),
                 target.height() / cache.size());
}

void Scroll_View(ViewBuffer& view, const edit_form& doc, const CellCache& cache, int dx, int dy)
{
    const int s = cache.size();
    if (s <= 0 || view.isNull()) return;
    view.Move(dx * s, dy * s);
    QImage image = view.Image();
    const int columns = image.width() / s;
    const int rows = image.height() / s;
    if (dy != 0)
        Render_Cells(image, doc, cache, doc.scroll_x, doc.scroll_y, 0, dy > 0 ? rows - 1 : 0, columns, 1);
    if (dx != 0)
        Render_Cells(image, doc, cache, doc.scroll_x, doc.scroll_y, dx > 0 ? columns - 1 : 0, 0, 1, rows);
}

QImage Render_Map_Image(const edit_form& doc, const CellCache& cache)
{
    const int s = cache.size();
    QImage image(doc.width() * s, doc.height() * s, QImage::Format_RGB32);
    // The cells cover every pixel when there are cells to draw; filling first would only add a
    // pass over a picture that reaches hundreds of megabytes.
    if (s <= 0 || !doc.has_grid()) image.fill(Qt::white);
    Render_Cells(image, doc, cache, 0, 0, 0, 0, doc.width(), doc.height());
    return image;
}

QString Cell_Status_Text(const edit_form& doc, int x, int y)
{
    const uint8_t cell = doc.cell(x, y);
    QString text = Text::tr("(%1,%2) Palette=%3 Flag=%4")
                       .arg(QString::number(x), QString::number(y), QString::number(Cell_Number(cell)),
                            QString::number(Cell_Flag(cell)));
    for (std::size_t i = 0; i < std::size_t(doc.links.count()); ++i) {
        if (doc.links.x[i] != x || doc.links.y[i] != y) continue;
        text += Text::tr(" Link=%1 (%2,%3)")
                    .arg(QString::number(doc.links.target_map[i]), QString::number(doc.links.target_x[i]),
                         QString::number(doc.links.target_y[i]));
    }
    for (std::size_t i = 0; i < std::size_t(doc.events.count()); ++i)
        if (doc.events.x[i] == x && doc.events.y[i] == y)
            text += Text::tr(" Event= %1").arg(doc.events.number[i]);
    return text;
}

} // namespace zol
