// Recovery copies of modified maps and of a modified palette, and the offer to restore the
// copies of an editor that died.

#include "ui/windows/cell_palette_window.h"
#include "ui/windows/lists.h"
#include "ui/windows/map_view.h"
#include "ui/windows/map_viewer.h"
#include "core/map/file_path.h"
#include "core/map/map_file.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"

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

// A copy of slot's map as it stands.
RecoveryCopy Map_Copy(const ProgramState& state, int slot)
{
    const edit_form& doc = state.documents[slot];
    RecoveryCopy copy;
    copy.key = Map_Key(slot);
    copy.map_bytes = Encode_Map(doc, Palette_Name_Bytes(state));
    copy.flags = doc.flags;
    copy.map_path = doc.file_path;
    copy.palette_path = state.palette.path;
    return copy;
}

std::size_t Map_Hash(const RecoveryCopy& copy)
{
    return qHash(copy.map_bytes) ^ qHashRange(copy.flags.begin(), copy.flags.end(), 1);
}

RecoveryCopy Palette_Copy(const ProgramState& state)
{
    RecoveryCopy copy;
    copy.key = kPaletteKey;
    copy.palette_path = state.palette.path;
    copy.flags.assign(kCellCount, 0);
    copy.palette = Compose_Palette(state.palette.cells);
    return copy;
}

// Writes copy on the writer's thread; then, once it is on disk, runs after_written there.
void Post_Write(ProgramState& state, RecoveryCopy copy, std::function<void()> after_written = {})
{
    RecoveryStore* store = &state.recovery.store;
    std::atomic<bool>* failed = &state.recovery.write_failed;
    // The original file is never touched by a copy; a failure is told once on the status line.
    state.recovery.writer->Post([store, failed, copy = std::move(copy), after = std::move(after_written)] {
        if (!store->Write(copy)) *failed = true;
        else if (after) after();
    });
}

// Says once, on the status line, that unsaved work is not being kept safe.
void Tell_Unprotected(Zol& frame)
{
    RecoveryState& recovery = frame.State().recovery;
    if (recovery.unprotected_told) return;
    recovery.unprotected_told = true;
    frame.Status()->Set_Text(
        1, QStringLiteral("復元用のコピーを書き込めないため、保存していない作業は保護されていません"));
}

} // namespace

void Start_Recovery(Zol& frame, const QString& root)
{
    RecoveryState& recovery = frame.State().recovery;
    if (!recovery.store.Start(root)) {
        Tell_Unprotected(frame);
        return;
    }
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
    if (recovery.write_failed) Tell_Unprotected(frame);
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
        RecoveryCopy copy = Map_Copy(state, s);
        if (!Due(tracked, Map_Hash(copy), now)) continue;
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
    Post_Write(state, Palette_Copy(state));
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
    RecoveryState& recovery = state.recovery;
    RecoveryOrphans orphans = recovery.store.Find_Orphans();
    const QString caption = QStringLiteral("復元");
    if (!orphans.damaged.isEmpty())
        Show_Message(&frame, caption,
                     QStringLiteral("読めない復元用のコピーがあったため、復元の対象から外しました。\n"
                                    "消さずに次の場所に残してあります。\n\n  ") +
                         orphans.damaged.join(QStringLiteral("\n  ")),
                     MB_OK, MB_ICON_EXCLAMATION);
    if (orphans.copies.empty()) {
        RecoveryStore::Release(orphans);
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
        for (const RecoveryCopy& copy : orphans.copies) RecoveryStore::Remove_Copy(copy);
        RecoveryStore::Release(orphans);
        return;
    }
    if (answer != kAnswerYes) {
        RecoveryStore::Release(orphans); // later: the copies stay, their folders unlocked again
        return;
    }
    // A restored copy is removed only once this editor's own copy of the same work is on disk;
    // an editor that cannot write copies leaves them all for next time.
    const auto hand_over = [&state](RecoveryCopy restored, RecoveryCopy own) {
        if (!state.recovery.writer) return;
        Post_Write(state, std::move(own), [restored = std::move(restored)] { RecoveryStore::Remove_Copy(restored); });
    };
    const qint64 now = state.clock.elapsed();
    // The palette first, so the maps are drawn with the cells they were edited with.
    for (const RecoveryCopy& copy : orphans.copies) {
        if (!copy.map_bytes.isEmpty()) continue;
        Open_Cell_Palette(frame, Cut_Cells(copy.palette), copy.palette_path, false);
        state.palette.saved = 0;
        Redraw_All_Maps(frame);
        Update_File_Menu(frame);
        hand_over(copy, Palette_Copy(state));
        recovery.palette = {std::size_t(state.palette.version), now, now, false};
    }
    for (const RecoveryCopy& copy : orphans.copies) {
        if (copy.map_bytes.isEmpty()) continue;
        const int slot = state.documents.First_Free_Slot();
        if (slot >= kMaxDocuments || !Restore_Map(frame, slot, copy)) continue; // stays for the next start
        RecoveryCopy own = Map_Copy(state, slot);
        recovery.maps[std::size_t(slot)] = {Map_Hash(own), now, now, false};
        hand_over(copy, std::move(own));
    }
    Update_File_Menu(frame);
    Refresh_All_Lists(frame);
    Fill_Map_Chooser(frame);
    // The folders go after the copies handed over, those left behind keep theirs.
    if (!recovery.writer) {
        RecoveryStore::Release(orphans);
        return;
    }
    auto held = std::make_shared<RecoveryOrphans>(std::move(orphans));
    recovery.writer->Post([held] { RecoveryStore::Release(*held); });
}

} // namespace zol
