#include "ui/dialogs/edit_settings.h"
#include "core/messages/texts.h"

#include "ui/dialogs/event_link_dialog.h"
#include "ui/dialogs/map_size_dialog.h"
#include "ui/dialogs/pattern_windows.h"

#include <QMainWindow>

namespace zol {

namespace {

struct ToolDialogs {
    winlib::SingleWindow<winlib::WNumberDialog> background;
    winlib::SingleWindow<winlib::WNumberDialog> fill_rate;
};

ToolDialogs& Dialogs(Editor& editor) { return editor.State().windows.Get<ToolDialogs>(); }

// CANCEL and the close box: the tool the dialog came with gives way to the one before it.
void Cancel_Tool(Editor& editor)
{
    const ToolState& tools = editor.State().tools;
    if (tools.previous != tools.current) Set_Tool(editor, tools.previous);
}

// Opens a number dialog in record: OK hands its value to apply and keeps the tool, CANCEL and
// the close box put the previous tool back.
void Open_Number_Dialog(Editor& editor, winlib::SingleWindow<winlib::WNumberDialog>& record,
                        const QString& title, const QString& label, int minimum, int maximum,
                        int value, int bar_width, int edit_width, std::function<void(int)> apply)
{
    QMainWindow* frame = &editor.Main_Window();
    winlib::WNumberDialog* dialog = record.Open(frame, [&] {
        return new winlib::WNumberDialog(frame, title, label, minimum, maximum, value, bar_width, edit_width);
    });
    winlib::Bind(dialog->ok, QStringLiteral("ClickEvent"), [&editor, &record, dialog, apply](QObject*, winlib::EventArgs&) {
        ToolState& tools = editor.State().tools;
        tools.previous = tools.current;
        apply(dialog->Value());
        record.Close();
    });
    winlib::Bind(dialog->cancel, QStringLiteral("ClickEvent"),
                 [dialog](QObject*, winlib::EventArgs&) { dialog->close(); });
    winlib::Bind(dialog, QStringLiteral("CloseEvent"), [&editor](QObject*, winlib::EventArgs&) { Cancel_Tool(editor); });
}

} // namespace

winlib::SingleWindow<winlib::WNumberDialog>& Background_Dialog(Editor& editor) { return Dialogs(editor).background; }

winlib::SingleWindow<winlib::WNumberDialog>& Fill_Rate_Dialog(Editor& editor) { return Dialogs(editor).fill_rate; }

void Open_Background_Dialog(Editor& editor)
{
    ProgramState& state = editor.State();
    Open_Number_Dialog(editor, Dialogs(editor).background, Text::tr("背景の設定"),
                       Text::tr("背景となるセルの番号"), 0, 63, state.background_cell, 100, 50,
                       [&state](int value) { state.background_cell = value; });
}

void Open_Fill_Rate_Dialog(Editor& editor)
{
    ProgramState& state = editor.State();
    Open_Number_Dialog(editor, Dialogs(editor).fill_rate, Text::tr("塗りつぶし率設定"), QString(), 1,
                       100, state.fill_rate.rate, 100, 50,
                       [&state](int value) { state.fill_rate.rate = value; });
}

void Close_Tool_Dialogs(Editor& editor)
{
    Dialogs(editor).background.Close();
    Dialogs(editor).fill_rate.Close();
    Map_Size_Window(editor).Close();
    Close_Pattern_Size_Dialog(editor);
    Close_Pattern_Maker(editor);
}

bool Editing_Suspended(Editor& editor)
{
    return Event_Link_Window(editor).Is_Open() || Dialogs(editor).fill_rate.Is_Open() ||
           Dialogs(editor).background.Is_Open() || Map_Size_Window(editor).Is_Open() ||
           Pattern_Size_Window(editor).Is_Open() || Pattern_Maker(editor).window.Is_Open();
}

} // namespace zol
