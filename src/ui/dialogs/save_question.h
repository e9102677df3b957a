#pragma once
// The one question asked before unsaved work could be lost: "…を保存しますか？" with Yes, No and
// Cancel. Yes saves through the save-as dialog; a save that is cancelled or fails counts as
// Cancel, so nothing unsaved is ever dropped after a Yes.

#include <QString>

namespace zol {

class Zol;

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
SaveOutcome Settle_Map(Zol& frame, int slot, SaveQuestion question);
// Asks about the cell palette when it exists and has unsaved changes.
SaveOutcome Settle_Palette(Zol& frame, SaveQuestion question);

} // namespace zol
