#pragma once
// Helpers shared by the tests: temporary directories, small maps drawn as text, file access.

#include "core/map/edit_form.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zol::test {

// A map from rows of cell bytes written as text, one row a line: "0 0 7\n7 7 7" is 3 x 2.
edit_form Map_From_Text(const char* rows);
// The grid as the same text.
QString Map_To_Text(const edit_form& doc);

QByteArray Read_File(const QString& path);
void Write_File(const QString& path, const QByteArray& bytes);

// A byte array from a list of byte values.
QByteArray Bytes(std::initializer_list<int> values);

// While it lives, this process cannot make a file larger than bytes: writes past that fail with
// EFBIG (SIGXFSZ ignored), as they would with ENOSPC on a full disk. Processes started meanwhile
// inherit the limit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long old_soft_;
    void (*old_handler_)(int);
};

// The names of the files in dir, sorted, hidden ones included: what a failed write left behind.
QStringList Files_In(const QString& dir);

// Whether text holds kana, a CJK ideograph or punctuation, or a full-width form.
bool Has_Japanese(const QString& text);

} // namespace zol::test
