#include "core/map/map_file.h"
#include "core/messages/texts.h"

#include "core/map/allocation.h"
#include "core/map/file_path.h"
#include "core/map/file_writer.h"
#include "core/map/flag_file.h"
#include "core/map/text_codec.h"
#include "core/messages/show_message.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zol {

namespace {

// Reads sequentially from the file's bytes, counting what is left of the real file length.
class ByteReader {
public:
    ByteReader(const QByteArray& data, qint64 length) : data_(data), remaining_(length) {}
    qint64 remaining() const { return remaining_; }
    // Takes n bytes; false when the file ends first.
    bool take(qint64 n)
    {
        remaining_ -= n;
        return remaining_ >= 0;
    }
    uint8_t byte() { return pos_ < data_.size() ? uint8_t(data_[pos_++]) : 0; }
    void copy(uint8_t* out, qint64 n)
    {
        qint64 available = std::clamp<qint64>(data_.size() - pos_, 0, n);
        std::copy_n(reinterpret_cast<const uint8_t*>(data_.constData()) + pos_, available, out);
        pos_ += available;
    }

private:
    const QByteArray& data_;
    qint64 pos_ = 0;
    qint64 remaining_;
};

// The link and event records and the palette name that follow the grid.
int Read_Tables(ByteReader& in, edit_form& doc)
{
    if (!in.take(1)) return kReadEndBeforeLinkCount;
    const int links = in.byte();
    if (links != 0) {
        std::vector<uint8_t>* columns[] = {&doc.links.target_map, &doc.links.target_x,
                                           &doc.links.target_y, &doc.links.x, &doc.links.y};
        for (int c = 0; c < 5; ++c)
            if (!Allocate(*columns[c], std::size_t(links))) return kReadNoMemoryLinkColumn1 + c;
        for (std::size_t i = 0; i < std::size_t(links); ++i) {
            if (!in.take(5)) return kReadEndInLink;
            for (auto* column : columns) (*column)[i] = in.byte();
        }
    }

    if (!in.take(1)) return kReadEndBeforeEventCount;
    const int events = in.byte();
    if (events != 0) {
        std::vector<uint8_t>* columns[] = {&doc.events.number, &doc.events.x, &doc.events.y};
        for (int c = 0; c < 3; ++c)
            if (!Allocate(*columns[c], std::size_t(events))) return kReadNoMemoryEventColumn1 + c;
        for (std::size_t i = 0; i < std::size_t(events); ++i) {
            if (!in.take(3)) return kReadEndInEvent;
            for (auto* column : columns) (*column)[i] = in.byte();
        }
    }

    const qint64 name_length = in.remaining();
    if (name_length > kMaxPaletteNameBytes) return kReadPaletteNameTooLong;
    std::vector<uint8_t> name;
    if (!Allocate(name, std::size_t(name_length), uint8_t(0))) return kReadNoMemoryPaletteName;
    in.copy(name.data(), name_length);
    doc.palette_name = QByteArray(reinterpret_cast<const char*>(name.data()), qsizetype(name.size()));
    return kReadOk;
}

void Release_Read_Data(edit_form& doc)
{
    doc.grid.clear();
    doc.links.clear();
    doc.events.clear();
    doc.palette_name.clear();
}

// Everything after the grid: the reader needs no more than the longest well-formed tail (and
// one byte more, to tell a name that is too long).
constexpr qint64 kLongestTail = 1 + 5 * kMaxLinks + 1 + 3 * kMaxEvents + kMaxPaletteNameBytes + 1;

int Read_Grid_And_Tables(QFile& file, qint64 length, edit_form& doc)
{
    // The grid goes straight from the file into its block.
    if (!doc.grid.Allocate_Uninitialized(doc.width(), doc.height())) return kReadNoMemoryColumns;
    const qint64 grid_bytes = qint64(doc.grid.size());
    if (length - 2 < grid_bytes) return kReadEndInGrid;
    if (file.read(reinterpret_cast<char*>(doc.grid.data()), grid_bytes) != grid_bytes)
        return kReadEndInGrid;
    const qint64 rest = length - 2 - grid_bytes;
    const QByteArray tail = file.read(std::min(rest, kLongestTail));
    ByteReader in(tail, rest);
    return Read_Tables(in, doc);
}

} // namespace

int Read_Map(const QString& path, edit_form& doc)
{
    // The sizes are the file's own first two bytes, 0 where it has none: never those of a map
    // read before.
    doc.max_x = doc.max_y = 0;
    // Only plain files: opening a named pipe would wait for a writer for ever.
    if (!QFileInfo(path).isFile()) return kReadCannotOpen; // directories too
    QFile file(path);
    // Unbuffered: the grid goes from the file into its block in one read.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return kReadCannotOpen;
    const qint64 length = file.size();
    Release_Read_Data(doc);
    char header[2] = {0, 0};
    const qint64 got = file.read(header, 2);
    if (got >= 1) doc.max_x = uint8_t(header[0]);
    if (got >= 2) doc.max_y = uint8_t(header[1]);
    if (length < 2 || got < 2) return kReadTooShort;

    const int code = Read_Grid_And_Tables(file, length, doc);
    if (code != kReadOk) Release_Read_Data(doc);
    return code;
}

QByteArray Encode_Map(const edit_form& doc, const QByteArray& palette_name)
{
    const qsizetype size = 4 + qsizetype(doc.width()) * doc.height() + 5 * doc.links.count() +
                           3 * doc.events.count() + palette_name.size();
    QByteArray out;
    out.reserve(size);
    out.append(char(doc.max_x));
    out.append(char(doc.max_y));
    out.append(reinterpret_cast<const char*>(doc.grid.data()), qsizetype(doc.grid.size()));
    out.append(char(doc.links.count()));
    for (int i = 0; i < doc.links.count(); ++i) {
        const std::size_t k = std::size_t(i);
        const char record[] = {char(doc.links.target_map[k]), char(doc.links.target_x[k]),
                               char(doc.links.target_y[k]), char(doc.links.x[k]),
                               char(doc.links.y[k])};
        out.append(record, 5);
    }
    out.append(char(doc.events.count()));
    for (int i = 0; i < doc.events.count(); ++i) {
        const std::size_t k = std::size_t(i);
        const char record[] = {char(doc.events.number[k]), char(doc.events.x[k]),
                               char(doc.events.y[k])};
        out.append(record, 3);
    }
    out.append(palette_name);
    return out;
}

QByteArray Encode_Palette_Name(const QString& name)
{
    if (auto sjis = Encode_Shift_JIS(name)) return *sjis;
    return name.toUtf8();
}

namespace {
QByteArray Cut_At_Nul(const QByteArray& raw)
{
    qsizetype nul = raw.indexOf('\0');
    return nul < 0 ? raw : raw.left(nul);
}

QString Last_Component(const QString& name)
{
    QString last = Path_File_Name(name);
    if (last == QLatin1String(".") || last == QLatin1String("..")) return QString();
    return last;
}
} // namespace

QString Decode_Palette_Name(const QByteArray& raw)
{
    const QByteArray bytes = Cut_At_Nul(raw);
    if (auto utf8 = Decode_UTF8(bytes)) return *utf8;
    if (auto sjis = Decode_Shift_JIS(bytes)) return *sjis;
    return QString::fromUtf8(bytes);
}

QStringList Palette_Name_Candidates(const QByteArray& raw)
{
    const QByteArray bytes = Cut_At_Nul(raw);
    QStringList names;
    if (auto utf8 = Decode_UTF8(bytes)) names << Last_Component(*utf8);
    if (auto sjis = Decode_Shift_JIS(bytes)) {
        QString name = Last_Component(*sjis);
        if (!names.contains(name)) names << name;
    }
    if (names.isEmpty()) names << Last_Component(QString::fromUtf8(bytes));
    return names;
}

QString Resolve_Palette_Path(const QString& map_path, const QByteArray& raw_name)
{
    const QString dir = Path_Directory(map_path);
    const QStringList names = Palette_Name_Candidates(raw_name);
    for (const QString& name : names) {
        if (name.isEmpty()) continue;
        QString found = Find_File_Ignoring_Case(Path_Join(dir, name + QStringLiteral(".bmp")));
        if (!found.isEmpty()) return found;
    }
    return Path_Join(dir, names.first() + QStringLiteral(".bmp"));
}

bool Read_Map_Document(edit_form& doc, const QString& path)
{
    doc.file_path = path;
    Reset_Map(doc);
    const int code = Read_Map(path, doc);
    if (code == kReadOk) return true;
    Show_Message(nullptr, Text::tr("何故に？"),
                 Text::tr("ファイルを開くのに失敗しました\nERROR No.%1 %2 %3")
                     .arg(code)
                     .arg(doc.max_x)
                     .arg(doc.max_y),
                 MB_OK, MB_ICON_STOP);
    Reset_Map(doc);
    return false;
}

bool Open_Map_Document(edit_form& doc, const QString& path,
                       const std::function<bool(const QString& palette_path)>& settle_palette)
{
    if (!Read_Map_Document(doc, path)) return false;
    const QString palette = Resolve_Palette_Path(path, doc.palette_name);
    doc.palette_name.clear();
    if (!settle_palette(palette) || !Load_Flags(doc)) {
        Reset_Map(doc);
        return false;
    }
    return true;
}

MapFilesWrite Write_Map_Files(const QString& path, const QByteArray& map_bytes, const std::vector<uint8_t>& flags,
                              QString* why)
{
    const QString flag_path = Flag_Path(path);
    FileBatch batch;
    if (batch.Add(path, map_bytes) && batch.Add(flag_path, Encode_Flag_File(flags)) && batch.Commit())
        return MapFilesWrite::Done;
    if (why) *why = batch.Error();
    return batch.Failed_Path() == flag_path ? MapFilesWrite::FlagsFailed : MapFilesWrite::MapFailed;
}

bool Write_Map_To(edit_form& doc, const QString& path, const QString& palette_name,
                  const QString& failure_caption)
{
    switch (Write_Map_Files(path, Encode_Map(doc, Encode_Palette_Name(palette_name)), doc.flags)) {
    case MapFilesWrite::Done:
        doc.file_path = path;
        doc.saved = 1;
        return true;
    case MapFilesWrite::MapFailed:
        Show_Message(nullptr, failure_caption, Text::tr("ファイルを開くのに失敗しました"), MB_OK, MB_ICON_STOP);
        return false;
    case MapFilesWrite::FlagsFailed:
        Show_Message(nullptr, Text::tr("あれ？"), Text::tr("フラグデータの保存に失敗しました"), MB_OK,
                     MB_ICON_STOP);
        return false;
    }
    return false;
}

bool Write_Map(edit_form& doc, const QString& palette_name, const QString& failure_caption)
{
    return Write_Map_To(doc, doc.file_path, palette_name, failure_caption);
}

} // namespace zol
