// TMX and JSON import: the input is read as a .tmx when it starts with '<' and as a .tmj
// otherwise, with an external tileset file beside it that the map may name; what is accepted is
// written as a map file, read back and exported again.

#include "documents/map_file.h"
#include "documents/tiled_map.h"
#include "fuzz_support.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    zol::fuzz::Install_Quiet_Presenter();
    const QByteArray input = zol::fuzz::Bytes(data, size);
    // A tileset beside the map, for maps that name one.
    zol::fuzz::Write_Input(QStringLiteral("t.tsx"), input.right(std::min<qsizetype>(input.size(), 200)));
    const bool xml = input.startsWith('<');
    const QString path = zol::fuzz::Write_Input(xml ? QStringLiteral("m.tmx") : QStringLiteral("m.tmj"), input);
    zol::TiledImport import;
    if (!zol::Import_Tiled_Map(path, import).isEmpty()) return 0;
    const QString zol_path = zol::fuzz::Work_Folder().filePath(QStringLiteral("m.zol"));
    if (!zol::Write_Imported_Map(import, zol_path).isEmpty()) return 0;
    zol::edit_form doc;
    if (zol::Read_Map(zol_path, doc) != zol::kReadOk) std::abort(); // what import writes must read
    const QString out = zol::fuzz::Work_Folder().filePath(xml ? QStringLiteral("o.tmj") : QStringLiteral("o.tmx"));
    doc.flags = import.doc.flags;
    (void)zol::Export_Tiled_Map(doc, doc.palette_name, zol::fuzz::Work_Folder().filePath("t.bmp"), out,
                                xml ? zol::TiledFormat::Json : zol::TiledFormat::Tmx);
    return 0;
}
