#include "core/editing/pattern.h"

#include "core/map/allocation.h"
#include "core/messages/show_message.h"

#include <algorithm>

namespace zol {

namespace {

bool Fail(Pattern& pattern, const char* caption)
{
    Discard_Pattern(pattern);
    Show_Message(nullptr, QString::fromLatin1(caption), No_Memory_Text(), MB_OK, MB_ICON_EXCLAMATION);
    return false;
}

} // namespace

bool Make_Pattern(Pattern& pattern, int width, int height)
{
    Discard_Pattern(pattern);
    width = std::clamp(width, 1, Pattern::kMaxSide);
    height = std::clamp(height, 1, Pattern::kMaxSide);
    // The cells are one block; the two gates stand for its table of columns and its columns.
    if (!Allocation_Permitted()) return Fail(pattern, "ERROR:Pattern(1)");
    if (!Allocate(pattern.cells, std::size_t(width * height), uint8_t(0))) return Fail(pattern, "ERROR:Pattern(2)");
    pattern.width = width;
    pattern.height = height;
    return true;
}

void Discard_Pattern(Pattern& pattern)
{
    pattern.width = 0;
    pattern.height = 0;
    pattern.cells.clear();
    pattern.cells.shrink_to_fit();
}

} // namespace zol
