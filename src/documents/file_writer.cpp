#include "documents/file_writer.h"

#include <QFileInfo>
#include <QSaveFile>

namespace zol {

bool Writable_Target(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) return true;
    constexpr auto kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isFile() && info.isWritable() && (info.permissions() & kAnyWrite);
}

bool Write_File_Atomically(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    if (path.isEmpty() || !Writable_Target(path)) return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool Write_File_Atomically(const QString& path, const QByteArray& data)
{
    return Write_File_Atomically(path, [&data](QIODevice& device) {
        return device.write(data) == data.size();
    });
}

} // namespace zol
