#pragma once
// The event, flag and link lists ("イベント一覧", "フラグ一覧", "リンク一覧"): a chooser of the
// open maps and a list box of what the chosen map holds; a double click opens the editor.

namespace zol {

class Zol;

enum class ListKind { Events = 0, Flags = 1, Links = 2 };

// Commands 1015, 1016, 1017: open the list when it is not open.
void List_Command(Zol& frame, ListKind kind);
// Rebuilds the list's chooser from the open maps, chooses entry 0 and fills it.
void Refresh_List(Zol& frame, ListKind kind);
// Refills the list for its chosen map.
void Fill_List(Zol& frame, ListKind kind);
// Refills every list that shows slot's map (after its events, links or flags changed).
void Refresh_Lists_Of(Zol& frame, int slot);
// Rebuilds every list's chooser (a map opened, closed or renamed).
void Refresh_All_Lists(Zol& frame);

} // namespace zol
