#include "core/map/flag_file.h"
#include "core/messages/texts.h"

#include "core/map/allocation.h"
#include "core/map/file_path.h"
#include "core/map/file_writer.h"
#include "core/messages/show_message.h"

#include <QFile>
#include <QFileInfo>

namespace zol {

QString Flag_Path(const QString& map_path) { return Path_With_Extension(map_path, QStringLiteral(".flg")); }

bool Read_Flag_File(const QString& map_path, std::vector<uint8_t>& table)
{
    const QString path = Find_File_Ignoring_Case(Flag_Path(map_path));
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.read(kCellCount);
    std::copy(bytes.begin(), bytes.end(), table.begin());
    return true;
}

void Rebuild_Flags(edit_form& doc)
{
    const uint8_t* cells = doc.grid.data();
    for (std::size_t i = 0; i < doc.grid.size(); ++i) {
        uint8_t& entry = doc.flags[Cell_Number(cells[i])];
        if (entry == kFlagUnknown) entry = Cell_Flag(cells[i]);
    }
    for (uint8_t& entry : doc.flags)
        if (entry == kFlagUnknown) entry = 0;
}

bool Load_Flags(edit_form& doc, bool* rebuilt)
{
    if (rebuilt) *rebuilt = false;
    if (!Allocate(doc.flags, kCellCount, kFlagUnknown)) {
        Show_Message(nullptr, QStringLiteral("ERROR(11.1)"), No_Memory_Text(), MB_OK, MB_ICON_STOP);
        return false;
    }
    if (Read_Flag_File(doc.file_path, doc.flags)) return true;
    Show_Message(nullptr, Text::tr("問題ない（ニヤリ）"),
                 Text::tr("フラグデータが見つからなかったので\nマップデータからフラグを再現します。"),
                 MB_OK, MB_ICON_INFORMATION);
    Rebuild_Flags(doc);
    if (rebuilt) *rebuilt = true;
    return true;
}

QByteArray Encode_Flag_File(const std::vector<uint8_t>& table)
{
    QByteArray bytes(kCellCount, '\0');
    if (table.size() == kCellCount) std::copy(table.begin(), table.end(), bytes.begin());
    return bytes;
}

bool Write_Flag_File(const QString& flag_path, const std::vector<uint8_t>& table)
{
    return Write_File_Atomically(flag_path, Encode_Flag_File(table));
}

} // namespace zol
