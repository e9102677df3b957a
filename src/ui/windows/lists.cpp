#include "ui/windows/lists.h"

#include "core/render/whole_map.h"
#include "ui/dialogs/event_link_dialog.h"
#include "core/map/file_path.h"
#include "ui/frame/zol.h"
#include "ui/dialogs/load_bitmap_form.h"

namespace zol {

namespace {

struct ListInfo {
    const char* caption;
    int command;
};
const ListInfo kLists[] = {
    {"イベント一覧", ID_EVENT_LIST},
    {"フラグ一覧", ID_FLAG_LIST},
    {"リンク一覧", ID_LINK_LIST},
};

ListControls& Controls(Zol& frame, ListKind kind) { return frame.State().lists[std::size_t(kind)]; }

// The slot of the list's chosen map, or -1.
int Chosen_Slot(Zol& frame, ListKind kind)
{
    const ListControls& list = Controls(frame, kind);
    if (!list.window) return -1;
    const int entry = list.chooser->currentIndex();
    if (entry < 0 || entry >= int(list.entry_slots.size())) return -1;
    const int slot = list.entry_slots[std::size_t(entry)];
    return frame.Map_Window(slot) ? slot : -1;
}

QStringList Lines(Zol& frame, ListKind kind, const edit_form& doc)
{
    QStringList lines;
    switch (kind) {
    case ListKind::Events:
        for (std::size_t i = 0; i < std::size_t(doc.events.count()); ++i)
            lines << Event_Line(doc.events.x[i], doc.events.y[i], doc.events.number[i]);
        break;
    case ListKind::Flags:
        if (!frame.State().palette.exists) break;
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

void Double_Click(Zol& frame, ListKind kind)
{
    const int slot = Chosen_Slot(frame, kind);
    const int line = Controls(frame, kind).list->Current_Row();
    if (slot < 0 || line < 0) return;
    if (kind == ListKind::Flags) {
        // The line is the cell number: the cell loading window for it, on the list's map.
        if (!frame.State().palette_window.window || line >= kCellCount) return;
        Open_Load_Bitmap_Form(frame, line);
        Select_Loader_Map(frame, slot);
        return;
    }
    const edit_form& doc = frame.Documents()[slot];
    const std::size_t i = std::size_t(line);
    if (kind == ListKind::Events && line < doc.events.count())
        Open_Event_Link(frame, slot, doc.events.x[i], doc.events.y[i]);
    else if (kind == ListKind::Links && line < doc.links.count())
        Open_Event_Link(frame, slot, doc.links.x[i], doc.links.y[i]);
}

} // namespace

void Fill_List(Zol& frame, ListKind kind)
{
    ListControls& list = Controls(frame, kind);
    if (!list.window) return;
    const int slot = Chosen_Slot(frame, kind);
    list.list->Set_Lines(slot < 0 ? QStringList() : Lines(frame, kind, frame.Documents()[slot]));
}

void Refresh_List(Zol& frame, ListKind kind)
{
    ListControls& list = Controls(frame, kind);
    if (!list.window) return;
    list.chooser->clear();
    list.entry_slots.clear();
    for (int s = 0; s < kMaxDocuments; ++s) {
        if (!frame.Map_Window(s)) continue;
        list.chooser->addItem(Path_Name_Part(frame.Documents()[s].file_path));
        list.entry_slots.push_back(s);
    }
    list.chooser->setCurrentIndex(list.entry_slots.empty() ? -1 : 0);
    Fill_List(frame, kind);
}

void Refresh_Lists_Of(Zol& frame, int slot)
{
    for (ListKind kind : {ListKind::Events, ListKind::Flags, ListKind::Links})
        if (Chosen_Slot(frame, kind) == slot) Fill_List(frame, kind);
}

void Refresh_All_Lists(Zol& frame)
{
    for (ListKind kind : {ListKind::Events, ListKind::Flags, ListKind::Links}) Refresh_List(frame, kind);
}

void List_Command(Zol& frame, ListKind kind)
{
    ListControls& list = Controls(frame, kind);
    const ListInfo& info = kLists[int(kind)];
    QAction* item = frame.Menu_Item(info.command);
    item->setCheckable(true);
    item->setChecked(true); // a click on the checked item would uncheck it
    if (list.window) return;
    auto* window = new FormChild;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window->setWindowTitle(QString::fromUtf8(info.caption));
    frame.Client()->addSubWindow(window);
    list.window = window;
    QWidget* content = window->Content();
    list.chooser = new winlib::WComboBox(content);
    list.chooser->setGeometry(5, 5, 250, list.chooser->sizeHint().height());
    list.list = new winlib::WListBox(content);
    list.list->setGeometry(5, list.chooser->geometry().bottom() + 1, 250, 200);
    window->Set_Content_Size(265, list.list->geometry().bottom() + 6);
    winlib::Place_At_Pointer(window, &frame);
    winlib::Bind(list.chooser, QStringLiteral("SelectEvent"), [&frame, kind](QObject*, winlib::EventArgs&) { Fill_List(frame, kind); });
    for (const char* name : {"LeftButtonDoubleEvent", "RightButtonDoubleEvent"})
        winlib::Bind(list.list, QString::fromLatin1(name), [&frame, kind](QObject*, winlib::EventArgs&) { Double_Click(frame, kind); });
    winlib::Bind(window, QStringLiteral("DestroyEvent"), [&frame, kind, item](QObject*, winlib::EventArgs&) {
        Controls(frame, kind) = ListControls{};
        item->setChecked(false);
    });
    window->show();
    Refresh_List(frame, kind);
}

} // namespace zol
