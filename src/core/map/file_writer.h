#pragma once
// Every file the program writes (maps, flag files, palettes, images, settings, recovery copies)
// goes through here, under one policy:
// - the bytes go to a temporary file beside the target; every write and the last flush are
//   checked, and the data is synced to disk before anything is renamed;
// - only then is the temporary file renamed over the target, so the target holds either its old
//   bytes or the whole new file, even after a full disk or a power cut;
// - on any failure the temporary file is removed, the target keeps its old bytes, and the
//   caller gets false and a one-line reason to report;
// - a target that exists but is read-only, or is not a plain file, is refused.

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

namespace zol {

// True when path may be written: it does not exist yet, or it is a plain file that is not
// marked read-only (for everyone, so that the superuser is refused too).
bool Writable_Target(const QString& path);

// Files replaced together, such as a map and its flag file: each is written out and synced as
// it is added, and Commit renames them all over their targets. When any file cannot be written
// nothing is renamed, so every target keeps its old bytes. A batch destroyed without a Commit
// removes its temporary files.
class FileBatch {
public:
    FileBatch() = default;
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;
    ~FileBatch();

    bool Add(const QString& path, const QByteArray& data);
    // The file's contents are what write puts into the device it is given; write returns false
    // to give up.
    bool Add(const QString& path, const std::function<bool(QIODevice&)>& write);
    bool Commit();

    bool Failed() const { return !error_.isEmpty(); }
    // The first failure: "cannot write PATH: reason".
    QString Error() const { return error_; }
    // The target whose write failed first.
    QString Failed_Path() const { return failed_path_; }

private:
    struct Pending {
        QString target;
        QString temporary;
    };
    bool Fail(const QString& path, const QString& reason);
    void Discard();

    std::vector<Pending> pending_;
    QString error_;
    QString failed_path_;
};

// Replaces the file at path with data; why, when given, receives the reason of a failure.
bool Write_File_Atomically(const QString& path, const QByteArray& data, QString* why = nullptr);
// Replaces the file at path with what write puts into the device it is given.
bool Write_File_Atomically(const QString& path, const std::function<bool(QIODevice&)>& write,
                           QString* why = nullptr);

// Faults the writer plants in its own files, for tests of what a file-size limit cannot make.
// They apply to every file written until they are cleared, on any thread.
struct WriteFaults {
    qint64 fail_at_byte = -1;  // writing past this many bytes of a file fails, as on a full disk
    bool fail_flush = false;   // the last flush of a file fails
    bool fail_sync = false;    // syncing a file to disk fails
    QString only_suffix;       // when set, only files whose target ends so
};
void Plant_Write_Faults(const WriteFaults& faults);
void Clear_Write_Faults();

} // namespace zol
