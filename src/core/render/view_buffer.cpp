#include "core/render/view_buffer.h"

#include "core/render/large_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zol {

void ViewBuffer::Resize(int w, int h)
{
    width_ = std::max(0, w);
    height_ = std::max(0, h);
    // Room for half a picture of movement each way before a copy is needed. A buffer that
    // already has that room is kept (a zoom or a resize step rarely grows the picture much).
    if (!pixels_ || stride_ < width_ * 2 || rows_ < height_ * 2 ||
        std::size_t(stride_) * std::size_t(rows_) > std::size_t(width_) * std::size_t(height_) * 16) {
        stride_ = width_ * 2;
        rows_ = height_ * 2;
        // Taken whole from the system, so that its pages come in few faults.
        LargeBuffer<uint32_t> pixels = Allocate_Large<uint32_t>(std::size_t(stride_) * std::size_t(rows_));
        if (!pixels) throw std::bad_alloc();
        const LargeBufferRelease release = pixels.get_deleter();
        pixels_ = std::shared_ptr<uint32_t[]>(pixels.release(), release);
    }
    left_ = (stride_ - width_) / 2;
    top_ = (rows_ - height_) / 2;
    // Only the picture starts white; the margins are drawn before they are ever shown.
    for (int y = 0; y < height_; ++y) std::fill_n(pixel(top_ + y, left_), width_, 0xffffffffu);
}

void ViewBuffer::Clear()
{
    pixels_.reset();
    width_ = height_ = stride_ = rows_ = left_ = top_ = 0;
}

QImage ViewBuffer::Image()
{
    if (isNull()) return QImage();
    uchar* origin = reinterpret_cast<uchar*>(pixel(top_, left_));
    // The image holds its own reference to the pixels and lets it go when it is destroyed.
    auto* keep = new std::shared_ptr<uint32_t[]>(pixels_);
    return QImage(
        origin, width_, height_, qsizetype(stride_) * 4, QImage::Format_RGB32,
        [](void* held) { delete static_cast<std::shared_ptr<uint32_t[]>*>(held); }, keep);
}

void ViewBuffer::Recentre()
{
    const int left = (stride_ - width_) / 2;
    const int top = (rows_ - height_) / 2;
    if (left == left_ && top == top_) return;
    const std::size_t bytes = std::size_t(width_) * 4;
    // Copy in the order that never overwrites rows still to be read.
    if (top <= top_) {
        for (int y = 0; y < height_; ++y) std::memmove(pixel(top + y, left), pixel(top_ + y, left_), bytes);
    } else {
        for (int y = height_ - 1; y >= 0; --y) std::memmove(pixel(top + y, left), pixel(top_ + y, left_), bytes);
    }
    left_ = left;
    top_ = top;
}

void ViewBuffer::Move(int dx, int dy)
{
    if (isNull()) return;
    if (left_ + dx < 0 || left_ + dx + width_ > stride_ || top_ + dy < 0 || top_ + dy + height_ > rows_)
        Recentre();
    if (left_ + dx < 0 || left_ + dx + width_ > stride_ || top_ + dy < 0 || top_ + dy + height_ > rows_) {
        // A move larger than the margin: nothing of the old picture stays in view.
        return;
    }
    left_ += dx;
    top_ += dy;
}

} // namespace zol
