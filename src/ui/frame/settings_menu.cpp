// The settings menu's own commands: the fill-rate switch. The map size, zoom and palette colour
// commands open their dialogs.

#include "ui/frame/zol.h"

#include <QAction>

namespace zol {

void Update_Fill_Rate_Menu(Editor& editor)
{
    const bool on = editor.State().fill_rate.on;
    for (int id : {ID_FILL_RATE_ON, ID_FILL_RATE_OFF}) editor.Menu_Item(id)->setCheckable(true);
    editor.Menu_Item(ID_FILL_RATE_ON)->setChecked(on);
    editor.Menu_Item(ID_FILL_RATE_OFF)->setChecked(!on);
}

void Fill_Rate_Command(Editor& editor, bool on)
{
    FillRate& fill = editor.State().fill_rate;
    fill.on = on;
    if (!on) fill.rate = 100;
    Update_Fill_Rate_Menu(editor);
}

} // namespace zol
