#pragma once
// Changing a map's size: the top-left part stays, new cells are 0, links and events outside the
// new size go (the rest keep their order).

#include "documents/edit_form.h"

namespace zol {

// Makes doc w x h (1..256 each). Everything is built before anything is installed: on a memory
// shortage ("ERROR:Set_Form_cb_ok_Click(1)" for the grid, "ERROR:Flag_Set_cb_ok_Click(11)" to
// "(15)" for the link columns, "(4)" to "(6)" for the event columns) the map is left exactly as
// it was and false returned.
bool Resize_Map(edit_form& doc, int w, int h);

} // namespace zol
