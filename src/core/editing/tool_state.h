#pragma once
// Which of the ten tools the mouse edits with, and the anchors of a drag. One set for the whole
// program: an anchor set by a press in one map may be read by a release in another.

namespace zol {

enum Tool {
    kPen = 0,
    kRectangleFill = 1,
    kRectangleEdges = 2,
    kFloodFill = 3,
    kCut = 4,
    kCopy = 5,
    kPaste = 6,
    kCopyWithoutBackground = 7,
    kPatternRectangle = 8,
    kPatternFill = 9,
};
constexpr int kToolCount = 10;

struct ToolState {
    int current = kPen;
    int previous = kPen;   // the tool before the last tool command
    int anchor_x = 0;      // the rectangle tools' press, in cells (may lie outside a map)
    int anchor_y = 0;
    int selection_x = 0;   // the cut and copy tools' press
    int selection_y = 0;
};

} // namespace zol
