#pragma once
// The dialog "パレット色設定": the 64 colours the whole-map view draws cells with.

namespace zol {

class Zol;

void Open_Palette_Colour_Dialog(Zol& frame);

} // namespace zol
