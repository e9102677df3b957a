#include "ui/windows/lists.h"

#include "core/messages/texts.h"
#include "core/render/whole_map.h"
#include "ui/dialogs/event_link_dialog.h"
#include "ui/dialogs/load_bitmap_form.h"
#include "ui/windows/cell_palette_window.h"
#include "ui/windows/map_view.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>

#include <array>

namespace zol {

namespace {

struct ListInfo {
    const char* caption;
    int command;
};
const ListInfo kLists[] = {
    {QT_TRANSLATE_NOOP("Zol", "イベント一覧"), ID_EVENT_LIST},
    {QT_TRANSLATE_NOOP("Zol", "フラグ一覧"), ID_FLAG_LIST},
    {QT_TRANSLATE_NOOP("Zol", "リンク一覧"), ID_LINK_LIST},
};

ListControls& Controls(Editor& editor, ListKind kind)
{
    return editor.State().windows.Get<std::array<ListControls, 3>>()[std::size_t(kind)];
}

// The slot of the list's chosen map, or -1.
int Chosen_Slot(Editor& editor, ListKind kind)
{
    const ListControls& list = Controls(editor, kind);
    if (!list.window) return -1;
    const int entry = list.chooser->currentIndex();
    if (entry < 0 || entry >= int(list.entry_slots.size())) return -1;
    const int slot = list.entry_slots[std::size_t(entry)];
    return editor.Map_Window(slot) ? slot : -1;
}

QStringList Lines(Editor& editor, ListKind kind, const edit_form& doc)
{
    QStringList lines;
    switch (kind) {
    case ListKind::Events:
        for (std::size_t i = 0; i < std::size_t(doc.events.count()); ++i)
            lines << Event_Line(doc.events.x[i], doc.events.y[i], doc.events.number[i]);
        break;
    case ListKind::Flags:
        if (!editor.State().palette.exists) break;
        for (int n = 0; n < kCellCount; ++n)
            lines << Flag_Line(n, doc.flags.size() == kCellCount ? doc.flags[std::size_t(n)] : 0);
        break;
    case ListKind::Links:
        for (std::size_t i = 0; i < std::size_t(doc.links.count()); ++i)
            lines << Link_Line(doc.links.x[i], doc.links.y[i], doc.links.target_map[i], doc.links.target_x[i],
                               doc.links.target_y[i]);
        break;
    }
    return lines;
}

void Double_Click(Editor& editor, ListKind kind)
{
    const int slot = Chosen_Slot(editor, kind);
    const int line = Controls(editor, kind).list->Current_Row();
    if (slot < 0 || line < 0) return;
    if (kind == ListKind::Flags) {
        // The line is the cell number: the cell loading window for it, on the list's map.
        if (!Palette_Window(editor) || line >= kCellCount) return;
        Open_Load_Bitmap_Form(editor, line);
        Select_Loader_Map(editor, slot);
        return;
    }
    const edit_form& doc = editor.Documents()[slot];
    const std::size_t i = std::size_t(line);
    if (kind == ListKind::Events && line < doc.events.count())
        Open_Event_Link(editor, slot, doc.events.x[i], doc.events.y[i], Map_Controls(editor, slot).picture);
    else if (kind == ListKind::Links && line < doc.links.count())
        Open_Event_Link(editor, slot, doc.links.x[i], doc.links.y[i], Map_Controls(editor, slot).picture);
}

} // namespace

ListControls& List_Controls(Editor& editor, ListKind kind) { return Controls(editor, kind); }

void Fill_List(Editor& editor, ListKind kind)
{
    ListControls& list = Controls(editor, kind);
    if (!list.window) return;
    const int slot = Chosen_Slot(editor, kind);
    list.list->Set_Lines(slot < 0 ? QStringList() : Lines(editor, kind, editor.Documents()[slot]));
}

void Refresh_List(Editor& editor, ListKind kind)
{
    ListControls& list = Controls(editor, kind);
    if (!list.window) return;
    Fill_Open_Maps_Chooser(editor, list.chooser, list.entry_slots);
    Fill_List(editor, kind);
}

void List_Command(Editor& editor, ListKind kind)
{
    ListControls& list = Controls(editor, kind);
    const ListInfo& info = kLists[int(kind)];
    QAction* item = editor.Menu_Item(info.command);
    item->setCheckable(true);
    item->setChecked(true); // a click on the checked item would uncheck it
    if (list.window) return;
    auto* window = new FormChild;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window->setWindowTitle(Translated(info.caption));
    editor.Client()->addSubWindow(window);
    list.window = window;
    QWidget* content = window->Content();
    list.chooser = new winlib::WComboBox(content);
    list.chooser->setGeometry(5, 5, 250, list.chooser->sizeHint().height());
    list.list = new winlib::WListBox(content);
    list.list->setGeometry(5, list.chooser->geometry().bottom() + 1, 250, 200);
    window->Set_Content_Size(265, list.list->geometry().bottom() + 6);
    winlib::Place_At_Pointer(window, &editor.Main_Window());
    winlib::Bind(list.chooser, QStringLiteral("SelectEvent"), [&editor, kind](QObject*, winlib::EventArgs&) { Fill_List(editor, kind); });
    for (const char* name : {"LeftButtonDoubleEvent", "RightButtonDoubleEvent"})
        winlib::Bind(list.list, QString::fromLatin1(name), [&editor, kind](QObject*, winlib::EventArgs&) { Double_Click(editor, kind); });
    winlib::Bind(window, QStringLiteral("DestroyEvent"), [&editor, kind, item](QObject*, winlib::EventArgs&) {
        Controls(editor, kind) = ListControls{};
        item->setChecked(false);
    });
    // The list shows what is announced of the map it shows.
    Changes& hub = editor.Hub();
    const auto refill = [&editor, kind](int slot) {
        if (Chosen_Slot(editor, kind) == slot) Fill_List(editor, kind);
    };
    QObject::connect(&hub, kind == ListKind::Flags ? &Changes::flagsChanged : &Changes::tablesChanged, window, refill);
    QObject::connect(&hub, &Changes::mapChanged, window, refill);
    QObject::connect(&hub, &Changes::mapsChanged, window, [&editor, kind] { Refresh_List(editor, kind); });
    QObject::connect(&hub, &Changes::languageChanged, window, [&editor, kind, window] {
        window->setWindowTitle(Translated(kLists[int(kind)].caption));
        Fill_List(editor, kind);
    });
    window->show();
    Refresh_List(editor, kind);
}

} // namespace zol
