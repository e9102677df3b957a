#include "core/map/grid.h"

#include "core/map/allocation.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace zol {

namespace {

constexpr std::size_t kAlignment = 64;

uint8_t* Aligned_Block(std::size_t bytes)
{
    const std::size_t rounded = (std::max<std::size_t>(bytes, 1) + kAlignment - 1) / kAlignment * kAlignment;
    return static_cast<uint8_t*>(std::aligned_alloc(kAlignment, rounded));
}

} // namespace

void Grid::Free::operator()(uint8_t* p) const { std::free(p); }

Grid::Grid(const Grid& other)
{
    if (other.empty()) return;
    data_.reset(Aligned_Block(other.size()));
    if (!data_) throw std::bad_alloc();
    width_ = other.width_;
    height_ = other.height_;
    std::memcpy(data_.get(), other.data_.get(), size());
}

Grid& Grid::operator=(const Grid& other)
{
    if (this != &other) Grid(other).swap(*this);
    return *this;
}

bool Grid::Allocate_Uninitialized(int w, int h)
{
    clear();
    if (w <= 0 || h <= 0 || !Allocation_Permitted()) return false;
    data_.reset(Aligned_Block(std::size_t(w) * std::size_t(h)));
    if (!data_) return false;
    width_ = w;
    height_ = h;
    return true;
}

bool Grid::Allocate(int w, int h, uint8_t fill)
{
    if (!Allocate_Uninitialized(w, h)) return false;
    std::memset(data_.get(), fill, size());
    return true;
}

void Grid::clear()
{
    data_.reset();
    width_ = height_ = 0;
}

void Grid::Shrink(int w, int h)
{
    if (w > width_ || h > height_ || w <= 0 || h <= 0) return;
    // Column x moves from x * height_ to x * h, never past a column still to be read.
    for (int x = 1; x < w; ++x)
        std::memmove(data_.get() + std::size_t(x) * std::size_t(h),
                     data_.get() + std::size_t(x) * std::size_t(height_), std::size_t(h));
    width_ = w;
    height_ = h;
}

void Grid::swap(Grid& other) noexcept
{
    data_.swap(other.data_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
}

bool Grid::operator==(const Grid& other) const
{
    return width_ == other.width_ && height_ == other.height_ &&
           (empty() || std::memcmp(data_.get(), other.data_.get(), size()) == 0);
}

} // namespace zol
