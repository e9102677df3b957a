#include "core/editing/cell_picture.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    uchar* bits = view.bits();
    const std::size_t line = std::size_t(view.bytesPerLine());
    const std::size_t row_bytes = std::size_t(kMagnifiedSize) * sizeof(QRgb);
    const int rows = std::min(kCellSize, source.height());
    const int columns = std::min(kCellSize, source.width());
    for (int j = 0; j < rows; ++j) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(j));
        uchar* first_line = bits + std::size_t(j * kMagnify) * line;
        auto* first = reinterpret_cast<QRgb*>(first_line);
        for (int i = 0; i < columns; ++i) {
            const QRgb p = from[i] | 0xff000000u;
            QRgb* square = first + i * kMagnify;
            for (int k = 0; k < kMagnify; ++k) square[k] = p;
        }
        // The other nine rows of the squares are the same: copied in doubling pieces when the
        // rows lie end to end, as they do in a 32-bit image of this width.
        if (line == row_bytes) {
            for (std::size_t done = row_bytes, total = row_bytes * kMagnify; done < total;) {
                const std::size_t piece = std::min(done, total - done);
                std::memcpy(first_line + done, first_line, piece);
                done += piece;
            }
            continue;
        }
        for (int k = 1; k < kMagnify; ++k) std::memcpy(first_line + std::size_t(k) * line, first_line, row_bytes);
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
    Show_Message(nullptr, QString::fromLatin1(caption), No_Memory_Text(), MB_OK, MB_ICON_EXCLAMATION);
    return false;
}

} // namespace

namespace {

// Bit i set for each pixel i of the row (w <= 64) with exactly the RGB colour target.
uint64_t Target_Bits(const QRgb* row, int w, QRgb target)
{
    uint64_t bits = 0;
    int i = 0;
#if defined(__SSE2__)
    const __m128i rgb = _mm_set1_epi32(0xffffff);
    const __m128i want = _mm_set1_epi32(int(target));
    for (; i + 4 <= w; i += 4) {
        const __m128i four = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i)), rgb);
        bits |= uint64_t(unsigned(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(four, want))))) << i;
    }
#endif
    for (; i < w; ++i) bits |= uint64_t((row[i] & 0xffffffu) == target) << i;
    return bits;
}

// Pixels left..right of the row take paint.
void Paint_Run(QRgb* row, int left, int right, QRgb paint)
{
    int i = left;
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(int(paint));
    for (; i + 4 <= right + 1; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), four);
#endif
    for (; i <= right; ++i) row[i] = paint;
}

// The run of set bits of mask that holds bit i (which is set).
uint64_t Run_Through(uint64_t mask, int i)
{
    // Ones from bit i upwards, and from bit i downwards.
    const uint64_t up = mask >> i;
    const int above = std::countr_one(up);
    const uint64_t down = mask << (63 - i);
    const int below = std::countl_one(down);
    const int low = i - below + 1;
    const int length = above + below - 1;
    return (length >= 64 ? ~uint64_t(0) : ((uint64_t(1) << length) - 1)) << low;
}

} // namespace

bool Pixel_Fill(QImage& cell, int x, int y, QRgb colour)
{
    const int w = cell.width();
    const int h = cell.height();
    if (x < 0 || y < 0 || x >= w || y >= h || w > kMaxFillWidth || h > kMaxFillHeight) return true;
    if (cell.format() != QImage::Format_RGB32) cell = To_Cell_Format(cell);

    // Every run of a row queues at most one seed for each stretch of the rows beside it, and
    // each pixel ends at most one stretch from above and one from below: 2 * w * h + 1 seeds in
    // all, so a queue of that many never wraps. The visited marks are one bit a pixel, a word
    // a row.
    const std::size_t most = 2 * std::size_t(w) * std::size_t(h) + 1;
    std::vector<uint8_t> queue_x, queue_y;
    std::vector<uint64_t> visited;
    if (!Allocate(queue_x, most)) return Fill_Failed("ERROR:Paint(1)");
    if (!Allocate(queue_y, most)) return Fill_Failed("ERROR:Paint(2)");
    if (!Allocation_Permitted()) return Fill_Failed("ERROR:Paint(3)");
    if (!Allocate(visited, std::size_t(h))) return Fill_Failed("ERROR:Paint(4)");

    auto* pixels = reinterpret_cast<QRgb*>(cell.bits());
    const std::size_t stride = std::size_t(cell.bytesPerLine()) / sizeof(QRgb);
    const QRgb target = pixels[std::size_t(y) * stride + std::size_t(x)] & 0xffffffu;
    const QRgb paint = colour | 0xff000000u;
    // The pixels of each row with exactly the target colour, found once: the fill itself then
    // works on whole rows of bits.
    std::array<uint64_t, kMaxFillHeight> target_bits{};
    for (int j = 0; j < h; ++j) target_bits[std::size_t(j)] = Target_Bits(pixels + std::size_t(j) * stride, w, target);
    std::size_t read = 0, write = 0;
    auto push = [&](int i, int j) {
        queue_x[write] = uint8_t(i);
        queue_y[write] = uint8_t(j);
        ++write;
    };
    // Each stretch of fillable pixels of row j within span gives one seed: its last pixel.
    auto scan = [&](uint64_t span, int j) {
        for (uint64_t open = target_bits[std::size_t(j)] & ~visited[std::size_t(j)] & span; open;) {
            const int first = std::countr_zero(open);
            const uint64_t stretch = Run_Through(open, first);
            push(63 - std::countl_zero(stretch), j);
            open &= ~stretch;
        }
    };

    push(x, y);
    while (read < write) {
        const int sx = queue_x[read];
        const int sy = queue_y[read];
        ++read;
        const uint64_t open = target_bits[std::size_t(sy)] & ~visited[std::size_t(sy)];
        if (!((open >> sx) & 1)) continue;
        const uint64_t run = Run_Through(open, sx);
        visited[std::size_t(sy)] |= run;
        const int left = std::countr_zero(run);
        const int right = 63 - std::countl_zero(run);
        Paint_Run(pixels + std::size_t(sy) * stride, left, right, paint);
        if (sy > 0) scan(run, sy - 1);
        if (sy < h - 1) scan(run, sy + 1);
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
