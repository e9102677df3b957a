#include "core/map/file_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zol {

namespace {

std::mutex g_faults_mutex;
WriteFaults g_faults;
bool g_faults_planted = false;

// The faults planted for a file written to target, or none.
WriteFaults Faults_For(const QString& target)
{
    std::lock_guard lock(g_faults_mutex);
    if (!g_faults_planted || (!g_faults.only_suffix.isEmpty() && !target.endsWith(g_faults.only_suffix)))
        return WriteFaults{};
    return g_faults;
}

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// A file being written: a buffer in front of a descriptor, with every write checked. The first
// failure is kept, and every later write fails at once.
class CheckedFile : public QIODevice {
public:
    CheckedFile(int fd, const WriteFaults& faults) : fd_(fd), faults_(faults) { buffer_.reserve(kBufferBytes); }

    bool isSequential() const override { return true; }
    int Error() const { return error_; }

    // Writes out what is buffered and syncs the file's data to disk.
    bool Finish()
    {
        if (error_) return false;
        if (faults_.fail_flush) return Set_Error(EIO);
        if (!Put(buffer_.constData(), buffer_.size())) return false;
        buffer_.clear();
        if (faults_.fail_sync) return Set_Error(EIO);
        while (::fdatasync(fd_) != 0)
            if (errno != EINTR) return Set_Error(errno);
        return true;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override
    {
        if (error_) return -1;
        if (buffer_.size() + size > kBufferBytes) {
            if (!Put(buffer_.constData(), buffer_.size())) return -1;
            buffer_.clear();
        }
        if (size >= kBufferBytes) {
            if (!Put(data, size)) return -1;
        } else {
            buffer_.append(data, size);
        }
        return size;
    }

private:
    static constexpr qint64 kBufferBytes = 1 << 16;

    bool Set_Error(int error)
    {
        error_ = error;
        setErrorString(Reason(error));
        return false;
    }

    bool Put(const char* data, qint64 size)
    {
        while (size > 0) {
            qint64 chunk = size;
            if (faults_.fail_at_byte >= 0 && written_ + chunk > faults_.fail_at_byte) {
                chunk = faults_.fail_at_byte - written_;
                if (chunk <= 0) return Set_Error(ENOSPC);
            }
            const ssize_t n = ::write(fd_, data, std::size_t(chunk));
            if (n < 0) {
                if (errno == EINTR) continue;
                return Set_Error(errno);
            }
            data += n;
            size -= n;
            written_ += n;
        }
        return true;
    }

    int fd_;
    WriteFaults faults_;
    QByteArray buffer_;
    qint64 written_ = 0;
    int error_ = 0;
};

// Where the bytes for path go: the file a link points to, so the link stays a link.
QString Real_Target(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists()) return info.canonicalFilePath();
    return path;
}

// A new, empty file beside target that no one else has opened, with the permissions of the file
// it will replace (new files get the usual ones). Its descriptor, or -1 with errno set.
int Create_Temporary(const QString& target, QString& temporary)
{
    const QFileInfo info(target);
    const QString stem = info.absolutePath() + QStringLiteral("/.") + info.fileName().left(40) + QLatin1Char('.');
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(target).constData(), &old) == 0;
    for (int attempt = 0; attempt < 32; ++attempt) {
        temporary = stem + QString::number(QRandomGenerator::global()->generate64() % 0xFFFFFFFFFFull, 36) +
                    QStringLiteral(".tmp");
        const int fd = ::open(QFile::encodeName(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        if (replacing) {
            // Best effort: a file we may replace but not give away keeps our ownership.
            if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) (void)!::fchown(fd, old.st_uid, old.st_gid);
            (void)::fchmod(fd, old.st_mode & 07777);
        }
        return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

bool Writable_Target(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return true;
    constexpr auto kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isFile() && info.isWritable() && (info.permissions() & kAnyWrite);
}

FileBatch::~FileBatch() { Discard(); }

void FileBatch::Discard()
{
    for (const Pending& file : pending_) ::unlink(QFile::encodeName(file.temporary).constData());
    pending_.clear();
}

bool FileBatch::Fail(const QString& path, const QString& reason)
{
    if (error_.isEmpty()) {
        error_ = QStringLiteral("cannot write %1: %2").arg(path, reason);
        failed_path_ = path;
    }
    Discard();
    return false;
}

bool FileBatch::Add(const QString& path, const QByteArray& data)
{
    return Add(path, [&data](QIODevice& device) { return device.write(data) == data.size(); });
}

bool FileBatch::Add(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    if (Failed()) return false;
    if (path.isEmpty()) return Fail(path, QStringLiteral("no file name"));
    if (!Writable_Target(path)) return Fail(path, QStringLiteral("the file is read-only or not a plain file"));
    const QString target = Real_Target(path);
    QString temporary;
    const int fd = Create_Temporary(target, temporary);
    if (fd < 0) return Fail(path, Reason(errno));
    // Listed at once, so that a failure or an exception from write removes it.
    pending_.push_back({target, temporary});
    struct Closer {
        int fd;
        ~Closer() { if (fd >= 0) ::close(fd); }
    } closer{fd};

    CheckedFile file(fd, Faults_For(path));
    file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const bool written = write(file);
    if (!file.Finish() || !written)
        return Fail(path, file.Error() ? Reason(file.Error()) : QStringLiteral("the data could not be made"));
    const int fd_closed = closer.fd;
    closer.fd = -1;
    if (::close(fd_closed) != 0) return Fail(path, Reason(errno));
    return true;
}

bool FileBatch::Commit()
{
    if (Failed()) return false;
    while (!pending_.empty()) {
        const Pending& file = pending_.front();
        if (::rename(QFile::encodeName(file.temporary).constData(), QFile::encodeName(file.target).constData()) != 0)
            return Fail(file.target, Reason(errno));
        pending_.erase(pending_.begin());
    }
    return true;
}

bool Write_File_Atomically(const QString& path, const std::function<bool(QIODevice&)>& write, QString* why)
{
    FileBatch batch;
    if (batch.Add(path, write) && batch.Commit()) return true;
    if (why) *why = batch.Error();
    return false;
}

bool Write_File_Atomically(const QString& path, const QByteArray& data, QString* why)
{
    FileBatch batch;
    if (batch.Add(path, data) && batch.Commit()) return true;
    if (why) *why = batch.Error();
    return false;
}

void Plant_Write_Faults(const WriteFaults& faults)
{
    std::lock_guard lock(g_faults_mutex);
    g_faults = faults;
    g_faults_planted = true;
}

void Clear_Write_Faults()
{
    std::lock_guard lock(g_faults_mutex);
    g_faults = WriteFaults{};
    g_faults_planted = false;
}

} // namespace zol
