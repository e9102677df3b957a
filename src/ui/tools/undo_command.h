#pragma once
// The undo command (元に戻す): steps the active map back, or the active cell palette's last
// cell picture, and keeps the command grayed while there is nothing to undo.

namespace zol {

class Zol;

void Undo_Command(Zol& frame);
// Enables the command while the active map has a step, or the palette a picture, to go back to.
void Update_Undo_Command(Zol& frame);

} // namespace zol
