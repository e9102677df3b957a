#pragma once
// Every file the program writes (maps, flag files, palettes, images) goes through here, under
// one policy: the bytes are written beside the target and renamed over it, so a failed write
// leaves the old file as it was; a target that exists but is read-only, or is not a plain file,
// is refused; every failure comes back as false for the caller to report.

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace zol {

// True when path may be written: it does not exist yet, or it is a plain file that is not
// marked read-only (for everyone, so that the superuser is refused too).
bool Writable_Target(const QString& path);

// Replaces the file at path with data.
bool Write_File_Atomically(const QString& path, const QByteArray& data);

// Replaces the file at path with what write puts into the device it is given; write returns
// false to give up, leaving the old file untouched.
bool Write_File_Atomically(const QString& path, const std::function<bool(QIODevice&)>& write);

} // namespace zol
