#pragma once
// The map size dialog ("<name>の設定"), command 1038 on the active map.

namespace zol {

class Zol;

// Command 1038: the dialog for the active map, or a message when no map window is active.
void Map_Size_Command(Zol& frame);
void Open_Map_Size_Dialog(Zol& frame, int slot);

} // namespace zol
