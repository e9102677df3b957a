// Export to and import from the Tiled map formats: round trips that give the map and flag files
// back byte for byte, hand-written maps in every data encoding, and every refusal.

#include "core/render/map_renderer.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/exchange/tiled_map.h"
#include "test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <zlib.h>

#include <filesystem>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zol {
namespace {

using test::Read_File;
using test::Write_File;

class TiledMapTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }

    // Exports the map file at map_path in format, imports the result, and checks both files
    // come back byte for byte.
    void Round_Trip(const QString& map_path, TiledFormat format)
    {
        edit_form doc;
        ASSERT_EQ(Read_Map(map_path, doc), kReadOk);
        doc.file_path = map_path;
        doc.flags.assign(kCellCount, kFlagUnknown);
        ASSERT_TRUE(Read_Flag_File(map_path, doc.flags));
        const QString out = Path(format == TiledFormat::Tmx ? "out.tmx" : "out.tmj");
        ASSERT_EQ(Export_Tiled_Map(doc, doc.palette_name, Resolve_Palette_Path(map_path, doc.palette_name), out, format), QString());
        TiledImport import;
        ASSERT_EQ(Import_Tiled_Map(out, import), QString());
        ASSERT_EQ(Write_Imported_Map(import, Path("back.zol")), QString());
        EXPECT_EQ(Read_File(Path("back.zol")), Read_File(map_path));
        EXPECT_EQ(Read_File(Path("back.flg")), Read_File(Flag_Path(map_path)));
    }

    QString Write_Map_File(const char* name, edit_form& doc, const QByteArray& palette)
    {
        const QString path = Path(QString::fromUtf8(name));
        Write_File(path, Encode_Map(doc, palette));
        EXPECT_TRUE(Write_Flag_File(Flag_Path(path), doc.flags));
        return path;
    }

    QString Import_Error(const QString& name, const QByteArray& text)
    {
        Write_File(Path(name), text);
        TiledImport import;
        import.doc.max_x = 77; // untouched by a refusal
        const QString error = Import_Tiled_Map(Path(name), import);
        EXPECT_EQ(import.doc.max_x, 77) << name.toStdString();
        return error;
    }
};

// A full-size map: cells with every flag, 255 links and 255 events, flags above 3 in the table.
edit_form Largest_Map()
{
    edit_form doc;
    doc.max_x = doc.max_y = 255;
    doc.grid.Allocate(256, 256);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y) doc.cell(x, y) = uint8_t((x * 31 + y * 17) % 256);
    for (int i = 0; i < kMaxLinks; ++i) {
        doc.links.target_map.push_back(uint8_t(i % 5));
        doc.links.target_x.push_back(uint8_t(255 - i));
        doc.links.target_y.push_back(uint8_t(i));
        doc.links.x.push_back(uint8_t(i));
        doc.links.y.push_back(uint8_t((i * 7) % 256));
        doc.events.number.push_back(uint8_t(i));
        doc.events.x.push_back(uint8_t(255 - i));
        doc.events.y.push_back(uint8_t(i / 2));
    }
    doc.flags.assign(kCellCount, 0);
    for (int n = 0; n < kCellCount; ++n) doc.flags[std::size_t(n)] = uint8_t(n % 6);
    return doc;
}

TEST_F(TiledMapTest, ExportThenImportGivesTheSameFiles)
{
    // The sample map with its tileset beside it.
    const QString examples = QStringLiteral(ZOL_EXAMPLES_DIR);
    for (const char* name : {"sample.zol", "sample.flg", "sample.bmp"})
        ASSERT_TRUE(QFile::copy(examples + "/" + name, Path(QString::fromLatin1(name))));
    edit_form largest = Largest_Map();
    edit_form one = test::Map_From_Text("199");
    one.flags.assign(kCellCount, 3);
    edit_form named = test::Map_From_Text("1 2\n3 4");
    named.flags.assign(kCellCount, 0);
    struct Case {
        const char* what;
        QString path;
    } cases[] = {
        {"the sample map", Path("sample.zol")},
        {"256 x 256 with 255 links and 255 events", Write_Map_File("largest.zol", largest, "tiles")},
        {"1 x 1", Write_Map_File("one.zol", one, "a")},
        {"a Shift-JIS palette name", Write_Map_File("sjis.zol", named, Encode_Palette_Name(QStringLiteral("マップチップ")))},
        {"a palette name stored as UTF-8", Write_Map_File("utf8.zol", named, QStringLiteral("タイル").toUtf8())},
        {"a name with bytes after a NUL", Write_Map_File("nul.zol", named, QByteArray("ab\0cd", 5))},
        {"no palette name", Write_Map_File("none.zol", named, QByteArray())},
    };
    for (const Case& c : cases) {
        for (TiledFormat format : {TiledFormat::Tmx, TiledFormat::Json}) {
            SCOPED_TRACE(std::string(c.what) + (format == TiledFormat::Tmx ? " as TMX" : " as JSON"));
            Round_Trip(c.path, format);
        }
    }
}

TEST_F(TiledMapTest, TheExportedMapNamesItsTilesetsAndHidesTheFlags)
{
    edit_form doc = test::Map_From_Text("65 2\n3 196");
    doc.flags.assign(kCellCount, 0);
    doc.links = {{1}, {2}, {3}, {1}, {0}};
    doc.events = {{9}, {0}, {1}};
    QDir().mkpath(Path("maps"));
    ASSERT_TRUE(QImage(128, 512, QImage::Format_RGB32).save(Path("tiles.bmp"), "BMP"));
    ASSERT_EQ(Export_Tiled_Map(doc, "tiles", Path("tiles.bmp"), Path("maps/m.tmx"), TiledFormat::Tmx), QString());
    const QString tmx = QString::fromUtf8(Read_File(Path("maps/m.tmx")));
    EXPECT_TRUE(tmx.contains(QStringLiteral("<image source=\"../tiles.bmp\" width=\"128\" height=\"512\"/>")));
    EXPECT_TRUE(tmx.contains(QStringLiteral("<layer id=\"2\" name=\"flags\" width=\"2\" height=\"2\" visible=\"0\">")));
    EXPECT_TRUE(tmx.contains(QStringLiteral("\n2,3,\n4,5\n"))) << "cell number + 1, a row a line";
    EXPECT_TRUE(tmx.contains(QStringLiteral("\n66,0,\n0,68\n"))) << "flags over the second tileset";
    EXPECT_TRUE(tmx.contains(QStringLiteral("type=\"link\" x=\"48\" y=\"16\"")));
    EXPECT_TRUE(tmx.contains(QStringLiteral("<property name=\"event\" type=\"int\" value=\"9\"/>")));
    QXmlStreamReader xml(tmx);
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    const QImage flags(Flags_Tileset_Path(Path("maps/m.tmx")));
    ASSERT_EQ(flags.size(), QSize(128, 32));
    EXPECT_EQ(qAlpha(flags.pixel(5, 5)), 0) << "flag 0 is left empty";
    EXPECT_EQ(qAlpha(flags.pixel(32 + 5, 5)), 128);
}

// Draws a TMX map's first tile layer as a TMX reader does: tile id minus the tileset's firstgid,
// cut from the tileset image (found relative to the map) in its columns of 32 x 32 tiles.
QImage Draw_As_A_Reader_Does(const QString& tmx_path)
{
    QFile file(tmx_path);
    if (!file.open(QIODevice::ReadOnly)) return QImage();
    QXmlStreamReader xml(&file);
    int width = 0, height = 0, first_gid = 0, columns = 0;
    QImage tiles, picture;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("map")) {
            width = a.value("width").toInt();
            height = a.value("height").toInt();
            picture = QImage(width * 32, height * 32, QImage::Format_RGB32);
        } else if (xml.name() == QLatin1String("tileset") && first_gid == 0) {
            first_gid = a.value("firstgid").toInt();
            columns = a.value("columns").toInt();
        } else if (xml.name() == QLatin1String("image") && tiles.isNull()) {
            tiles = QImage(QFileInfo(tmx_path).dir().filePath(a.value("source").toString()));
        } else if (xml.name() == QLatin1String("data")) {
            const QStringList ids = xml.readElementText().split(',');
            QPainter painter(&picture);
            for (int i = 0; i < ids.size(); ++i) {
                const int tile = ids[i].trimmed().toInt() - first_gid;
                painter.drawImage(QPoint((i % width) * 32, (i / width) * 32), tiles,
                                  QRect((tile % columns) * 32, (tile / columns) * 32, 32, 32));
            }
            return picture;
        }
    }
    return QImage();
}

TEST_F(TiledMapTest, AReaderDrawsTheSamePictureAsRender)
{
    const QString examples = QStringLiteral(ZOL_EXAMPLES_DIR);
    edit_form doc;
    ASSERT_EQ(Read_Map(examples + "/sample.zol", doc), kReadOk);
    doc.flags.assign(kCellCount, 0);
    const QString tileset = Resolve_Palette_Path(examples + "/sample.zol", doc.palette_name);
    ASSERT_EQ(Export_Tiled_Map(doc, doc.palette_name, tileset, Path("elsewhere.tmx"), TiledFormat::Tmx), QString());
    CellCache cache;
    cache.Build(Cut_Cells(Read_Bitmap(tileset)), 32);
    const QImage drawn = Draw_As_A_Reader_Does(Path("elsewhere.tmx"));
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn, Render_Map_Image(doc, cache).convertToFormat(QImage::Format_RGB32));
}

// ---- Maps written by hand --------------------------------------------------------------------

QByteArray Le_Bytes(const std::vector<uint32_t>& ids)
{
    QByteArray bytes;
    for (uint32_t id : ids)
        for (int k = 0; k < 4; ++k) bytes.append(char((id >> (8 * k)) & 0xff));
    return bytes;
}

QByteArray Deflate(const QByteArray& bytes, bool gzip)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// A 3 x 2 TMX map of one tileset (firstgid 10) and one layer whose data element is data.
QByteArray Tmx(const QByteArray& data, const QByteArray& extra = QByteArray())
{
    return "<?xml version=\"1.0\"?>\n<map orientation=\"orthogonal\" width=\"3\" height=\"2\" tilewidth=\"32\" "
           "tileheight=\"32\" infinite=\"0\">\n"
           " <tileset firstgid=\"10\" name=\"t\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"64\" columns=\"4\">\n"
           "  <image source=\"dir/Some Tiles.png\" width=\"128\" height=\"512\"/>\n </tileset>\n"
           " <layer id=\"1\" name=\"ground\" width=\"3\" height=\"2\">" + data + "</layer>\n" + extra + "</map>\n";
}

QByteArray Json(const QByteArray& layer_fields)
{
    return "{\"type\":\"map\",\"orientation\":\"orthogonal\",\"width\":3,\"height\":2,\"tilewidth\":32,"
           "\"tileheight\":32,\"infinite\":false,\"tilesets\":[{\"firstgid\":10,\"name\":\"t\",\"image\":"
           "\"Some Tiles.png\",\"tilewidth\":32,\"tileheight\":32,\"tilecount\":64,\"columns\":4}],\"layers\":"
           "[{\"type\":\"tilelayer\",\"name\":\"ground\",\"width\":3,\"height\":2," + layer_fields + "}]}";
}

TEST_F(TiledMapTest, HandWrittenMapsInEveryEncoding)
{
    // Row by row: 0 (empty: cell 0), 10 (cell 0), 11, 73 (cell 63), 12, 20.
    const std::vector<uint32_t> ids = {0, 10, 11, 73, 12, 20};
    const QByteArray raw = Le_Bytes(ids);
    struct Case {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"csv.tmx", Tmx("<data encoding=\"csv\">\n0,10,11,\n73,12,20\n</data>")},
        {"base64.tmx", Tmx("<data encoding=\"base64\">\n   " + raw.toBase64() + "\n  </data>")},
        {"zlib.tmx", Tmx("<data encoding=\"base64\" compression=\"zlib\">" + Deflate(raw, false).toBase64() + "</data>")},
        {"gzip.tmx", Tmx("<data encoding=\"base64\" compression=\"gzip\">" + Deflate(raw, true).toBase64() + "</data>")},
        {"tiles.tmx", Tmx("<data><tile/><tile gid=\"10\"/><tile gid=\"11\"/><tile gid=\"73\"/><tile gid=\"12\"/><tile gid=\"20\"/></data>")},
        {"array.tmj", Json("\"data\":[0,10,11,73,12,20]")},
        {"base64.tmj", Json("\"encoding\":\"base64\",\"data\":\"" + raw.toBase64() + "\"")},
        {"zlib.tmj", Json("\"encoding\":\"base64\",\"compression\":\"zlib\",\"data\":\"" + Deflate(raw, false).toBase64() + "\"")},
        {"gzip.json", Json("\"encoding\":\"base64\",\"compression\":\"gzip\",\"data\":\"" + Deflate(raw, true).toBase64() + "\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write_File(Path(c.name), c.text);
        TiledImport import;
        ASSERT_EQ(Import_Tiled_Map(Path(c.name), import), QString());
        EXPECT_EQ(test::Map_To_Text(import.doc), QStringLiteral("0 0 1\n63 2 10"));
        EXPECT_EQ(import.palette_name, QByteArray("Some Tiles")) << "the tileset image's name, without its folder";
        EXPECT_EQ(import.doc.flags, std::vector<uint8_t>(kCellCount, 0));
    }
}

TEST_F(TiledMapTest, ExternalTilesetsAndNamesStayInsideTheFolder)
{
    Write_File(Path("t.tsx"), "<?xml version=\"1.0\"?><tileset name=\"t\" tilewidth=\"32\" tileheight=\"32\" "
                              "tilecount=\"64\" columns=\"4\"><image source=\"t.bmp\"/></tileset>");
    const QByteArray layer = "<layer name=\"g\" width=\"1\" height=\"1\"><data encoding=\"csv\">2</data></layer>";
    auto map = [&layer](const QByteArray& tileset, const QByteArray& properties = QByteArray()) {
        return "<map orientation=\"orthogonal\" width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">" +
               properties + tileset + layer + "</map>";
    };
    Write_File(Path("ext.tmx"), map("<tileset firstgid=\"1\" source=\"t.tsx\"/>"));
    TiledImport import;
    ASSERT_EQ(Import_Tiled_Map(Path("ext.tmx"), import), QString());
    EXPECT_EQ(import.doc.cell(0, 0), 1);
    EXPECT_EQ(import.palette_name, QByteArray("t"));

    QDir().mkpath(Path("inner"));
    Write_File(Path("inner/up.tmx"), map("<tileset firstgid=\"1\" source=\"../t.tsx\"/>"));
    EXPECT_TRUE(Import_Tiled_Map(Path("inner/up.tmx"), import).contains(QStringLiteral("outside the map's folder")));
    Write_File(Path("inner/abs.tmx"), map("<tileset firstgid=\"1\" source=\"" + Path("t.tsx").toUtf8() + "\"/>"));
    EXPECT_TRUE(Import_Tiled_Map(Path("inner/abs.tmx"), import).contains(QStringLiteral("outside the map's folder")));

    // A palette name that is a path keeps only its last part.
    const QByteArray tileset = "<tileset firstgid=\"1\" name=\"t\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"64\" columns=\"4\"/>";
    for (const char* name : {"../../secret/name", "..\\up\\name", "/name"}) {
        Write_File(Path("named.tmx"), map(tileset, "<properties><property name=\"palette\" value=\"" + QByteArray(name) + "\"/></properties>"));
        ASSERT_EQ(Import_Tiled_Map(Path("named.tmx"), import), QString()) << name;
        EXPECT_EQ(import.palette_name, QByteArray("name")) << name;
    }
}

TEST_F(TiledMapTest, RefusalsNameWhatIsWrong)
{
    const QByteArray csv = "<data encoding=\"csv\">10,10,10,10,10,10</data>";
    QByteArray links, events;
    for (int i = 0; i < 256; ++i) {
        links += "<object type=\"link\" x=\"16\" y=\"16\"><properties><property name=\"target_map\" type=\"int\" value=\"1\"/>"
                 "<property name=\"target_x\" type=\"int\" value=\"1\"/><property name=\"target_y\" type=\"int\" value=\"1\"/></properties></object>";
        events += "<object class=\"event\" x=\"16\" y=\"16\"><properties><property name=\"event\" type=\"int\" value=\"1\"/></properties></object>";
    }
    QByteArray big = Tmx(csv);
    big.replace("width=\"3\" height=\"2\" tilewidth", "width=\"300\" height=\"2\" tilewidth");
    QByteArray infinite = Tmx(csv);
    infinite.replace("infinite=\"0\"", "infinite=\"1\"");
    QByteArray iso = Tmx(csv);
    iso.replace("orthogonal", "isometric");
    QByteArray small_tiles = Tmx(csv);
    small_tiles.replace("tilewidth=\"32\" tileheight=\"32\" infinite", "tilewidth=\"16\" tileheight=\"16\" infinite");
    QByteArray two_sets = Tmx(csv);
    two_sets.replace("<layer", "<tileset firstgid=\"100\" name=\"u\" tilewidth=\"32\" tileheight=\"32\"/><layer");
    struct Case {
        const char* name;
        QByteArray text;
        const char* says;
    } cases[] = {
        {"big.tmx", big, "300 x 2 tiles"},
        {"layers.tmx", Tmx(csv, "<layer name=\"b\" width=\"3\" height=\"2\">" + csv + "</layer>"), "2 tile layers"},
        {"three.tmx", Tmx(csv, "<layer name=\"b\" width=\"3\" height=\"2\">" + csv + "</layer><layer name=\"c\">" + csv + "</layer>"), "more than two tile layers"},
        {"past.tmx", Tmx("<data encoding=\"csv\">10,10,10,10,10,74</data>"), "id 64, past the 64 tiles"},
        {"below.tmx", Tmx("<data encoding=\"csv\">10,10,10,10,10,3</data>"), "global id 3, which the tileset (from 10) does not hold"},
        {"flipped.tmx", Tmx("<data encoding=\"csv\">10,10,2147483658,10,10,10</data>"), "(2, 0) is flipped"},
        {"links.tmx", Tmx(csv, "<objectgroup>" + links + "</objectgroup>"), "256 links"},
        {"events.tmx", Tmx(csv, "<objectgroup>" + events + "</objectgroup>"), "256 events"},
        {"infinite.tmx", infinite, "infinite"},
        {"iso.tmx", iso, "isometric"},
        {"small.tmx", small_tiles, "16 x 16 pixels"},
        {"sets.tmx", two_sets, "2 tilesets"},
        {"short.tmx", Tmx("<data encoding=\"csv\">10,10</data>"), "2 tiles, not 6"},
        {"long.tmx", Tmx("<data encoding=\"csv\">10,10,10,10,10,10,10</data>"), "more than 6 tiles"},
        {"zstd.tmx", Tmx("<data encoding=\"base64\" compression=\"zstd\">AAAA</data>"), "zstd"},
        {"badzip.tmx", Tmx("<data encoding=\"base64\" compression=\"zlib\">AAAAAAAA</data>"), "does not hold 6 tiles"},
        {"chunks.tmx", Tmx("<data encoding=\"csv\"><chunk x=\"0\" y=\"0\"/></data>"), "chunks"},
        {"broken.tmx", Tmx(csv).left(200), "malformed"},
        {"link.tmx", Tmx(csv, "<objectgroup><object type=\"link\" x=\"1\" y=\"1\"/></objectgroup>"), "target_map"},
        {"table.tmx", Tmx(csv, "<properties><property name=\"flag_table\" value=\"1,2\"/></properties>"), "flag_table has 2 numbers"},
        {"chunks.tmj", Json("\"chunks\":[]"), "chunks"},
        {"broken.tmj", Json("\"data\":[1,2").left(50), "malformed"},
        {"count.tmj", Json("\"data\":[10,10]"), "2 tiles, not 6"},
        {"text.tmj", Json("\"data\":[10,10,10,10,10,\"x\"]"), "not a tile id"},
        {"notmap.tmj", "{\"type\":\"tileset\"}", "not a map"},
        {"array.tmj", "[1,2,3]", "not a JSON map"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString error = Import_Error(QString::fromLatin1(c.name), c.text);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.says))) << error.toStdString();
        EXPECT_FALSE(error.contains('\n'));
    }
    TiledImport import;
    EXPECT_TRUE(Import_Tiled_Map(Path("missing.tmx"), import).contains(QStringLiteral("no such file")));
}

// ---- Hostile maps ----------------------------------------------------------------------------

// A 1 x 1 TMX map: head (a DOCTYPE, say), then inside the map children, then one layer of tile 2
// inside groups nested groups.
QByteArray Small_Tmx(const QByteArray& children, int groups = 0, const QByteArray& head = QByteArray())
{
    return head + "<map orientation=\"orthogonal\" width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">" +
           children + QByteArray("<group>").repeated(groups) +
           "<layer name=\"g\" width=\"1\" height=\"1\"><data encoding=\"csv\">2</data></layer>" +
           QByteArray("</group>").repeated(groups) + "</map>";
}

QByteArray Small_Json(const QByteArray& tilesets, int groups = 0)
{
    return "{\"orientation\":\"orthogonal\",\"width\":1,\"height\":1,\"tilewidth\":32,\"tileheight\":32,\"tilesets\":[" +
           tilesets + "],\"layers\":[" + QByteArray("{\"type\":\"group\",\"layers\":[").repeated(groups) +
           "{\"type\":\"tilelayer\",\"name\":\"g\",\"data\":[2]}" + QByteArray("]}").repeated(groups) + "]}";
}

QByteArray Source(const char* file) { return "<tileset firstgid=\"1\" source=\"" + QByteArray(file) + "\"/>"; }
QByteArray Json_Source(const char* file) { return "{\"firstgid\":1,\"source\":\"" + QByteArray(file) + "\"}"; }

// A tileset of its own file, or one in the map (with its firstgid).
QByteArray Tsx(const char* image, const char* in_map = "")
{
    return "<tileset " + QByteArray(in_map) + "name=\"t\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"64\" columns=\"4\"><image source=\"" +
           QByteArray(image) + "\"/></tileset>";
}
QByteArray Tsj(const char* image, const char* in_map = "")
{
    return "{" + QByteArray(in_map) + "\"name\":\"t\",\"tilewidth\":32,\"tileheight\":32,\"tilecount\":64,\"columns\":4,\"image\":\"" + QByteArray(image) + "\"}";
}

const char* const kInMap = "firstgid=\"1\" ";
const char* const kInJson = "\"firstgid\":1,";

// A file of a test's folder: its bytes, a symbolic link, or a sparse file of zeros.
struct Lay {
    const char* path;
    QByteArray text;
    const char* link = nullptr;
    qint64 zeros = 0;
};

struct Layout {
    const char* what;
    std::vector<Lay> files;
    const char* map; // the file imported
    const char* says; // in the refusal, or for an accepted map the palette name
    int files_read;   // the map and each tileset file opened
};

QStringList Files_Under(const QString& folder)
{
    QStringList names;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDirIterator::Subdirectories); it.hasNext();)
        names << it.next();
    names.sort();
    return names;
}

// Lays out each case's files in a folder of its own and imports its map.
void Import_Layouts(const QString& root, const std::vector<Layout>& cases, bool refused)
{
    int n = 0;
    for (const Layout& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = root + "/" + QString::number(n++);
        for (const Lay& lay : c.files) {
            const QString path = folder + "/" + lay.path;
            QDir().mkpath(QFileInfo(path).path());
            if (lay.link) std::filesystem::create_symlink(lay.link, path.toStdString());
            else if (lay.zeros) ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly) && QFile(path).resize(lay.zeros));
            else Write_File(path, lay.text);
        }
        const QStringList before = Files_Under(folder);
        TiledImport import;
        import.doc.max_x = 77;
        TiledFilesRead read;
        const QString error = Import_Tiled_Map(folder + "/" + c.map, import, &read);
        EXPECT_EQ(read.files, c.files_read);
        EXPECT_EQ(Files_Under(folder), before) << "nothing written";
        if (refused) {
            EXPECT_TRUE(error.contains(QString::fromUtf8(c.says))) << error.toStdString();
            EXPECT_FALSE(error.contains('\n'));
            EXPECT_EQ(import.doc.max_x, 77);
        } else {
            EXPECT_EQ(error, QString());
            EXPECT_EQ(import.palette_name, QByteArray(c.says));
        }
    }
}

TEST_F(TiledMapTest, HostileMapsAreRefusedBeforeTheyCostAnything)
{
    const QByteArray valid_tsx = Tsx("inside.bmp");
    const QByteArray padded_tsx = QByteArray(8 << 20, '\n') + valid_tsx; // a valid 8 MiB tileset
    const QByteArray entity = "<!DOCTYPE map [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>";
    const QByteArray uses = "<properties>" + QByteArray("<property name=\"p\" value=\"&e;\"/>").repeated(1000) + "</properties>";
    const QByteArray outside[] = {"outside/x.tsx", Tsx("outside.bmp")};
    const std::vector<Layout> cases = {
        {"a layer inside 100,000 TMX groups", {{"m.tmx", Small_Tmx(Tsx("t.bmp", kInMap), 100000)}}, "m.tmx", "nested more than 32 deep", 1},
        {"a layer inside 33 TMX groups", {{"m.tmx", Small_Tmx(Tsx("t.bmp", kInMap), 33)}}, "m.tmx", "nested more than 32 deep", 1},
        {"a layer inside 33 JSON groups", {{"m.tmj", Small_Json(Tsj("t.bmp", kInJson), 33)}}, "m.tmj", "nested more than 32 deep", 1},
        {"an 8 MiB tileset named 100 times", {{"t.tsx", padded_tsx}, {"m.tmx", Small_Tmx(Source("t.tsx").repeated(100))}},
         "m.tmx", "more than two tilesets", 1},
        {"a tileset file named twice is read once", {{"t.tsx", valid_tsx}, {"m.tmx", Small_Tmx(Source("t.tsx").repeated(2))}},
         "m.tmx", "2 tilesets", 2},
        {"tilesets past 64 MiB together", {{"a.tsx", {}, nullptr, 40 << 20}, {"b.tsx", {}, nullptr, 30 << 20},
         {"m.tmx", Small_Tmx(Source("a.tsx") + Source("b.tsx"))}}, "m.tmx", "more than 64 MiB", 1},
        {"a linked tileset outside", {{outside[0], outside[1]}, {"maps/link.tsx", {}, "../outside/x.tsx"},
         {"maps/m.tmx", Small_Tmx(Source("link.tsx"))}}, "maps/m.tmx", "'link.tsx' lies outside the map's folder", 1},
        {"a linked folder outside", {{outside[0], outside[1]}, {"maps/sub", {}, "../outside"},
         {"maps/m.tmx", Small_Tmx(Source("sub/x.tsx"))}}, "maps/m.tmx", "'sub/x.tsx' lies outside the map's folder", 1},
        {"a linked JSON tileset outside", {{"outside/x.tsj", Tsj("outside.bmp")}, {"maps/link.tsj", {}, "../outside/x.tsj"},
         {"maps/m.tmj", Small_Json(Json_Source("link.tsj"))}}, "maps/m.tmj", "'link.tsj' lies outside the map's folder", 1},
        {"a sibling folder sharing the name", {{"maps2/t.tsx", valid_tsx}, {"maps/m.tmx", Small_Tmx(Source("../maps2/t.tsx"))}},
         "maps/m.tmx", "'../maps2/t.tsx' lies outside the map's folder", 1},
        {"a link into that sibling", {{"maps2/t.tsx", valid_tsx}, {"maps/t.tsx", {}, "../maps2/t.tsx"},
         {"maps/m.tmx", Small_Tmx(Source("t.tsx"))}}, "maps/m.tmx", "'t.tsx' lies outside the map's folder", 1},
        {"an entity used 1,000 times", {{"m.tmx", Small_Tmx(Tsx("t.bmp", kInMap) + uses, 0, entity)}}, "m.tmx", "the map declares XML entities", 1},
        {"an entity in the tileset file", {{"t.tsx", entity + valid_tsx}, {"m.tmx", Small_Tmx(Source("t.tsx"))}},
         "m.tmx", "the tileset 't.tsx' declares XML entities", 2},
    };
    Import_Layouts(dir.path(), cases, true);
}

TEST_F(TiledMapTest, ImportsWithinTheLimitsAreRead)
{
    const std::vector<Layout> cases = {
        {"a layer inside 32 TMX groups", {{"m.tmx", Small_Tmx(Tsx("t.bmp", kInMap), 32)}}, "m.tmx", "t", 1},
        {"a layer inside 32 JSON groups", {{"m.tmj", Small_Json(Tsj("t.bmp", kInJson), 32)}}, "m.tmj", "t", 1},
        {"a link to a tileset inside the folder", {{"maps/real/x.tsx", Tsx("inside.bmp")}, {"maps/link.tsx", {}, "real/x.tsx"},
         {"maps/m.tmx", Small_Tmx(Source("link.tsx"))}}, "maps/m.tmx", "inside", 2},
        {"a linked folder inside the folder", {{"maps/real/x.tsj", Tsj("inside.bmp")}, {"maps/sub", {}, "real"},
         {"maps/m.tmj", Small_Json(Json_Source("sub/x.tsj"))}}, "maps/m.tmj", "inside", 2},
        {"a DOCTYPE that declares nothing", {{"m.tmx", Small_Tmx(Tsx("t.bmp", kInMap), 0, "<!DOCTYPE map SYSTEM \"map.dtd\">")}}, "m.tmx", "t", 1},
    };
    Import_Layouts(dir.path(), cases, false);
}

} // namespace
} // namespace zol
