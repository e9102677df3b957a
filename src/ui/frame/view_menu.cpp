// The view menu's own command: the toolbar. The lists and the whole-map view open their windows.

#include "ui/frame/zol.h"
#include "ui/windows/toolbar.h"

#include <QAction>

namespace zol {

void Toolbar_Command(Editor& editor)
{
    if (!Toolbar_Controls(editor).toolbar) Build_Toolbar(editor);
    editor.Menu_Item(ID_TOOLBAR)->setChecked(true); // a click on a checked item unchecks it
}

} // namespace zol
