// TMX and JSON import. The input is a map and, after its first NUL byte, the tileset file beside
// it (written as t.tsx and as t.tsj); the map is read as a .tmx when it starts with '<' and as a
// .tmj otherwise. The map's folder, maps/, also holds links: link.tsx to t.tsx and sub to maps/
// itself, which stay inside; out.tsx, out.tsj and sib.tsx to files outside and up to a folder
// outside. Beside maps/ lie outside/ and maps2/ (a name that starts with the map folder's),
// whose tilesets are far larger than any input: an import that read one of them, accepted or
// not, read more bytes than the map and its own tilesets hold, which stops the run. What is
// accepted is written as a map file, read back and exported again.

#include "core/map/map_file.h"
#include "core/exchange/tiled_map.h"
#include "fuzz_support.h"

#include <cstdlib>

namespace {

// Lays out the folders and links, once.
void Lay_Out_Folders()
{
    static const bool done = [] {
        QDir& root = zol::fuzz::Work_Folder();
        for (const char* folder : {"maps", "maps2", "outside"}) root.mkpath(QString::fromLatin1(folder));
        // Valid tilesets, padded past what any input can bring in.
        const QByteArray padding(4 << 20, ' ');
        const QByteArray tsx = "<tileset name=\"o\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"64\" columns=\"4\">"
                               "<image source=\"outside.bmp\"/></tileset>" + padding;
        const QByteArray tsj = "{\"name\":\"o\",\"tilewidth\":32,\"tileheight\":32,\"tilecount\":64,\"columns\":4,"
                               "\"image\":\"outside.bmp\"}" + padding;
        for (const char* folder : {"maps2", "outside"}) {
            zol::fuzz::Write_Input(QStringLiteral("%1/t.tsx").arg(QLatin1String(folder)), tsx);
            zol::fuzz::Write_Input(QStringLiteral("%1/t.tsj").arg(QLatin1String(folder)), tsj);
        }
        const char* links[][2] = {{"t.tsx", "maps/link.tsx"},         {".", "maps/sub"},
                                  {"../outside/t.tsx", "maps/out.tsx"}, {"../outside/t.tsj", "maps/out.tsj"},
                                  {"../maps2/t.tsx", "maps/sib.tsx"},   {"../outside", "maps/up"}};
        for (const auto& [target, name] : links) QFile::link(QString::fromLatin1(target), root.filePath(QString::fromLatin1(name)));
        return true;
    }();
    (void)done;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    zol::fuzz::Install_Quiet_Presenter();
    Lay_Out_Folders();
    const QString maps = QStringLiteral("maps/");
    const QByteArray input = zol::fuzz::Bytes(data, size);
    const qsizetype nul = input.indexOf('\0');
    const QByteArray map = nul < 0 ? input : input.left(nul);
    const QByteArray tileset = nul < 0 ? QByteArray() : input.mid(nul + 1);
    zol::fuzz::Write_Input(maps + QStringLiteral("t.tsx"), tileset);
    zol::fuzz::Write_Input(maps + QStringLiteral("t.tsj"), tileset);
    const bool xml = map.startsWith('<');
    QFile::remove(zol::fuzz::Work_Folder().filePath(maps + (xml ? QStringLiteral("m.tmj") : QStringLiteral("m.tmx"))));
    const QString path = zol::fuzz::Write_Input(maps + (xml ? QStringLiteral("m.tmx") : QStringLiteral("m.tmj")), map);
    zol::TiledImport import;
    zol::TiledFilesRead read;
    const QString problem = zol::Import_Tiled_Map(path, import, &read);
    // The map, perhaps again as a tileset, and its two tileset files: nothing else is inside.
    if (read.bytes > 2 * map.size() + 2 * tileset.size()) std::abort();
    if (!problem.isEmpty()) return 0;
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
