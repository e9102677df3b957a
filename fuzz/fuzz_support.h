#pragma once
// What the fuzz targets share: the input written to a file in a private temporary folder, as
// the editor reads every file from disk, and a message presenter that answers every box.

#include "core/messages/show_message.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace zol::fuzz {

// Answers every message box with its default button, silently.
class QuietPresenter : public MessagePresenter {
public:
    MessageButton present(const MessageRequest& request) override
    {
        return request.buttons[std::size_t(request.default_index)];
    }
};

inline void Install_Quiet_Presenter()
{
    static QuietPresenter presenter;
    Set_Message_Presenter(&presenter);
}

// The folder the inputs are written to, made once per run: in memory (/dev/shm) when there is
// such a folder, as every execution rewrites its files, and a disk's file system may write a
// file truncated and written again out to the disk when it is closed.
inline QDir& Work_Folder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/zol-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + QStringLiteral("/zol-fuzz-XXXXXX"));
    static QDir folder(dir.path());
    return folder;
}

// Writes bytes to name in the work folder and returns its path.
inline QString Write_Input(const QString& name, const QByteArray& bytes)
{
    const QString path = Work_Folder().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    return path;
}

inline QByteArray Bytes(const uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace zol::fuzz
