#include "core/exchange/recovery.h"
#include "core/messages/texts.h"

#include "core/map/file_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSysInfo>
#include <QUuid>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <csignal>

namespace zol {

namespace {

const QString kLockName = QStringLiteral("lock");
// Marks a folder as one this program made, complete: only such folders are ever looked into or
// removed, so a wrong root can never cost the user a file.
const QString kMarkName = QStringLiteral("zol-recovery");
const QByteArray kMarkText = "Zol recovery folder\n";
const QString kDamagedFolder = QStringLiteral("damaged");
const QString kDescription = QStringLiteral(".json");
constexpr qint64 kMaxDescriptionBytes = 1 << 16;

QString In(const QString& folder, const QString& key, const QString& suffix) { return folder + QLatin1Char('/') + key + suffix; }

// A temporary file of the file writer, left by an editor that died while writing.
bool Is_Temporary(const QString& name) { return name.startsWith(QLatin1Char('.')) && name.endsWith(QLatin1String(".tmp")); }

// Names the store gives the files of its copies.
bool Is_Copy_File(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^(map[0-4]|palette)\\.(json|zol|png)$"));
    return pattern.match(name).hasMatch();
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Removes folder when it holds nothing but the store's own lock, mark and temporary files.
// lock, when given, is released on the way.
void Remove_Own_Folder(const QString& folder, QLockFile* lock)
{
    QDir dir(folder);
    for (const QString& name : Entries(folder))
        if (Is_Temporary(name)) dir.remove(name);
    const QStringList left = Entries(folder);
    const bool only_own = std::all_of(left.begin(), left.end(), [](const QString& name) { return name == kLockName || name == kMarkName; });
    if (!only_own) {
        if (lock) lock->unlock();
        return;
    }
    // The mark goes first, so that no other editor looks into a folder on its way out.
    dir.remove(kMarkName);
    if (lock) lock->unlock();
    QDir().rmdir(folder);
}

std::function<void()> g_start_step_hook;

void Start_Step()
{
    if (g_start_step_hook) g_start_step_hook();
}

// True when the editor that holds the lock file still runs (or may: one on another machine).
bool Holder_Alive(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host, application;
    if (!lock.getLockInfo(&pid, &host, &application)) return false;
    if (host != QSysInfo::machineHostName()) return true;
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::Start(const QString& root)
{
    if (root.isEmpty() || QDir::isRelativePath(root)) return false;
    root_ = QDir::cleanPath(root);
    const QString folder = root_ + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!QDir().mkpath(root_) || !QDir().mkdir(folder)) return false;
    Start_Step();
    // Until the mark is there, other editors pass the folder by; once it is, the lock is held.
    auto lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + kLockName);
    lock->setStaleLockTime(0); // held for as long as the editor runs
    const bool locked = lock->tryLock(0);
    Start_Step();
    if (!locked || !Write_File_Atomically(folder + QLatin1Char('/') + kMarkName, kMarkText)) {
        Remove_Own_Folder(folder, lock.get());
        return false;
    }
    Start_Step();
    folder_ = folder;
    lock_ = std::move(lock);
    return true;
}

bool RecoveryStore::Write(const RecoveryCopy& copy) const
{
    if (folder_.isEmpty()) return false;
    QJsonArray flags;
    for (uint8_t f : copy.flags) flags.append(int(f));
    QJsonObject description{{"map_path", copy.map_path}, {"palette_path", copy.palette_path}, {"flags", flags},
                            {"map", !copy.map_bytes.isEmpty()}, {"palette", !copy.palette.isNull()}};
    // One batch: a copy is replaced whole or not at all, never its map without its description.
    FileBatch batch;
    if (!copy.map_bytes.isEmpty() && !batch.Add(In(folder_, copy.key, ".zol"), copy.map_bytes)) return false;
    if (!copy.palette.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!copy.palette.save(&buffer, "PNG") || !batch.Add(In(folder_, copy.key, ".png"), png)) return false;
    }
    // The description last, so that a copy is complete whenever it is there.
    return batch.Add(In(folder_, copy.key, kDescription), QJsonDocument(description).toJson()) && batch.Commit();
}

void RecoveryStore::Remove(const QString& key) const
{
    if (folder_.isEmpty()) return;
    // The description goes first: a copy without it is never offered.
    for (const char* suffix : {".json", ".zol", ".png"}) QFile::remove(In(folder_, key, QLatin1String(suffix)));
}

void RecoveryStore::Finish()
{
    if (folder_.isEmpty()) return;
    QDir dir(folder_);
    for (const QString& name : Entries(folder_))
        if (Is_Copy_File(name)) dir.remove(name);
    Remove_Own_Folder(folder_, lock_.get());
    lock_.reset();
    folder_.clear();
}

bool Read_Recovery_Copy(const QString& description_path, RecoveryCopy& copy, QString& why)
{
    QFile file(description_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxDescriptionBytes) {
        why = Text::tr("読めません");
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    const QJsonObject description = document.object();
    const QJsonArray flags = description.value(QLatin1String("flags")).toArray();
    if (error.error != QJsonParseError::NoError || !document.isObject() || flags.size() != 64) {
        why = Text::tr("説明が壊れています");
        return false;
    }
    const QString base = description_path.chopped(kDescription.size());
    copy.key = QFileInfo(base).fileName();
    copy.description = description_path;
    copy.map_path = description.value(QLatin1String("map_path")).toString();
    copy.palette_path = description.value(QLatin1String("palette_path")).toString();
    copy.flags.clear();
    for (const QJsonValue& f : flags) copy.flags.push_back(uint8_t(std::clamp(f.toInt(), 0, 255)));
    if (description.value(QLatin1String("map")).toBool()) {
        copy.map_file = base + QStringLiteral(".zol");
        QFile map(copy.map_file);
        if (!map.open(QIODevice::ReadOnly) || map.size() > (1 << 20)) {
            why = Text::tr("マップのコピーが読めません");
            return false;
        }
        copy.map_bytes = map.readAll();
    }
    if (description.value(QLatin1String("palette")).toBool()) {
        copy.palette = QImage(base + QStringLiteral(".png"));
        if (copy.palette.isNull()) {
            why = Text::tr("パレットのコピーが読めません");
            return false;
        }
    }
    if (copy.map_bytes.isEmpty() && copy.palette.isNull()) {
        why = Text::tr("中身がありません");
        return false;
    }
    return true;
}

RecoveryOrphans RecoveryStore::Find_Orphans() const
{
    RecoveryOrphans orphans;
    if (root_.isEmpty()) return orphans;
    const QDir root(root_);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name)) {
        const QString folder = root.filePath(name);
        const QFileInfo mark(folder + QLatin1Char('/') + kMarkName);
        if (folder == folder_ || QUuid::fromString(name).isNull() || !mark.isFile() || mark.isSymLink()) continue;
        auto lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + kLockName);
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) {
            // Held: its editor is running. Not writable: offered, if its editor is gone, and
            // kept until it can be removed.
            if (lock->error() == QLockFile::LockFailedError || Holder_Alive(*lock)) continue;
            lock.reset();
        }
        QStringList claimed{kLockName, kMarkName};
        std::vector<std::pair<QString, QString>> unread; // file, why
        const QDir dir(folder);
        for (const QString& file : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
            RecoveryCopy copy;
            QString why;
            if (!Read_Recovery_Copy(dir.filePath(file), copy, why)) {
                unread.emplace_back(file, why);
                continue;
            }
            claimed << file;
            if (!copy.map_file.isEmpty()) claimed << copy.key + QStringLiteral(".zol");
            if (!copy.palette.isNull()) claimed << copy.key + QStringLiteral(".png");
            orphans.copies.push_back(std::move(copy));
        }
        // Whatever is not part of a readable copy may still be the only trace of someone's
        // work: it is moved aside, never deleted.
        const QString aside = root.filePath(kDamagedFolder + QLatin1Char('/') + name);
        for (const QString& file : Entries(folder)) {
            if (claimed.contains(file) || Is_Temporary(file)) continue;
            QString why = Text::tr("説明がありません");
            for (const auto& [json, reason] : unread)
                if (json == file) why = reason;
            QString where = dir.filePath(file);
            if (lock && QDir().mkpath(aside) && QFile::rename(where, aside + QLatin1Char('/') + file))
                where = aside + QLatin1Char('/') + file;
            orphans.damaged << Text::tr("%1（%2）").arg(QDir::toNativeSeparators(where), why);
        }
        orphans.folders << folder;
        orphans.locks.push_back(std::move(lock));
    }
    return orphans;
}

struct RecoveryWriter::Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    bool running = false; // a job is being run
    bool stopping = false;
    std::thread thread;
};

RecoveryWriter::RecoveryWriter() : queue_(std::make_unique<Queue>())
{
    queue_->thread = std::thread([q = queue_.get()] {
        std::unique_lock lock(q->mutex);
        for (;;) {
            q->changed.wait(lock, [q] { return q->stopping || !q->jobs.empty(); });
            if (q->jobs.empty()) return; // stopping, nothing left
            std::function<void()> job = std::move(q->jobs.front());
            q->jobs.pop_front();
            q->running = true;
            lock.unlock();
            job();
            lock.lock();
            q->running = false;
            q->changed.notify_all();
        }
    });
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(queue_->mutex);
        queue_->stopping = true;
    }
    queue_->changed.notify_all();
    queue_->thread.join();
}

void RecoveryWriter::Post(std::function<void()> job)
{
    {
        std::lock_guard lock(queue_->mutex);
        queue_->jobs.push_back(std::move(job));
    }
    queue_->changed.notify_all();
}

void RecoveryWriter::Flush()
{
    std::unique_lock lock(queue_->mutex);
    queue_->changed.wait(lock, [q = queue_.get()] { return q->jobs.empty() && !q->running; });
}

bool RecoveryStore::Remove_Copy(const RecoveryCopy& copy)
{
    if (copy.description.isEmpty()) return false;
    // The description goes first: a copy without it is never offered again.
    if (!QFile::remove(copy.description) && QFile::exists(copy.description)) return false;
    const QString base = copy.description.chopped(kDescription.size());
    for (const char* suffix : {".zol", ".png"}) QFile::remove(base + QLatin1String(suffix));
    return true;
}

void RecoveryStore::Set_Start_Step_Hook(std::function<void()> hook) { g_start_step_hook = std::move(hook); }

void RecoveryStore::Release(RecoveryOrphans& orphans)
{
    for (std::size_t i = 0; i < orphans.locks.size(); ++i)
        if (orphans.locks[i]) Remove_Own_Folder(orphans.folders[int(i)], orphans.locks[i].get());
    orphans = RecoveryOrphans{};
}

} // namespace zol
