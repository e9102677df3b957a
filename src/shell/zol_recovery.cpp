// Recovery copies of modified maps and of a modified palette, and the offer to restore the
// copies of an editor that died.

#include "display/cell_palette_window.h"
#include "display/lists.h"
#include "display/map_view.h"
#include "display/map_viewer.h"
#include "documents/file_path.h"
#include "documents/map_file.h"
#include "shell/show_message.h"
#include "shell/zol.h"

#include <QFileInfo>
#include <QHash>

namespace zol {

namespace {

constexpr qint64 kQuietTime = 3000;   // a copy waits this long after the last change
constexpr qint64 kMinimumGap = 10000; // and comes at most this often for one document

QString Map_Key(int slot) { return QStringLiteral("map%1").arg(slot); }
const QString kPaletteKey = QStringLiteral("palette");

QByteArray Palette_Name_Bytes(const ProgramState& state) { return Encode_Palette_Name(Path_Name_Part(state.palette.path)); }

// Notes a change of contents seen at now; true when a copy is due.
bool Due(RecoveryState::Tracked& tracked, std::size_t hash, qint64 now)
{
    if (hash != tracked.hash || tracked.changed < 0) {
        tracked.hash = hash;
        tracked.changed = now;
        tracked.dirty = true;
    }
    return tracked.dirty && now - tracked.changed >= kQuietTime &&
           (tracked.written < 0 || now - tracked.written >= kMinimumGap);
}

void Post_Write(ProgramState& state, RecoveryCopy copy)
{
    RecoveryStore* store = &state.recovery.store;
    // A failed write is not reported: the copy is a safety net, and the original file is
    // never touched by it.
    state.recovery.writer->Post([store, copy = std::move(copy)] { store->Write(copy); });
}

} // namespace

void Start_Recovery(Zol& frame, const QString& root)
{
    RecoveryState& recovery = frame.State().recovery;
    if (!recovery.store.Start(root)) return;
    recovery.writer = std::make_unique<RecoveryWriter>();
    auto* timer = new QTimer(&frame);
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, &frame, [&frame] { Recovery_Tick(frame, frame.State().clock.elapsed()); });
    timer->start();
    recovery.timer = timer;
}

void Recovery_Tick(Zol& frame, qint64 now)
{
    ProgramState& state = frame.State();
    RecoveryState& recovery = state.recovery;
    if (!recovery.writer || !state.ready) return;
    const winlib::ButtonSnapshot buttons = winlib::Buttons_Now();
    if (buttons.left || buttons.right || buttons.middle) return; // a drag is under way
    for (int s = 0; s < kMaxDocuments; ++s) {
        RecoveryState::Tracked& tracked = recovery.maps[std::size_t(s)];
        const edit_form& doc = state.documents[s];
        if (!frame.Map_Window(s) || doc.saved) {
            tracked = {};
            continue;
        }
        RecoveryCopy copy;
        copy.key = Map_Key(s);
        copy.map_bytes = Encode_Map(doc, Palette_Name_Bytes(state));
        copy.flags = doc.flags;
        const std::size_t hash = qHash(copy.map_bytes) ^ qHashRange(doc.flags.begin(), doc.flags.end(), 1);
        if (!Due(tracked, hash, now)) continue;
        copy.map_path = doc.file_path;
        copy.palette_path = state.palette.path;
        Post_Write(state, std::move(copy));
        tracked.written = now;
        tracked.dirty = false;
    }
    RecoveryState::Tracked& palette = recovery.palette;
    if (!state.palette.exists || state.palette.saved) {
        palette = {};
        return;
    }
    if (!Due(palette, std::size_t(state.palette.version), now)) return;
    RecoveryCopy copy;
    copy.key = kPaletteKey;
    copy.palette_path = state.palette.path;
    copy.flags.assign(kCellCount, 0);
    copy.palette = Compose_Palette(state.palette.cells);
    Post_Write(state, std::move(copy));
    palette.written = now;
    palette.dirty = false;
}

void Forget_Recovery(Zol& frame, int slot)
{
    RecoveryState& recovery = frame.State().recovery;
    if (!recovery.writer) return;
    const QString key = slot < 0 ? kPaletteKey : Map_Key(slot);
    (slot < 0 ? recovery.palette : recovery.maps[std::size_t(slot)]) = {};
    RecoveryStore* store = &recovery.store;
    recovery.writer->Post([store, key] { store->Remove(key); });
}

void Flush_Recovery(Zol& frame)
{
    if (RecoveryWriter* writer = frame.State().recovery.writer.get()) writer->Flush();
}

void Finish_Recovery(Zol& frame)
{
    RecoveryState& recovery = frame.State().recovery;
    if (recovery.timer) recovery.timer->stop();
    recovery.writer.reset(); // runs what was queued
    recovery.store.Finish();
}

namespace {

// Opens a map's copy in slot as a modified map under its own name and path; its file stays as
// it was until the user saves.
bool Restore_Map(Zol& frame, int slot, const RecoveryCopy& copy)
{
    ProgramState& state = frame.State();
    edit_form& doc = state.documents[slot];
    if (Read_Map(copy.map_file, doc) != kReadOk) {
        Reset_Map(doc);
        return false;
    }
    doc.file_path = copy.map_path;
    doc.flags = copy.flags;
    if (!state.palette.exists && QFileInfo::exists(copy.palette_path)) Load_Cell_Palette(frame, copy.palette_path);
    if (!addChild(frame, slot)) {
        Reset_Map(doc);
        return false;
    }
    doc.saved = 0;
    Redraw_Map(frame, slot);
    return true;
}

} // namespace

void Offer_Recovery(Zol& frame)
{
    ProgramState& state = frame.State();
    RecoveryOrphans orphans = state.recovery.store.Find_Orphans();
    const QString caption = QStringLiteral("復元");
    for (const QString& damaged : orphans.damaged)
        Show_Message(&frame, caption, QStringLiteral("復元用のコピーを読めなかったため、飛ばします。\n") + damaged, MB_OK,
                     MB_ICON_EXCLAMATION);
    if (orphans.copies.empty()) {
        RecoveryStore::Discard(orphans);
        return;
    }
    QStringList names;
    for (const RecoveryCopy& copy : orphans.copies)
        names << (copy.map_bytes.isEmpty() ? QStringLiteral("セルパレット ") + Path_File_Name(copy.palette_path)
                                           : Path_File_Name(copy.map_path));
    const QString answer = Show_Message(
        &frame, caption,
        QStringLiteral("前回、保存されないまま終わったデータがあります。\n\n  ") + names.join(QStringLiteral("\n  ")) +
            QStringLiteral("\n\nすべて復元しますか？\n「はい」で復元、「いいえ」で破棄、「キャンセル」で次回まで残します。"),
        MB_YESNOCANCEL, MB_ICON_QUESTION);
    if (answer == kAnswerNo) {
        RecoveryStore::Discard(orphans);
        return;
    }
    if (answer != kAnswerYes) return; // later: the copies stay, their folders unlocked again
    // The palette first, so the maps are drawn with the cells they were edited with.
    for (const RecoveryCopy& copy : orphans.copies) {
        if (!copy.map_bytes.isEmpty()) continue;
        Open_Cell_Palette(frame, Cut_Cells(copy.palette), copy.palette_path, false);
        state.palette.saved = 0;
        Redraw_All_Maps(frame);
        Update_File_Menu(frame);
        RecoveryStore::Remove_Copy(copy);
    }
    bool all = true;
    for (const RecoveryCopy& copy : orphans.copies) {
        if (copy.map_bytes.isEmpty()) continue;
        const int slot = state.documents.First_Free_Slot();
        if (slot >= kMaxDocuments || !Restore_Map(frame, slot, copy)) {
            all = false; // stays for the next start
            continue;
        }
        // Restored: this editor keeps its copies from now on.
        RecoveryStore::Remove_Copy(copy);
    }
    Update_File_Menu(frame);
    Refresh_All_Lists(frame);
    Fill_Map_Chooser(frame);
    if (all) RecoveryStore::Discard(orphans);
}

} // namespace zol
