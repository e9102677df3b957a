#pragma once
// The menu's command ids, which the menu, the toolbar and the tests name, and the tool each tool
// command chooses.

#include <QString>

namespace zol {

enum CommandId {
    ID_NEW_MAP = 1001, ID_OPEN_MAP = 1002, ID_SAVE_MAP = 1004, ID_SAVE_MAP_AS = 1005,
    ID_NEW_PALETTE = 1007, ID_OPEN_PALETTE = 1008, ID_SAVE_PALETTE = 1010,
    ID_SAVE_PALETTE_AS = 1011, ID_EXIT = 1013,
    ID_EVENT_LIST = 1015, ID_FLAG_LIST = 1016, ID_LINK_LIST = 1017, ID_WHOLE_MAP = 1018,
    ID_TOOLBAR = 1019, ID_UNDO = 1021, ID_CUT = 1023, ID_COPY = 1025, ID_COPY_BACKGROUND = 1026,
    ID_PASTE = 1027, ID_PEN = 1029, ID_RECT_FILL = 1031, ID_RECT_EDGES = 1032,
    ID_FLOOD_FILL = 1033, ID_PATTERN_RECT = 1035, ID_PATTERN_FILL = 1036, ID_MAP_SIZE = 1038,
    ID_ZOOM = 1039, ID_PALETTE_COLOURS = 1040, ID_FILL_RATE_ON = 1042, ID_FILL_RATE_OFF = 1043,
    ID_EXPORT = 1044, ID_IMPORT = 1045, ID_REDO = 1046, ID_LANGUAGE_JA = 1047, ID_LANGUAGE_EN = 1048,
};

// The menu command that chooses tool (ID_PEN ...), and the hint it writes on the status line.
int Tool_Command_Id(int tool);
QString Tool_Hint(int tool);

} // namespace zol
