#pragma once
// The 64 colours the whole-map view draws cell numbers with, one per number.

#include <QRgb>

#include <array>

namespace zol {

using PaletteColours = std::array<QRgb, 64>;

// Entry i: red (i mod 4) * 64 + 63, green ((i div 4) mod 4) * 64 + 63, blue
// ((i div 16) mod 4) * 64 + 63.
QRgb Default_Palette_Colour(int i);
PaletteColours Default_Palette_Colours();

} // namespace zol
