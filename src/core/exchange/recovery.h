#pragma once
// Recovery copies: while a map or the palette has unsaved changes the editor keeps a copy of it
// in a folder of its own under the user's data folder, so that work survives a crash or a power
// cut. Each running editor owns one folder, locked while it runs; copies in a folder whose lock
// is free were left by an editor that died, and are offered at the next start.

#include <QByteArray>
#include <QImage>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace zol {

// One document's copy: a map (its file's bytes and its flag table), or the palette alone.
struct RecoveryCopy {
    QString key;                   // names the copy in its folder: "map0".."map4" or "palette"
    QString map_path;              // where the map belongs; empty for the palette's copy
    QString palette_path;          // the palette's file (a bare name for a new palette)
    QByteArray map_bytes;          // the map file's bytes
    std::vector<uint8_t> flags;    // the flag table, 64 entries
    QImage palette;                // the palette's picture when it had unsaved changes, else null
    QString map_file;              // in a folder: the file holding map_bytes, for Read_Map
    QString description;           // in a folder: the file describing the copy
};

// The copies an editor that died left behind, with their folders locked by this editor until
// they are restored, discarded or left for next time.
struct RecoveryOrphans {
    std::vector<RecoveryCopy> copies;
    // Files that could not be read as copies, each "where it now lies（why）": moved out of the
    // way into the root's "damaged" folder (or left where they were when that cannot be done);
    // never offered again, never deleted.
    QStringList damaged;
    QStringList folders;                        // where the copies lie
    // Each folder's lock, null for a folder this editor may read but not write.
    std::vector<std::unique_ptr<QLockFile>> locks;
};

class RecoveryStore {
public:
    ~RecoveryStore();

    // Makes this editor's folder under root, complete with its lock and its mark before it
    // appears under its own name, so no other editor ever finds it unlocked. False when that
    // cannot be done: the editor then keeps no copies, though copies already under root can
    // still be found (root must be an absolute path; an empty one means no recovery at all).
    bool Start(const QString& root);
    bool Started() const { return !folder_.isEmpty(); }
    QString Root() const { return root_; }
    QString Folder() const { return folder_; }

    // Writes copy into this editor's folder, replacing an older one with its key whole: the data
    // first, the description last. Safe from a worker thread. False on failure.
    bool Write(const RecoveryCopy& copy) const;
    // Removes the copy with key.
    void Remove(const QString& key) const;
    // Removes this editor's folder and its lock: a normal exit leaves no copy. Only what the
    // store made there goes; a folder holding anything else stays.
    void Finish();

    // The copies in the folders under root whose editor is no longer running (their lock can be
    // taken, or their editor is gone and the folder is read-only). Only folders this program
    // made and marked as its own are looked at; an editor's own folder is never among them.
    RecoveryOrphans Find_Orphans() const;
    // Lets go of the orphans' folders: each folder left with nothing but what the store made
    // for itself is removed; a folder that still holds copies stays, unlocked, for next time.
    static void Release(RecoveryOrphans& orphans);
    // Removes one copy read from a folder (restored and protected again, or declined). False
    // when it could not be removed.
    static bool Remove_Copy(const RecoveryCopy& copy);

    // For tests: runs between the steps of every Start, to look at a folder being made.
    static void Set_Start_Step_Hook(std::function<void()> hook);

private:
    QString root_;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
};

// Runs jobs one after another on a thread of its own, so that writing copies never holds up the
// user interface; removals go through it too, so a removal never overtakes a pending write.
class RecoveryWriter {
public:
    RecoveryWriter();
    ~RecoveryWriter(); // finishes the jobs queued
    void Post(std::function<void()> job);
    // Waits until every job posted so far has run.
    void Flush();

private:
    struct Queue;
    std::unique_ptr<Queue> queue_;
};

// Reads the copy described by the file at description_path; the reason on failure.
bool Read_Recovery_Copy(const QString& description_path, RecoveryCopy& copy, QString& why);

} // namespace zol
