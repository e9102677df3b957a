#pragma once
// The event, flag and link lists ("イベント一覧", "フラグ一覧", "リンク一覧"): a chooser of the
// open maps and a list box of what the chosen map holds; a double click opens the editor.

#include "ui/editor/editor.h"
#include "ui/winlib/winlib.h"

#include <QPointer>

#include <vector>

namespace zol {

enum class ListKind { Events = 0, Flags = 1, Links = 2 };

// One of the event, flag and link lists.
struct ListControls {
    QPointer<FormChild> window;
    winlib::WComboBox* chooser = nullptr;
    winlib::WListBox* list = nullptr;
    std::vector<int> entry_slots;
};
ListControls& List_Controls(Editor& editor, ListKind kind);

// Commands 1015, 1016, 1017: open the list when it is not open.
void List_Command(Editor& editor, ListKind kind);
// Rebuilds the list's chooser from the open maps, chooses entry 0 and fills it.
void Refresh_List(Editor& editor, ListKind kind);
// Refills the list for its chosen map.
void Fill_List(Editor& editor, ListKind kind);

} // namespace zol
