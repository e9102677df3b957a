#pragma once
// The parts of a file path the program works with: directory, name without extension, name with
// extension, and replacing the extension. Paths may be bare names (a new map's "…(1).zol").

#include <QString>

namespace zol {

// Directory part without the trailing separator; empty for a bare name.
QString Path_Directory(const QString& path);
// File name with extension, no directory.
QString Path_File_Name(const QString& path);
// File name without directory and without extension.
QString Path_Name_Part(const QString& path);
// Extension including its dot (".zol"), or empty.
QString Path_Extension(const QString& path);
// The path with its extension replaced by ext (which includes the dot).
QString Path_With_Extension(const QString& path, const QString& ext);
// dir joined with a file name; a bare name when dir is empty.
QString Path_Join(const QString& dir, const QString& file_name);

// The path made absolute against the working directory and cleaned of "." and ".." parts, with
// symbolic links resolved when the file exists, so that one file always has one name.
QString Absolute_Path(const QString& path);

// The file itself when it exists; otherwise a file in the same directory whose name matches
// ignoring letter case (maps made on a case-insensitive file system); otherwise empty.
QString Find_File_Ignoring_Case(const QString& path);

} // namespace zol
