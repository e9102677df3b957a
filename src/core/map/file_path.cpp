#include "core/map/file_path.h"

#include <QDir>
#include <QFileInfo>

namespace zol {

namespace {
qsizetype Last_Separator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}
} // namespace

QString Path_Directory(const QString& path)
{
    qsizetype sep = Last_Separator(path);
    if (sep < 0) return QString();
    if (sep == 0) return path.left(1);
    return path.left(sep);
}

QString Path_File_Name(const QString& path) { return path.mid(Last_Separator(path) + 1); }

QString Path_Extension(const QString& path)
{
    QString name = Path_File_Name(path);
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString Path_Name_Part(const QString& path)
{
    QString name = Path_File_Name(path);
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString Path_With_Extension(const QString& path, const QString& ext)
{
    return path.left(path.size() - Path_Extension(path).size()) + ext;
}

QString Path_Join(const QString& dir, const QString& file_name)
{
    if (dir.isEmpty()) return file_name;
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))) return dir + file_name;
    return dir + QLatin1Char('/') + file_name;
}

QString Absolute_Path(const QString& path)
{
    if (path.isEmpty()) return path;
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty()) return canonical;
    return QDir::cleanPath(info.absoluteFilePath());
}

QString Find_File_Ignoring_Case(const QString& path)
{
    QFileInfo exact(path);
    if (exact.isFile()) return path;
    QString name = Path_File_Name(path);
    if (name.isEmpty()) return QString();
    QString dir = Path_Directory(path);
    QDir directory(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries = directory.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return Path_Join(dir, entry);
    }
    return QString();
}

} // namespace zol
