#include "display/view_buffer.h"

#include <cstring>

namespace zol {

void ViewBuffer::Resize(int w, int h)
{
    width_ = std::max(0, w);
    height_ = std::max(0, h);
    // Room for half a picture of movement each way before a copy is needed.
    stride_ = width_ * 2;
    rows_ = height_ * 2;
    left_ = (stride_ - width_) / 2;
    top_ = (rows_ - height_) / 2;
    pixels_.assign(std::size_t(stride_) * std::size_t(rows_), 0xffffffffu);
}

void ViewBuffer::Clear()
{
    std::vector<uint32_t>().swap(pixels_);
    width_ = height_ = stride_ = rows_ = left_ = top_ = 0;
}

QImage ViewBuffer::Image()
{
    if (isNull()) return QImage();
    uchar* origin = reinterpret_cast<uchar*>(pixels_.data() + std::size_t(top_) * stride_ + left_);
    return QImage(origin, width_, height_, qsizetype(stride_) * 4, QImage::Format_RGB32);
}

void ViewBuffer::Recentre()
{
    const int left = (stride_ - width_) / 2;
    const int top = (rows_ - height_) / 2;
    if (left == left_ && top == top_) return;
    auto row = [this](int buffer_row, int column) { return pixels_.data() + std::size_t(buffer_row) * stride_ + column; };
    const std::size_t bytes = std::size_t(width_) * 4;
    // Copy in the order that never overwrites rows still to be read.
    if (top <= top_) {
        for (int y = 0; y < height_; ++y) std::memmove(row(top + y, left), row(top_ + y, left_), bytes);
    } else {
        for (int y = height_ - 1; y >= 0; --y) std::memmove(row(top + y, left), row(top_ + y, left_), bytes);
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
