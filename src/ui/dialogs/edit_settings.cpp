#include "ui/dialogs/edit_settings.h"

#include "ui/tools/tools.h"
#include "ui/frame/zol.h"
#include "ui/dialogs/pattern_windows.h"

namespace zol {

namespace {

// CANCEL and the close box: the tool the dialog came with gives way to the one before it.
void Cancel_Tool(Zol& frame)
{
    const ToolState& tools = frame.State().tools;
    if (tools.previous != tools.current) Set_Tool(frame, tools.previous);
}

// Opens a number dialog in record: OK hands its value to apply and keeps the tool, CANCEL and
// the close box put the previous tool back.
void Open_Number_Dialog(Zol& frame, winlib::SingleWindow<winlib::WNumberDialog>& record,
                        const QString& title, const QString& label, int minimum, int maximum,
                        int value, int bar_width, int edit_width, std::function<void(int)> apply)
{
    winlib::WNumberDialog* dialog = record.Open(&frame, [&] {
        return new winlib::WNumberDialog(&frame, title, label, minimum, maximum, value, bar_width, edit_width);
    });
    winlib::Bind(dialog->ok, QStringLiteral("ClickEvent"), [&frame, &record, dialog, apply](QObject*, winlib::EventArgs&) {
        ToolState& tools = frame.State().tools;
        tools.previous = tools.current;
        apply(dialog->Value());
        record.Close();
    });
    winlib::Bind(dialog->cancel, QStringLiteral("ClickEvent"),
                 [dialog](QObject*, winlib::EventArgs&) { dialog->close(); });
    winlib::Bind(dialog, QStringLiteral("CloseEvent"), [&frame](QObject*, winlib::EventArgs&) { Cancel_Tool(frame); });
}

} // namespace

void Open_Background_Dialog(Zol& frame)
{
    ProgramState& state = frame.State();
    Open_Number_Dialog(frame, state.background_dialog, QStringLiteral("背景の設定"),
                       QStringLiteral("背景となるセルの番号"), 0, 63, state.background_cell, 100, 50,
                       [&state](int value) { state.background_cell = value; });
}

void Open_Fill_Rate_Dialog(Zol& frame)
{
    ProgramState& state = frame.State();
    Open_Number_Dialog(frame, state.fill_rate_dialog, QStringLiteral("塗りつぶし率設定"), QString(), 1,
                       100, state.fill_rate.rate, 100, 50,
                       [&state](int value) { state.fill_rate.rate = value; });
}

void Close_Tool_Dialogs(Zol& frame)
{
    frame.State().background_dialog.Close();
    frame.State().fill_rate_dialog.Close();
    frame.State().map_size_dialog.Close();
    Close_Pattern_Size_Dialog(frame);
    Close_Pattern_Maker(frame);
}

void Update_Fill_Rate_Menu(Zol& frame)
{
    const bool on = frame.State().fill_rate.on;
    for (int id : {ID_FILL_RATE_ON, ID_FILL_RATE_OFF}) frame.Menu_Item(id)->setCheckable(true);
    frame.Menu_Item(ID_FILL_RATE_ON)->setChecked(on);
    frame.Menu_Item(ID_FILL_RATE_OFF)->setChecked(!on);
}

void Fill_Rate_Command(Zol& frame, bool on)
{
    FillRate& fill = frame.State().fill_rate;
    fill.on = on;
    if (!on) fill.rate = 100;
    Update_Fill_Rate_Menu(frame);
}

} // namespace zol
