#pragma once
// Changing a map's size: the top-left part stays, new cells are 0, links and events outside the
// new size go (the rest keep their order).

#include "core/map/edit_form.h"

namespace zol {

// Makes doc w x h (1..256 each). A larger grid is made before anything changes: when memory
// runs short ("ERROR:Set_Form_cb_ok_Click(1)") the map is left exactly as it was and false
// returned. A smaller map keeps its block, and the tables shrink where they are, so the rest
// cannot fail.
bool Resize_Map(edit_form& doc, int w, int h);

} // namespace zol
