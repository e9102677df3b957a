#include "documents/recovery.h"

#include "documents/file_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace zol {

namespace {

const QString kLockName = QStringLiteral("lock");
const QString kDescription = QStringLiteral(".json");
constexpr qint64 kMaxDescriptionBytes = 1 << 16;

QString In(const QString& folder, const QString& key, const QString& suffix) { return folder + QLatin1Char('/') + key + suffix; }

} // namespace

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::Start(const QString& root)
{
    const QString folder = root + QStringLiteral("/") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!QDir().mkpath(folder)) return false;
    auto lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + kLockName);
    lock->setStaleLockTime(0); // held for as long as the editor runs
    if (!lock->tryLock(0)) return false;
    root_ = root;
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
    lock_->unlock();
    QDir(folder_).removeRecursively();
    lock_.reset();
    folder_.clear();
}

bool Read_Recovery_Copy(const QString& description_path, RecoveryCopy& copy, QString& why)
{
    QFile file(description_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxDescriptionBytes) {
        why = QStringLiteral("cannot be read");
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    const QJsonObject description = document.object();
    const QJsonArray flags = description.value(QLatin1String("flags")).toArray();
    if (error.error != QJsonParseError::NoError || !document.isObject() || flags.size() != 64) {
        why = QStringLiteral("its description is damaged");
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
            why = QStringLiteral("its map is missing");
            return false;
        }
        copy.map_bytes = map.readAll();
    }
    if (description.value(QLatin1String("palette")).toBool()) {
        copy.palette = QImage(base + QStringLiteral(".png"));
        if (copy.palette.isNull()) {
            why = QStringLiteral("its palette is missing");
            return false;
        }
    }
    if (copy.map_bytes.isEmpty() && copy.palette.isNull()) {
        why = QStringLiteral("it holds nothing");
        return false;
    }
    return true;
}

RecoveryOrphans RecoveryStore::Find_Orphans() const
{
    RecoveryOrphans orphans;
    const QDir root(root_);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString folder = root.filePath(name);
        if (folder == folder_) continue;
        auto lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + kLockName);
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue; // its editor is running
        for (const QString& file : QDir(folder).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
            RecoveryCopy copy;
            QString why;
            if (Read_Recovery_Copy(QDir(folder).filePath(file), copy, why)) orphans.copies.push_back(std::move(copy));
            else orphans.damaged << QStringLiteral("%1: %2").arg(QDir(folder).filePath(file), why);
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

void RecoveryStore::Remove_Copy(const RecoveryCopy& copy)
{
    if (copy.description.isEmpty()) return;
    const QString base = copy.description.chopped(kDescription.size());
    for (const char* suffix : {".json", ".zol", ".png"}) QFile::remove(base + QLatin1String(suffix));
}

void RecoveryStore::Discard(RecoveryOrphans& orphans)
{
    for (auto& lock : orphans.locks) lock->unlock();
    for (const QString& folder : orphans.folders) QDir(folder).removeRecursively();
    orphans = RecoveryOrphans{};
}

} // namespace zol
