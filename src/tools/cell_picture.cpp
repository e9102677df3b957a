#include "tools/cell_picture.h"

#include "documents/allocation.h"
#include "shell/show_message.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zol {

QImage To_Cell_Format(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

void Magnify_Cell(const QImage& cell, QImage& view)
{
    if (view.size() != QSize(kMagnifiedSize, kMagnifiedSize) || view.format() != QImage::Format_RGB32)
        view = QImage(kMagnifiedSize, kMagnifiedSize, QImage::Format_RGB32);
    const QImage source = cell.format() == QImage::Format_RGB32 ? cell : To_Cell_Format(cell);
    const std::size_t row_bytes = std::size_t(kMagnifiedSize) * sizeof(QRgb);
    for (int j = 0; j < kCellSize && j < source.height(); ++j) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(j));
        auto* first = reinterpret_cast<QRgb*>(view.scanLine(j * kMagnify));
        for (int i = 0; i < kCellSize; ++i) std::fill_n(first + i * kMagnify, kMagnify, from[i] | 0xff000000u);
        // The other nine rows of the squares are the same.
        for (int k = 1; k < kMagnify; ++k) std::memcpy(view.scanLine(j * kMagnify + k), first, row_bytes);
    }
}

void Paint_Square(QImage& view, int i, int j, QRgb colour)
{
    if (i < 0 || j < 0 || i >= kCellSize || j >= kCellSize) return;
    for (int k = 0; k < kMagnify; ++k) {
        auto* row = reinterpret_cast<QRgb*>(view.scanLine(j * kMagnify + k));
        std::fill_n(row + i * kMagnify, kMagnify, colour | 0xff000000u);
    }
}

QImage Reduce_View(const QImage& view)
{
    QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
    const QImage source = view.format() == QImage::Format_RGB32 ? view : To_Cell_Format(view);
    for (int j = 0; j < kCellSize; ++j) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(j * kMagnify));
        auto* to = reinterpret_cast<QRgb*>(cell.scanLine(j));
        for (int i = 0; i < kCellSize; ++i) to[i] = from[i * kMagnify];
    }
    return cell;
}

namespace {

bool Fill_Failed(const char* caption)
{
    Show_Message(nullptr, QString::fromLatin1(caption), kNoMemoryText, MB_OK, MB_ICON_EXCLAMATION);
    return false;
}

} // namespace

bool Pixel_Fill(QImage& cell, int x, int y, QRgb colour)
{
    const int w = cell.width();
    const int h = cell.height();
    if (x < 0 || y < 0 || x >= w || y >= h || w > 256 || h > 256) return true;
    if (cell.format() != QImage::Format_RGB32) cell = To_Cell_Format(cell);

    // Every run of a row queues at most one seed for each stretch of the rows beside it, and
    // each pixel ends at most one stretch from above and one from below: 2 * w * h + 1 seeds in
    // all, so a queue of that many never wraps.
    const std::size_t most = 2 * std::size_t(w) * std::size_t(h) + 1;
    std::vector<uint8_t> queue_x, queue_y, visited;
    if (!Allocate(queue_x, most)) return Fill_Failed("ERROR:Paint(1)");
    if (!Allocate(queue_y, most)) return Fill_Failed("ERROR:Paint(2)");
    if (!Allocation_Permitted()) return Fill_Failed("ERROR:Paint(3)");
    if (!Allocate(visited, std::size_t(w) * std::size_t(h))) return Fill_Failed("ERROR:Paint(4)");

    auto pixel = [&cell](int i, int j) { return reinterpret_cast<QRgb*>(cell.scanLine(j)) + i; };
    const QRgb target = *pixel(x, y) & 0xffffffu;
    const QRgb paint = colour | 0xff000000u;
    auto fillable = [&](int i, int j) {
        return !visited[std::size_t(j * w + i)] && (*pixel(i, j) & 0xffffffu) == target;
    };
    std::size_t read = 0, write = 0;
    auto push = [&](int i, int j) {
        queue_x[write] = uint8_t(i);
        queue_y[write] = uint8_t(j);
        ++write;
    };
    // The stretches of fillable pixels of row j within [left, right], one seed each.
    auto scan = [&](int left, int right, int j) {
        for (int i = left; i <= right;) {
            if (!fillable(i, j)) {
                ++i;
                continue;
            }
            while (i <= right && fillable(i, j)) ++i;
            push(i - 1, j);
        }
    };

    push(x, y);
    while (read < write) {
        const int sx = queue_x[read];
        const int sy = queue_y[read];
        ++read;
        if (!fillable(sx, sy)) continue;
        int left = sx, right = sx;
        while (left > 0 && fillable(left - 1, sy)) --left;
        while (right < w - 1 && fillable(right + 1, sy)) ++right;
        for (int i = left; i <= right; ++i) {
            *pixel(i, sy) = paint;
            visited[std::size_t(sy * w + i)] = 1;
        }
        if (sy > 0) scan(left, right, sy - 1);
        if (sy < h - 1) scan(left, right, sy + 1);
    }
    return true;
}

QPoint Block_Corner(QPoint pointer, QSize size)
{
    const int half = kCellSize / 2;
    return {std::clamp(pointer.x() - half, 0, std::max(0, size.width() - kCellSize)),
            std::clamp(pointer.y() - half, 0, std::max(0, size.height() - kCellSize))};
}

QImage Copy_Block(const QImage& image, QPoint corner)
{
    QImage block(kCellSize, kCellSize, QImage::Format_RGB32);
    block.fill(Qt::white);
    const QImage source = image.format() == QImage::Format_RGB32 ? image : To_Cell_Format(image);
    const QRect inside = QRect(corner, block.size()).intersected(source.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y)) + inside.left();
        auto* to = reinterpret_cast<QRgb*>(block.scanLine(y - corner.y())) + (inside.left() - corner.x());
        std::copy_n(from, inside.width(), to);
    }
    return block;
}

} // namespace zol
