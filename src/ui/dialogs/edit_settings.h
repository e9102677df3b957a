#pragma once
// The settings of the editing tools: the background cell of copy without background
// ("背景の設定") and the fill rate ("塗りつぶし率設定", with its switch commands 1042 and 1043).

namespace zol {

class Zol;

void Open_Background_Dialog(Zol& frame);
void Open_Fill_Rate_Dialog(Zol& frame);
// Closes the tool dialogs without applying them (choosing a tool does).
void Close_Tool_Dialogs(Zol& frame);

// Commands 1042 (on) and 1043 (off): the switch and its check marks; off sets the rate to 100.
void Fill_Rate_Command(Zol& frame, bool on);
// Puts the check mark on 1042 or 1043 as the switch stands.
void Update_Fill_Rate_Menu(Zol& frame);

} // namespace zol
