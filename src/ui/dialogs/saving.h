#pragma once
// Saving maps and the palette through the save dialog, and the one question asked before
// unsaved work could be lost: "…を保存しますか？" with Yes, No and Cancel. Yes saves through the
// save-as dialog; a save that is cancelled or fails counts as Cancel, so nothing unsaved is ever
// dropped after a Yes.

#include "ui/editor/editor.h"

#include <QString>
#include <QStringList>

namespace zol {

// The file dialogs' filters for maps and for bitmaps.
QStringList Map_Filters();
QStringList Bitmap_Filters();
// Where the palette's file dialogs start: its own folder, else where the file dialogs start.
QString Palette_Directory(Editor& editor);

// Writes slot's map to its file (with its flag file); false, after the message, when it could not.
bool Save_Map(Editor& editor, int slot);
// Asks for a file name and writes the map there; a cancelled or failed save leaves the map's
// name and path as they were.
bool Save_Map_As(Editor& editor, int slot);
bool Save_Cell_Palette(Editor& editor);
bool Save_Cell_Palette_As(Editor& editor);

// Where the question comes from; each asks in its own words.
enum class SaveQuestion {
    Exit,        // the exit command: caption "確認", the name without extension
    FrameClose,  // closing the main frame: "閉じる前に", the file name with extension
    WindowClose, // closing a map window: "閉じる前に…", the file name with extension
    Replace,     // a palette about to be replaced: "確認", the name without extension
};

enum class SaveOutcome {
    Unchanged, // nothing unsaved: nothing asked
    Saved,     // Yes, and the save went through
    Declined,  // No: the caller drops the work
    Cancelled, // Cancel, or Yes whose save did not happen: the caller stops
};

// Asks about the map of slot when it has a window and unsaved changes.
SaveOutcome Settle_Map(Editor& editor, int slot, SaveQuestion question);
// Asks about the cell palette when it exists and has unsaved changes.
SaveOutcome Settle_Palette(Editor& editor, SaveQuestion question);
// Before a palette with unsaved changes is replaced: asks whether to save it. False when the
// replacement must stop (Cancel, or the save did not happen).
bool Settle_Unsaved_Palette(Editor& editor);

} // namespace zol
