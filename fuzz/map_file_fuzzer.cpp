// The map file with its flag file: the input is split at its first 64 bytes from the end into a
// flag file and a map file; both are read as opening a map does, and the map written back.

#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    zol::fuzz::Install_Quiet_Presenter();
    const QByteArray input = zol::fuzz::Bytes(data, size);
    const qsizetype flags = std::min<qsizetype>(64, input.size() / 8);
    const QString map = zol::fuzz::Write_Input(QStringLiteral("m.zol"), input.left(input.size() - flags));
    zol::fuzz::Write_Input(QStringLiteral("m.flg"), input.right(flags));
    zol::edit_form doc;
    if (zol::Read_Map(map, doc) != zol::kReadOk) return 0;
    doc.file_path = map;
    if (!zol::Load_Flags(doc)) return 0;
    for (int x = 0; x < doc.width(); ++x)
        for (int y = 0; y < doc.height(); ++y) (void)doc.drawing_value(doc.cell(x, y) & 0x3f);
    const QByteArray again = zol::Encode_Map(doc, doc.palette_name);
    (void)zol::Palette_Name_Candidates(doc.palette_name);
    (void)zol::Resolve_Palette_Path(map, doc.palette_name);
    return again.isEmpty() ? 1 : 0;
}
