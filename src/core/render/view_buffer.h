#pragma once
// The off-screen picture of a map window. It is a window into a larger pixel buffer, so a
// one-cell scroll moves the window and draws the one new row or column, instead of moving every
// pixel; only when the window reaches the buffer's edge is the picture copied back to the middle.

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

namespace zol {

class ViewBuffer {
public:
    // A white picture of w x h pixels.
    void Resize(int w, int h);
    void Clear();
    int width() const { return width_; }
    int height() const { return height_; }
    bool isNull() const { return width_ == 0 || height_ == 0; }
    // The picture as an image that shares the buffer's pixels (drawing on it draws on the
    // picture). The image keeps those pixels alive, so one still held after a Resize or Clear
    // (by a picture control about to repaint, say) shows stale pixels, never freed ones; after
    // a Move it shows the old view until the image is taken again.
    QImage Image();
    // Moves the picture's content by (dx, dy) pixels: content moves up for dy > 0 and left for
    // dx > 0 (the view scrolled down or right). The uncovered strip keeps stale pixels.
    void Move(int dx, int dy);

private:
    void Recentre();
    uint32_t* pixel(int buffer_row, int column) const
    {
        return pixels_.get() + std::size_t(buffer_row) * std::size_t(stride_) + std::size_t(column);
    }
    // Shared with every image handed out, so that no image outlives the pixels it shows.
    std::shared_ptr<uint32_t[]> pixels_;
    int width_ = 0, height_ = 0;       // the picture
    int stride_ = 0, rows_ = 0;        // the buffer, in pixels
    int left_ = 0, top_ = 0;           // the picture's place in the buffer
};

} // namespace zol
