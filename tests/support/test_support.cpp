#include "test_support.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QStringList>

#include <csignal>
#include <stdexcept>

#include <sys/resource.h>

namespace zol::test {

edit_form Map_From_Text(const char* rows)
{
    const QStringList lines = QString::fromUtf8(rows).trimmed().split(QLatin1Char('\n'));
    std::vector<QStringList> cells;
    for (const QString& line : lines) cells.push_back(line.simplified().split(QLatin1Char(' ')));
    edit_form doc;
    const int height = int(cells.size());
    const int width = int(cells[0].size());
    doc.max_x = uint8_t(width - 1);
    doc.max_y = uint8_t(height - 1);
    doc.grid.Allocate(width, height, 0);
    for (int y = 0; y < height; ++y) {
        if (cells[std::size_t(y)].size() != width) throw std::invalid_argument("ragged map text");
        for (int x = 0; x < width; ++x) doc.cell(x, y) = uint8_t(cells[std::size_t(y)][x].toInt());
    }
    doc.flags.assign(kCellCount, 0);
    return doc;
}

QString Map_To_Text(const edit_form& doc)
{
    QStringList rows;
    for (int y = 0; y < doc.height(); ++y) {
        QStringList row;
        for (int x = 0; x < doc.width(); ++x) row << QString::number(doc.cell(x, y));
        rows << row.join(QLatin1Char(' '));
    }
    return rows.join(QLatin1Char('\n'));
}

QByteArray Read_File(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

void Write_File(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) out.append(char(v));
    return out;
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    old_soft_ = limit.rlim_cur;
    limit.rlim_cur = rlim_t(bytes);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("cannot limit the file size");
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(old_soft_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, old_handler_);
}

QStringList Files_In(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool Has_Japanese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x3000 && u <= 0x30ff) || (u >= 0x3400 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef);
    });
}

} // namespace zol::test
