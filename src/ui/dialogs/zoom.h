#pragma once
// The displayed cell size of every map window (32, 24, 16 or 8 pixels) and the dialog
// "倍率設定" that chooses it.

namespace zol {

class Zol;

void Open_Zoom_Dialog(Zol& frame);
// Shows every map at cell size s, slot by slot; the top-left visible cell stays.
void Set_Zoom(Zol& frame, int s);

} // namespace zol
