#pragma once
// A map's cell bytes in one block, column by column as the map file stores them: cell (x, y) is
// byte x * height + y. The block starts on a 64-byte boundary, so copies between grids (saving,
// the undo ring) run at full speed wherever the allocator places them.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zol {

class Grid {
public:
    Grid() = default;
    Grid(const Grid& other);
    Grid& operator=(const Grid& other);
    Grid(Grid&& other) noexcept { swap(other); }
    Grid& operator=(Grid&& other) noexcept
    {
        Grid(std::move(other)).swap(*this);
        return *this;
    }

    // Makes a w x h grid with every byte fill; false (the grid left empty) when memory cannot be
    // had. Counted by the allocation gate (documents/allocation.h).
    bool Allocate(int w, int h, uint8_t fill = 0);
    // The same without filling, for callers that write every byte at once.
    bool Allocate_Uninitialized(int w, int h);
    void clear();
    void swap(Grid& other) noexcept;
    // Keeps the top-left w x h cells (w and h no larger than now) in the same block.
    void Shrink(int w, int h);

    bool empty() const { return !data_; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::size_t size() const { return std::size_t(width_) * std::size_t(height_); }
    uint8_t* data() { return data_.get(); }
    const uint8_t* data() const { return data_.get(); }
    uint8_t* column(int x) { return data_.get() + std::size_t(x) * std::size_t(height_); }
    const uint8_t* column(int x) const { return data_.get() + std::size_t(x) * std::size_t(height_); }
    uint8_t& operator()(int x, int y) { return column(x)[y]; }
    uint8_t operator()(int x, int y) const { return column(x)[y]; }
    bool operator==(const Grid& other) const;

private:
    struct Free {
        void operator()(uint8_t* p) const;
    };
    std::unique_ptr<uint8_t[], Free> data_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace zol
