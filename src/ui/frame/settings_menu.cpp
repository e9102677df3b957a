// The settings menu's own commands: the fill-rate switch. The map size, zoom and palette colour
// commands open their dialogs.

#include "core/exchange/configuration.h"
#include "ui/frame/zol.h"

#include <QAction>
#include <QMainWindow>

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
    Write_Settings(editor);
}

void Write_Settings(Editor& editor)
{
    const ProgramState& state = editor.State();
    if (state.config_path.isEmpty()) return;
    Settings settings;
    settings.fill_rate_on = state.fill_rate.on;
    settings.colours = state.palette_colours;
    QString why;
    if (!Write_Config(state.config_path, settings, &why)) qWarning("zol: %s", qUtf8Printable(why));
}

void Follow_Settings(Editor& editor)
{
    QObject::connect(&editor.Hub(), &Changes::coloursChanged, &editor.Main_Window(), [&editor] { Write_Settings(editor); });
}

} // namespace zol
