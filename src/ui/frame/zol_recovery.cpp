// Recovery copies of modified maps and of a modified palette, and the offer to restore the
// copies of an editor that died. The copies follow the announced changes.

#include "core/map/file_path.h"
#include "core/messages/texts.h"
#include "core/map/map_file.h"
#include "core/messages/show_message.h"
#include "ui/frame/zol.h"
#include "ui/windows/cell_palette_window.h"
#include "ui/windows/map_view.h"

#include <QFileInfo>
#include <QMainWindow>

namespace zol {

namespace {

constexpr qint64 kQuietTime = 3000;   // a copy waits this long after the last change
constexpr qint64 kMinimumGap = 10000; // and comes at most this often for one document

QString Map_Key(int slot) { return QStringLiteral("map%1").arg(slot); }
const QString kPaletteKey = QStringLiteral("palette");

QByteArray Palette_Name_Bytes(const ProgramState& state) { return Encode_Palette_Name(Path_Name_Part(state.palette.path)); }

// Notes a change announced since the last check as seen at now; true when a copy is due.
bool Due(RecoveryState::Tracked& tracked, qint64 now)
{
    if (tracked.touched) {
        tracked.touched = false;
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
void Post_Write(Editor& editor, RecoveryCopy copy, std::function<void()> after_written = {})
{
    RecoveryState& recovery = Recovery_State(editor);
    RecoveryStore* store = &recovery.store;
    std::atomic<bool>* failed = &recovery.write_failed;
    // The original file is never touched by a copy; a failure is told once on the status line.
    recovery.writer->Post([store, failed, copy = std::move(copy), after = std::move(after_written)] {
        if (!store->Write(copy)) *failed = true;
        else if (after) after();
    });
}

// Says once, on the status line, that unsaved work is not being kept safe.
void Tell_Unprotected(Editor& editor)
{
    RecoveryState& recovery = Recovery_State(editor);
    if (recovery.unprotected_told) return;
    recovery.unprotected_told = true;
    editor.Status()->Set_Text(
        1, Text::tr("復元用のコピーを書き込めないため、保存していない作業は保護されていません"));
}

// The copy of slot's map (or, for slot -1, of the palette) is no longer needed.
void Forget(Editor& editor, int slot)
{
    RecoveryState& recovery = Recovery_State(editor);
    RecoveryState::Tracked& tracked = slot < 0 ? recovery.palette : recovery.maps[std::size_t(slot)];
    const bool written = tracked.written >= 0;
    tracked = {};
    if (!recovery.writer || !written) return;
    RecoveryStore* store = &recovery.store;
    const QString key = slot < 0 ? kPaletteKey : Map_Key(slot);
    recovery.writer->Post([store, key] { store->Remove(key); });
}

// The copies follow what is announced: a change makes a copy due, a save or a close makes it
// unneeded.
void Follow_Changes(Editor& editor)
{
    Changes& hub = editor.Hub();
    QObject* context = &editor.Main_Window();
    const auto touch = [&editor](int slot) {
        if (slot >= 0 && slot < kMaxDocuments) Recovery_State(editor).maps[std::size_t(slot)].touched = true;
    };
    QObject::connect(&hub, &Changes::cellsChanged, context, [touch](int slot, QRect) { touch(slot); });
    for (auto signal : {&Changes::mapChanged, &Changes::tablesChanged, &Changes::flagsChanged})
        QObject::connect(&hub, signal, context, touch);
    QObject::connect(&hub, &Changes::savedChanged, context, [&editor, touch](int slot) {
        if (editor.Documents()[slot].saved) Forget(editor, slot);
        else touch(slot);
    });
    QObject::connect(&hub, &Changes::mapsChanged, context, [&editor] {
        for (int s = 0; s < kMaxDocuments; ++s)
            if (!editor.Map_Window(s)) Forget(editor, s); // saved, or the user chose not to
    });
    QObject::connect(&hub, &Changes::paletteChanged, context, [&editor] { Recovery_State(editor).palette.touched = true; });
    QObject::connect(&hub, &Changes::paletteSavedChanged, context, [&editor] {
        const CellPalette& palette = editor.State().palette;
        if (!palette.exists || palette.saved) Forget(editor, -1);
    });
}

struct RecoveryPart {
    RecoveryState state;
};

} // namespace

RecoveryState& Recovery_State(Editor& editor) { return editor.State().windows.Get<RecoveryPart>().state; }

void Start_Recovery(Editor& editor, const QString& root)
{
    RecoveryState& recovery = Recovery_State(editor);
    if (!recovery.store.Start(root)) {
        Tell_Unprotected(editor);
        return;
    }
    recovery.writer = std::make_unique<RecoveryWriter>();
    Follow_Changes(editor);
    auto* timer = new QTimer(&editor.Main_Window());
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, &editor.Main_Window(),
                     [&editor] { Recovery_Tick(editor, editor.State().clock.elapsed()); });
    timer->start();
    recovery.timer = timer;
}

void Recovery_Tick(Editor& editor, qint64 now)
{
    ProgramState& state = editor.State();
    RecoveryState& recovery = Recovery_State(editor);
    if (recovery.write_failed) Tell_Unprotected(editor);
    if (!recovery.writer || !state.ready) return;
    const winlib::ButtonSnapshot buttons = winlib::Buttons_Now();
    if (buttons.left || buttons.right || buttons.middle) return; // a drag is under way
    for (int s = 0; s < kMaxDocuments; ++s) {
        RecoveryState::Tracked& tracked = recovery.maps[std::size_t(s)];
        if (!editor.Map_Window(s) || state.documents[s].saved) {
            tracked = {};
            continue;
        }
        if (tracked.changed < 0 && tracked.written < 0) tracked.touched = true; // modified before it was followed
        if (!Due(tracked, now)) continue;
        Post_Write(editor, Map_Copy(state, s));
        tracked.written = now;
        tracked.dirty = false;
    }
    RecoveryState::Tracked& palette = recovery.palette;
    if (!state.palette.exists || state.palette.saved) {
        palette = {};
        return;
    }
    if (palette.changed < 0 && palette.written < 0) palette.touched = true;
    if (!Due(palette, now)) return;
    Post_Write(editor, Palette_Copy(state));
    palette.written = now;
    palette.dirty = false;
}

void Flush_Recovery(Editor& editor)
{
    if (RecoveryWriter* writer = Recovery_State(editor).writer.get()) writer->Flush();
}

void Finish_Recovery(Editor& editor)
{
    RecoveryState& recovery = Recovery_State(editor);
    if (recovery.timer) recovery.timer->stop();
    recovery.writer.reset(); // runs what was queued
    recovery.store.Finish();
}

namespace {

// Opens a map's copy in slot as a modified map under its own name and path; its file stays as
// it was until the user saves.
bool Restore_Map(Editor& editor, int slot, const RecoveryCopy& copy)
{
    ProgramState& state = editor.State();
    edit_form& doc = state.documents[slot];
    if (Read_Map(copy.map_file, doc) != kReadOk) {
        Reset_Map(doc);
        return false;
    }
    doc.file_path = copy.map_path;
    doc.flags = copy.flags;
    if (!state.palette.exists && QFileInfo::exists(copy.palette_path)) Load_Cell_Palette(editor, copy.palette_path);
    if (!addChild(editor, slot)) {
        Reset_Map(doc);
        return false;
    }
    doc.saved = 0;
    Redraw_Map(editor, slot);
    emit editor.Hub().savedChanged(slot);
    return true;
}

} // namespace

void Offer_Recovery(Editor& editor)
{
    ProgramState& state = editor.State();
    RecoveryState& recovery = Recovery_State(editor);
    RecoveryOrphans orphans = recovery.store.Find_Orphans();
    const QString caption = Text::tr("復元");
    if (!orphans.damaged.isEmpty())
        Show_Message(&editor.Main_Window(), caption,
                     Text::tr("読めない復元用のコピーがあったため、復元の対象から外しました。\n"
                              "消さずに次の場所に残してあります。\n\n  %1")
                         .arg(orphans.damaged.join(QStringLiteral("\n  "))),
                     MB_OK, MB_ICON_EXCLAMATION);
    if (orphans.copies.empty()) {
        RecoveryStore::Release(orphans);
        return;
    }
    QStringList names;
    for (const RecoveryCopy& copy : orphans.copies)
        names << (copy.map_bytes.isEmpty() ? Text::tr("セルパレット %1").arg(Path_File_Name(copy.palette_path))
                                           : Path_File_Name(copy.map_path));
    const QString answer = Show_Message(
        &editor.Main_Window(), caption,
        Text::tr("前回、保存されないまま終わったデータがあります。\n\n  %1\n\n"
                 "すべて復元しますか？\n「はい」で復元、「いいえ」で破棄、「キャンセル」で次回まで残します。")
            .arg(names.join(QStringLiteral("\n  "))),
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
    const auto hand_over = [&editor](RecoveryCopy restored, RecoveryCopy own) {
        if (!Recovery_State(editor).writer) return;
        Post_Write(editor, std::move(own), [restored = std::move(restored)] { RecoveryStore::Remove_Copy(restored); });
    };
    const qint64 now = state.clock.elapsed();
    // The palette first, so the maps are drawn with the cells they were edited with.
    for (const RecoveryCopy& copy : orphans.copies) {
        if (!copy.map_bytes.isEmpty()) continue;
        Open_Cell_Palette(editor, Cut_Cells(copy.palette), copy.palette_path, false);
        state.palette.saved = 0;
        emit editor.Hub().paletteSavedChanged();
        hand_over(copy, Palette_Copy(state));
        recovery.palette = {false, now, now, false};
    }
    for (const RecoveryCopy& copy : orphans.copies) {
        if (copy.map_bytes.isEmpty()) continue;
        const int slot = state.documents.First_Free_Slot();
        if (slot >= kMaxDocuments || !Restore_Map(editor, slot, copy)) continue; // stays for the next start
        RecoveryCopy own = Map_Copy(state, slot);
        recovery.maps[std::size_t(slot)] = {false, now, now, false};
        hand_over(copy, std::move(own));
    }
    // The folders go after the copies handed over, those left behind keep theirs.
    if (!recovery.writer) {
        RecoveryStore::Release(orphans);
        return;
    }
    auto held = std::make_shared<RecoveryOrphans>(std::move(orphans));
    recovery.writer->Post([held] { RecoveryStore::Release(*held); });
}

} // namespace zol
