#include "core/exchange/tiled_map.h"

#include "core/map/file_writer.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace zol {

namespace {

constexpr int kTile = 32;                         // pixels a side of a cell
constexpr qint64 kMaxInputBytes = 64 << 20;       // the map and its tilesets together
constexpr int kMaxGroupDepth = 32;                // layer groups within groups, in either format
constexpr std::size_t kMaxTilesets = 2;           // the cells' tileset and the flags' one
constexpr std::size_t kMaxObjects = 100000;       // far past any map's 255 links and 255 events
constexpr uint32_t kFlipBits = 0xf0000000u;       // flips and rotation in a tile id
const QString kCellsLayer = QStringLiteral("cells");
const QString kFlagsLayer = QStringLiteral("flags");
const QString kObjectGroup = QStringLiteral("links and events");
const QString kLink = QStringLiteral("link");
const QString kEvent = QStringLiteral("event");

// ---- The map as both formats hold it ---------------------------------------------------------

struct Tileset {
    int first_gid = 1;
    bool external = false;
    QString source; // an external tileset's file, as the map names it
    QString name;
    QString image;
    int image_width = 0, image_height = 0;
    int tile_width = 0, tile_height = 0;
    int tile_count = 0, columns = 0;
};

struct TileLayer {
    QString name;
    bool visible = true;
    std::vector<uint32_t> gids; // row by row
};

struct Object {
    QString type;
    double x = 0, y = 0;
    std::map<QString, qint64> ints; // its integer properties
};

struct TiledDocument {
    QString orientation = QStringLiteral("orthogonal");
    bool infinite = false;
    int width = 0, height = 0;
    int tile_width = kTile, tile_height = kTile;
    std::vector<std::pair<QString, QString>> properties;
    std::vector<Tileset> tilesets;
    std::vector<TileLayer> layers;
    std::vector<Object> objects;
};

// A refusal on its way out of a reader.
struct Refusal {
    QString why;
};

[[noreturn]] void Refuse(const QString& why) { throw Refusal{why}; }

// ---- From a map ------------------------------------------------------------------------------

QString Flag_Table_Text(const std::vector<uint8_t>& flags)
{
    QStringList numbers;
    for (int n = 0; n < kCellCount; ++n) numbers << QString::number(n < int(flags.size()) ? flags[std::size_t(n)] : 0);
    return numbers.join(QLatin1Char(','));
}

// The flags' four tiles: none for flag 0, then half-transparent red, green and blue squares.
QImage Flags_Tileset_Image()
{
    QImage image(4 * kTile, kTile, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb colours[] = {0, qRgba(230, 40, 40, 128), qRgba(40, 200, 60, 128), qRgba(40, 90, 230, 128)};
    for (int f = 1; f < 4; ++f)
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x) image.setPixel(f * kTile + x, y, colours[f]);
    return image;
}

TiledDocument From_Map(const edit_form& doc, const QByteArray& palette_name, const QString& palette_path,
                       const QString& out_path)
{
    TiledDocument tiled;
    tiled.width = doc.width();
    tiled.height = doc.height();
    const QString name = Decode_Palette_Name(palette_name);
    tiled.properties.emplace_back(QStringLiteral("flag_table"), Flag_Table_Text(doc.flags));
    tiled.properties.emplace_back(QStringLiteral("palette"), name);
    // A name the text does not give back byte for byte is kept as its bytes too.
    if (Encode_Palette_Name(name) != palette_name)
        tiled.properties.emplace_back(QStringLiteral("palette_bytes"), QString::fromLatin1(palette_name.toHex()));

    Tileset cells;
    cells.first_gid = 1;
    cells.name = name.isEmpty() ? QStringLiteral("tiles") : name;
    cells.image = QDir(QFileInfo(out_path).absolutePath()).relativeFilePath(QFileInfo(palette_path).absoluteFilePath());
    const QSize size = QImageReader(palette_path).size();
    cells.image_width = size.isValid() ? size.width() : 128;
    cells.image_height = size.isValid() ? size.height() : 512;
    cells.tile_width = cells.tile_height = kTile;
    cells.tile_count = kCellCount;
    cells.columns = 4;
    Tileset flags = cells;
    flags.first_gid = 1 + kCellCount;
    flags.name = kFlagsLayer;
    flags.image = QFileInfo(Flags_Tileset_Path(out_path)).fileName();
    flags.image_width = 4 * kTile;
    flags.image_height = kTile;
    flags.tile_count = 4;
    tiled.tilesets = {cells, flags};

    TileLayer cell_layer{kCellsLayer, true, {}};
    TileLayer flag_layer{kFlagsLayer, false, {}};
    const std::size_t count = std::size_t(doc.width()) * std::size_t(doc.height());
    cell_layer.gids.reserve(count);
    flag_layer.gids.reserve(count);
    for (int y = 0; y < doc.height(); ++y) {
        for (int x = 0; x < doc.width(); ++x) {
            const uint8_t cell = doc.cell(x, y);
            cell_layer.gids.push_back(uint32_t(cell & 0x3f) + 1);
            flag_layer.gids.push_back(cell >> 6 ? uint32_t(flags.first_gid + (cell >> 6)) : 0);
        }
    }
    tiled.layers = {std::move(cell_layer), std::move(flag_layer)};

    auto centre = [](int cell) { return double(cell * kTile + kTile / 2); };
    for (int i = 0; i < doc.links.count(); ++i) {
        const std::size_t k = std::size_t(i);
        tiled.objects.push_back({kLink, centre(doc.links.x[k]), centre(doc.links.y[k]),
                                 {{QStringLiteral("target_map"), doc.links.target_map[k]},
                                  {QStringLiteral("target_x"), doc.links.target_x[k]},
                                  {QStringLiteral("target_y"), doc.links.target_y[k]}}});
    }
    for (int i = 0; i < doc.events.count(); ++i) {
        const std::size_t k = std::size_t(i);
        tiled.objects.push_back({kEvent, centre(doc.events.x[k]), centre(doc.events.y[k]),
                                 {{QStringLiteral("event"), doc.events.number[k]}}});
    }
    return tiled;
}

// ---- Writing ---------------------------------------------------------------------------------

// The layer's ids as CSV, a line a row, as the TMX format writes them.
QString Csv(const TileLayer& layer, int width)
{
    QByteArray text;
    text.reserve(qsizetype(layer.gids.size()) * 4 + 2);
    text.append('\n');
    char digits[12];
    for (std::size_t i = 0; i < layer.gids.size(); ++i) {
        uint32_t value = layer.gids[i];
        int n = 0;
        do {
            digits[n++] = char('0' + value % 10);
            value /= 10;
        } while (value);
        while (n) text.append(digits[--n]);
        if (i + 1 < layer.gids.size()) text.append(',');
        if ((i + 1) % std::size_t(width) == 0) text.append('\n');
    }
    return QString::fromLatin1(text);
}

QString Number(double value) { return QString::number(value, 'g', 10); }

QByteArray Write_Tmx(const TiledDocument& tiled)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("map"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.10"));
    xml.writeAttribute(QStringLiteral("orientation"), tiled.orientation);
    xml.writeAttribute(QStringLiteral("renderorder"), QStringLiteral("right-down"));
    xml.writeAttribute(QStringLiteral("width"), QString::number(tiled.width));
    xml.writeAttribute(QStringLiteral("height"), QString::number(tiled.height));
    xml.writeAttribute(QStringLiteral("tilewidth"), QString::number(tiled.tile_width));
    xml.writeAttribute(QStringLiteral("tileheight"), QString::number(tiled.tile_height));
    xml.writeAttribute(QStringLiteral("infinite"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("nextlayerid"), QString::number(tiled.layers.size() + 2));
    xml.writeAttribute(QStringLiteral("nextobjectid"), QString::number(tiled.objects.size() + 1));
    xml.writeStartElement(QStringLiteral("properties"));
    for (const auto& [name, value] : tiled.properties) {
        xml.writeEmptyElement(QStringLiteral("property"));
        xml.writeAttribute(QStringLiteral("name"), name);
        xml.writeAttribute(QStringLiteral("value"), value);
    }
    xml.writeEndElement();
    for (const Tileset& set : tiled.tilesets) {
        xml.writeStartElement(QStringLiteral("tileset"));
        xml.writeAttribute(QStringLiteral("firstgid"), QString::number(set.first_gid));
        xml.writeAttribute(QStringLiteral("name"), set.name);
        xml.writeAttribute(QStringLiteral("tilewidth"), QString::number(set.tile_width));
        xml.writeAttribute(QStringLiteral("tileheight"), QString::number(set.tile_height));
        xml.writeAttribute(QStringLiteral("tilecount"), QString::number(set.tile_count));
        xml.writeAttribute(QStringLiteral("columns"), QString::number(set.columns));
        xml.writeEmptyElement(QStringLiteral("image"));
        xml.writeAttribute(QStringLiteral("source"), set.image);
        xml.writeAttribute(QStringLiteral("width"), QString::number(set.image_width));
        xml.writeAttribute(QStringLiteral("height"), QString::number(set.image_height));
        xml.writeEndElement();
    }
    int id = 1;
    for (const TileLayer& layer : tiled.layers) {
        xml.writeStartElement(QStringLiteral("layer"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(id++));
        xml.writeAttribute(QStringLiteral("name"), layer.name);
        xml.writeAttribute(QStringLiteral("width"), QString::number(tiled.width));
        xml.writeAttribute(QStringLiteral("height"), QString::number(tiled.height));
        if (!layer.visible) xml.writeAttribute(QStringLiteral("visible"), QStringLiteral("0"));
        xml.writeStartElement(QStringLiteral("data"));
        xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("csv"));
        xml.writeCharacters(Csv(layer, tiled.width));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("objectgroup"));
    xml.writeAttribute(QStringLiteral("id"), QString::number(id));
    xml.writeAttribute(QStringLiteral("name"), kObjectGroup);
    int object_id = 1;
    for (const Object& object : tiled.objects) {
        xml.writeStartElement(QStringLiteral("object"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(object_id++));
        xml.writeAttribute(QStringLiteral("type"), object.type);
        xml.writeAttribute(QStringLiteral("x"), Number(object.x));
        xml.writeAttribute(QStringLiteral("y"), Number(object.y));
        xml.writeStartElement(QStringLiteral("properties"));
        for (const auto& [name, value] : object.ints) {
            xml.writeEmptyElement(QStringLiteral("property"));
            xml.writeAttribute(QStringLiteral("name"), name);
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("int"));
            xml.writeAttribute(QStringLiteral("value"), QString::number(value));
        }
        xml.writeEndElement();
        xml.writeEmptyElement(QStringLiteral("point"));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray Write_Json(const TiledDocument& tiled)
{
    QJsonArray properties;
    for (const auto& [name, value] : tiled.properties)
        properties.append(QJsonObject{{"name", name}, {"type", "string"}, {"value", value}});
    QJsonArray tilesets;
    for (const Tileset& set : tiled.tilesets) {
        tilesets.append(QJsonObject{{"firstgid", set.first_gid},   {"name", set.name},
                                    {"image", set.image},          {"imagewidth", set.image_width},
                                    {"imageheight", set.image_height}, {"tilewidth", set.tile_width},
                                    {"tileheight", set.tile_height}, {"tilecount", set.tile_count},
                                    {"columns", set.columns},      {"margin", 0},
                                    {"spacing", 0}});
    }
    QJsonArray layers;
    int id = 1;
    for (const TileLayer& layer : tiled.layers) {
        QJsonArray data;
        for (uint32_t gid : layer.gids) data.append(qint64(gid));
        layers.append(QJsonObject{{"id", id++}, {"name", layer.name}, {"type", "tilelayer"},
                                  {"width", tiled.width}, {"height", tiled.height}, {"x", 0}, {"y", 0},
                                  {"opacity", 1}, {"visible", layer.visible}, {"data", data}});
    }
    QJsonArray objects;
    int object_id = 1;
    for (const Object& object : tiled.objects) {
        QJsonArray object_properties;
        for (const auto& [name, value] : object.ints)
            object_properties.append(QJsonObject{{"name", name}, {"type", "int"}, {"value", value}});
        objects.append(QJsonObject{{"id", object_id++}, {"name", ""}, {"type", object.type},
                                   {"x", object.x}, {"y", object.y}, {"width", 0}, {"height", 0},
                                   {"rotation", 0}, {"visible", true}, {"point", true},
                                   {"properties", object_properties}});
    }
    layers.append(QJsonObject{{"id", id}, {"name", kObjectGroup}, {"type", "objectgroup"},
                              {"draworder", "topdown"}, {"x", 0}, {"y", 0}, {"opacity", 1},
                              {"visible", true}, {"objects", objects}});
    const QJsonObject map{{"type", "map"},
                          {"version", "1.10"},
                          {"orientation", tiled.orientation},
                          {"renderorder", "right-down"},
                          {"width", tiled.width},
                          {"height", tiled.height},
                          {"tilewidth", tiled.tile_width},
                          {"tileheight", tiled.tile_height},
                          {"infinite", false},
                          {"compressionlevel", -1},
                          {"nextlayerid", id + 1},
                          {"nextobjectid", object_id},
                          {"properties", properties},
                          {"tilesets", tilesets},
                          {"layers", layers}};
    return QJsonDocument(map).toJson(QJsonDocument::Compact);
}

// ---- Reading: what both formats share ----------------------------------------------------------

int Whole_Number(const QString& text, const QString& what, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < low || value > high)
        Refuse(QStringLiteral("%1 is '%2', not a whole number from %3 to %4").arg(what, text.left(40)).arg(low).arg(high));
    return int(value);
}

// n tile ids from comma-separated text.
std::vector<uint32_t> Csv_Ids(QStringView text, std::size_t n)
{
    std::vector<uint32_t> ids;
    ids.reserve(n);
    uint64_t value = 0;
    bool digits = false;
    auto finish = [&] {
        if (!digits) Refuse(QStringLiteral("the layer's CSV data has an empty entry"));
        if (ids.size() == n) Refuse(QStringLiteral("the layer's CSV data has more than %1 tiles").arg(n));
        ids.push_back(uint32_t(value));
        value = 0;
        digits = false;
    };
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9') {
            value = value * 10 + (u - '0');
            if (value > 0xffffffffu) Refuse(QStringLiteral("the layer's CSV data has a tile id past 32 bits"));
            digits = true;
        } else if (u == ',') {
            finish();
        } else if (u != '\n' && u != ' ' && u != '\r' && u != '\t' && !c.isSpace()) {
            Refuse(QStringLiteral("the layer's CSV data has the character '%1'").arg(c));
        }
    }
    if (digits) finish();
    if (ids.size() != n) Refuse(QStringLiteral("the layer's data has %1 tiles, not %2").arg(ids.size()).arg(n));
    return ids;
}

// Inflates zlib or gzip data into exactly `expected` bytes.
QByteArray Inflate(const QByteArray& packed, std::size_t expected)
{
    QByteArray out(qsizetype(expected), Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 32) != Z_OK) Refuse(QStringLiteral("the layer's data cannot be uncompressed"));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(expected);
    const int result = inflate(&stream, Z_FINISH);
    const std::size_t produced = expected - stream.avail_out;
    inflateEnd(&stream);
    if (result != Z_STREAM_END || produced != expected)
        Refuse(QStringLiteral("the layer's compressed data does not hold %1 tiles").arg(expected / 4));
    return out;
}

// n tile ids from base64 text, uncompressed or compressed with zlib or gzip.
std::vector<uint32_t> Base64_Ids(const QByteArray& text, const QString& compression, std::size_t n)
{
    QByteArray squeezed = text;
    squeezed.removeIf([](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; });
    const auto decoded = QByteArray::fromBase64Encoding(squeezed, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) Refuse(QStringLiteral("the layer's base64 data is not valid base64"));
    QByteArray bytes = *decoded;
    if (compression == QLatin1String("zlib") || compression == QLatin1String("gzip")) bytes = Inflate(bytes, n * 4);
    else if (!compression.isEmpty()) Refuse(QStringLiteral("the layer's data is compressed with %1; zlib and gzip can be read").arg(compression));
    if (std::size_t(bytes.size()) != n * 4) Refuse(QStringLiteral("the layer's data has %1 tiles, not %2").arg(bytes.size() / 4).arg(n));
    std::vector<uint32_t> ids(n);
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.constData());
    for (std::size_t i = 0; i < n; ++i, p += 4) ids[i] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return ids;
}

void Check_Size(const TiledDocument& tiled)
{
    if (tiled.infinite) Refuse(QStringLiteral("the map is infinite; give it a fixed size to import it"));
    if (tiled.width < 1 || tiled.height < 1 || tiled.width > kMaxMapSide || tiled.height > kMaxMapSide)
        Refuse(QStringLiteral("the map is %1 x %2 tiles; at most 256 x 256 can be imported").arg(tiled.width).arg(tiled.height));
}

void Add_Object(TiledDocument& tiled, Object object)
{
    if (tiled.objects.size() >= kMaxObjects) Refuse(QStringLiteral("the map has more than %1 objects").arg(kMaxObjects));
    if (object.type == kLink || object.type == kEvent) tiled.objects.push_back(std::move(object));
}

void Too_Many_Tilesets(const TiledDocument& tiled)
{
    if (tiled.tilesets.size() >= kMaxTilesets)
        Refuse(QStringLiteral("the map has more than two tilesets; one, of 32 x 32 tiles, can be imported"));
}

// True when path lies inside folder, both real paths (absolute, without links, "." or ".."),
// compared a whole component at a time: /a/maps2/t.tsx does not lie inside /a/maps.
bool Inside_Folder(const QString& path, const QString& folder)
{
    const QStringList inner = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QStringList outer = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return inner.size() > outer.size() && std::equal(outer.begin(), outer.end(), inner.begin());
}

// The files one import reads: the map, then the tileset files it names. A tileset is looked for
// only inside the map's folder, judged by real paths with every link followed, and nothing is
// read before it passes; all together are at most kMaxInputBytes.
class ImportFiles {
public:
    explicit ImportFiles(const QString& map_path)
        : map_path_(map_path), folder_(QFileInfo(map_path).absolutePath()),
          real_folder_(QFileInfo(folder_).canonicalFilePath())
    {
    }

    QByteArray Read_Map()
    {
        QFile file(map_path_);
        if (!file.exists()) Refuse(QStringLiteral("%1: no such file").arg(map_path_));
        // A named pipe would keep the import waiting for a writer for ever.
        if (!QFileInfo(map_path_).isFile()) Refuse(QStringLiteral("%1 is not a file").arg(map_path_));
        if (!file.open(QIODevice::ReadOnly)) Refuse(QStringLiteral("%1 cannot be read").arg(map_path_));
        return Read(file, QStringLiteral("%1 is larger than 64 MiB").arg(map_path_));
    }

    // The real path of the tileset file source names, refused unless it is a file inside the
    // map's folder. Reads nothing.
    QString Locate(const QString& source) const
    {
        const QString outside = QStringLiteral("the tileset '%1' lies outside the map's folder").arg(source);
        if (source.isEmpty()) Refuse(QStringLiteral("a tileset names no file"));
        if (QDir::isAbsolutePath(source) || real_folder_.isEmpty()) Refuse(outside);
        const QString named = QDir(folder_).filePath(source);
        if (!Inside_Folder(QDir::cleanPath(named), QDir::cleanPath(folder_))) Refuse(outside);
        const QString real = QFileInfo(named).canonicalFilePath();
        if (real.isEmpty()) Refuse(QStringLiteral("the tileset '%1' cannot be read").arg(source));
        if (!Inside_Folder(real, real_folder_)) Refuse(outside);
        if (!QFileInfo(real).isFile()) Refuse(QStringLiteral("the tileset '%1' is not a file").arg(source));
        return real;
    }

    // The tileset file at real (from Locate), named source in the map.
    QByteArray Read_Tileset(const QString& real, const QString& source)
    {
        QFile file(real);
        if (!file.open(QIODevice::ReadOnly)) Refuse(QStringLiteral("the tileset '%1' cannot be read").arg(source));
        return Read(file, kTooLarge);
    }

    const TiledFilesRead& Count() const { return count_; }

    inline static const QString kTooLarge = QStringLiteral("the map and its tilesets come to more than 64 MiB");

private:
    // The whole of file, refused with too_large past what is left of the import's bytes.
    QByteArray Read(QFile& file, const QString& too_large)
    {
        const qint64 room = kMaxInputBytes - count_.bytes;
        if (file.size() > room) Refuse(too_large);
        ++count_.files;
        const QByteArray bytes = file.read(file.size() + 1); // one more tells a file still growing
        count_.bytes += bytes.size();
        if (bytes.size() > room) Refuse(too_large);
        return bytes;
    }

    QString map_path_;
    QString folder_;      // as the map's path names it
    QString real_folder_; // its real path
    TiledFilesRead count_;
};

// Reads xml up to its first element. A DOCTYPE that declares anything is refused here, before
// any entity could be expanded: TMX has no use for a DTD, and one entity used many times can
// grow a small file into gigabytes of text.
bool First_Element(QXmlStreamReader& xml, const QString& file)
{
    static const QRegularExpression internal_subset(QStringLiteral("\\]\\s*>\\s*$"));
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD &&
            (!xml.entityDeclarations().isEmpty() || !xml.notationDeclarations().isEmpty() ||
             internal_subset.match(xml.text()).hasMatch()))
            Refuse(QStringLiteral("%1 declares XML entities or other DOCTYPE declarations, which TMX has no use for").arg(file));
        if (token == QXmlStreamReader::StartElement) return true;
    }
    return false;
}

// A <tileset> element's own attributes, in the map or in a TSX file.
Tileset Tsx_Attributes(const QXmlStreamAttributes& a)
{
    Tileset set;
    set.name = a.value(QLatin1String("name")).toString();
    set.tile_width = a.value(QLatin1String("tilewidth")).toInt();
    set.tile_height = a.value(QLatin1String("tileheight")).toInt();
    set.tile_count = a.value(QLatin1String("tilecount")).toInt();
    set.columns = a.value(QLatin1String("columns")).toInt();
    return set;
}

// An external TSX tileset's file.
Tileset Tsx_Tileset(const QByteArray& bytes, const QString& source)
{
    QXmlStreamReader tsx(bytes);
    if (!First_Element(tsx, QStringLiteral("the tileset '%1'").arg(source)) || tsx.name() != QLatin1String("tileset"))
        Refuse(QStringLiteral("the tileset '%1' is not a TSX tileset").arg(source));
    Tileset set = Tsx_Attributes(tsx.attributes());
    while (tsx.readNextStartElement()) {
        if (tsx.name() == QLatin1String("image")) set.image = tsx.attributes().value(QLatin1String("source")).toString();
        tsx.skipCurrentElement();
    }
    if (tsx.hasError()) Refuse(QStringLiteral("the tileset '%1' is malformed XML").arg(source));
    return set;
}

// A tileset's fields as the JSON form holds them, in the map or in a file of its own.
Tileset Json_Tileset_Fields(const QJsonObject& object)
{
    Tileset set;
    set.name = object.value(QLatin1String("name")).toString();
    set.image = object.value(QLatin1String("image")).toString();
    set.image_width = object.value(QLatin1String("imagewidth")).toInt();
    set.image_height = object.value(QLatin1String("imageheight")).toInt();
    set.tile_width = object.value(QLatin1String("tilewidth")).toInt();
    set.tile_height = object.value(QLatin1String("tileheight")).toInt();
    set.tile_count = object.value(QLatin1String("tilecount")).toInt();
    set.columns = object.value(QLatin1String("columns")).toInt();
    return set;
}

Tileset Json_Tileset(const QByteArray& bytes, const QString& source)
{
    QJsonParseError error{};
    const QJsonDocument external = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !external.isObject())
        Refuse(QStringLiteral("the tileset '%1' is not a JSON tileset").arg(source));
    return Json_Tileset_Fields(external.object());
}

// Fills in the external tilesets the map names. Every file is located and measured before any
// is read, and a file named more than once is read once.
void Load_External_Tilesets(TiledDocument& tiled, TiledFormat format, ImportFiles& files)
{
    std::vector<QString> real(tiled.tilesets.size());
    std::map<QString, qint64> sizes;
    for (std::size_t i = 0; i < tiled.tilesets.size(); ++i) {
        if (!tiled.tilesets[i].external) continue;
        real[i] = files.Locate(tiled.tilesets[i].source);
        sizes[real[i]] = QFileInfo(real[i]).size();
    }
    qint64 total = files.Count().bytes;
    for (const auto& [path, size] : sizes) total += size;
    if (total > kMaxInputBytes) Refuse(ImportFiles::kTooLarge);
    std::map<QString, Tileset> read;
    for (std::size_t i = 0; i < tiled.tilesets.size(); ++i) {
        Tileset& set = tiled.tilesets[i];
        if (!set.external) continue;
        auto found = read.find(real[i]);
        if (found == read.end()) {
            const QByteArray bytes = files.Read_Tileset(real[i], set.source);
            found = read.emplace(real[i], format == TiledFormat::Tmx ? Tsx_Tileset(bytes, set.source)
                                                                     : Json_Tileset(bytes, set.source)).first;
        }
        Tileset external = found->second;
        external.first_gid = set.first_gid;
        external.external = true;
        external.source = set.source;
        set = external;
    }
}

// ---- Reading TMX -------------------------------------------------------------------------------

class TmxReader {
public:
    explicit TmxReader(TiledDocument& tiled) : tiled_(tiled) {}

    void Read(const QByteArray& bytes)
    {
        xml_.addData(bytes);
        if (!First_Element(xml_, QStringLiteral("the map")) || xml_.name() != QLatin1String("map"))
            Refuse(QStringLiteral("the file is not a TMX map"));
        const QXmlStreamAttributes a = xml_.attributes();
        tiled_.orientation = a.value(QLatin1String("orientation")).toString();
        tiled_.infinite = a.value(QLatin1String("infinite")) == QLatin1String("1");
        tiled_.width = Whole_Number(a.value(QLatin1String("width")).toString(), QStringLiteral("the map's width"), 0, 1 << 20);
        tiled_.height = Whole_Number(a.value(QLatin1String("height")).toString(), QStringLiteral("the map's height"), 0, 1 << 20);
        tiled_.tile_width = Whole_Number(a.value(QLatin1String("tilewidth")).toString(), QStringLiteral("the tile width"), 0, 1 << 20);
        tiled_.tile_height = Whole_Number(a.value(QLatin1String("tileheight")).toString(), QStringLiteral("the tile height"), 0, 1 << 20);
        Check_Size(tiled_);
        Read_Children(0);
        if (xml_.hasError()) Refuse(QStringLiteral("the XML is malformed at line %1: %2").arg(xml_.lineNumber()).arg(xml_.errorString()));
    }

private:
    // The map's children (depth 0) or those of a group inside depth - 1 others.
    void Read_Children(int depth)
    {
        while (xml_.readNextStartElement()) {
            const auto name = xml_.name();
            if (depth == 0 && name == QLatin1String("properties")) Read_Properties(tiled_.properties);
            else if (depth == 0 && name == QLatin1String("tileset")) Read_Tileset(xml_.attributes());
            else if (name == QLatin1String("layer")) Read_Layer();
            else if (name == QLatin1String("objectgroup")) Read_Objects();
            else if (name == QLatin1String("group")) {
                if (depth + 1 > kMaxGroupDepth) Refuse(QStringLiteral("the map's layer groups are nested more than %1 deep").arg(kMaxGroupDepth));
                Read_Children(depth + 1);
            }
            else xml_.skipCurrentElement();
        }
    }

    void Read_Properties(std::vector<std::pair<QString, QString>>& into)
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("property")) {
                xml_.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes a = xml_.attributes();
            const QString name = a.value(QLatin1String("name")).toString();
            QString value = a.value(QLatin1String("value")).toString();
            const QString text = xml_.readElementText(QXmlStreamReader::SkipChildElements);
            if (!a.hasAttribute(QLatin1String("value"))) value = text;
            if (into.size() < 1000) into.emplace_back(name, value);
        }
    }

    void Read_Tileset(const QXmlStreamAttributes& a)
    {
        Too_Many_Tilesets(tiled_);
        Tileset set;
        const int first_gid = Whole_Number(a.value(QLatin1String("firstgid")).toString(), QStringLiteral("a tileset's firstgid"), 1, 0x0fffffff);
        if (a.hasAttribute(QLatin1String("source"))) {
            // An external tileset: its own file, read once the whole map has been.
            set.external = true;
            set.source = a.value(QLatin1String("source")).toString();
            xml_.skipCurrentElement();
        } else {
            set = Tsx_Attributes(a);
            while (xml_.readNextStartElement()) {
                if (xml_.name() == QLatin1String("image")) {
                    const QXmlStreamAttributes image = xml_.attributes();
                    set.image = image.value(QLatin1String("source")).toString();
                    set.image_width = image.value(QLatin1String("width")).toInt();
                    set.image_height = image.value(QLatin1String("height")).toInt();
                }
                xml_.skipCurrentElement();
            }
        }
        set.first_gid = first_gid;
        tiled_.tilesets.push_back(set);
    }

    void Read_Layer()
    {
        TileLayer layer;
        const QXmlStreamAttributes a = xml_.attributes();
        layer.name = a.value(QLatin1String("name")).toString();
        layer.visible = a.value(QLatin1String("visible")) != QLatin1String("0");
        const std::size_t n = std::size_t(tiled_.width) * std::size_t(tiled_.height);
        if (tiled_.layers.size() >= 2) Refuse(QStringLiteral("the map has more than two tile layers; one can be imported"));
        bool has_data = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("data")) {
                xml_.skipCurrentElement();
                continue;
            }
            has_data = true;
            const QXmlStreamAttributes d = xml_.attributes();
            const QString encoding = d.value(QLatin1String("encoding")).toString();
            const QString compression = d.value(QLatin1String("compression")).toString();
            if (encoding == QLatin1String("csv")) {
                layer.gids = Csv_Ids(Text_Of_Data(), n);
            } else if (encoding == QLatin1String("base64")) {
                layer.gids = Base64_Ids(Text_Of_Data().toLatin1(), compression, n);
            } else if (encoding.isEmpty()) {
                layer.gids = Tile_Elements(n);
            } else {
                Refuse(QStringLiteral("the layer's data is encoded as '%1'").arg(encoding));
            }
        }
        if (!has_data) Refuse(QStringLiteral("the tile layer '%1' has no data").arg(layer.name));
        tiled_.layers.push_back(std::move(layer));
    }

    // The text of a <data> element; a chunk (an infinite map's) is refused.
    QString Text_Of_Data()
    {
        QString text;
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isCharacters()) {
                if (text.isEmpty()) text = xml_.text().toString();
                else text += xml_.text();
            }
            else if (xml_.isStartElement()) Refuse(QStringLiteral("the layer's data is in chunks; give the map a fixed size"));
            else if (xml_.isEndElement()) break;
        }
        return text;
    }

    // The oldest form: one <tile gid="..."/> a cell.
    std::vector<uint32_t> Tile_Elements(std::size_t n)
    {
        std::vector<uint32_t> ids;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("tile")) {
                if (ids.size() == n) Refuse(QStringLiteral("the layer's data has more than %1 tiles").arg(n));
                ids.push_back(xml_.attributes().value(QLatin1String("gid")).toUInt());
            } else if (xml_.name() == QLatin1String("chunk")) {
                Refuse(QStringLiteral("the layer's data is in chunks; give the map a fixed size"));
            }
            xml_.skipCurrentElement();
        }
        if (ids.size() != n) Refuse(QStringLiteral("the layer's data has %1 tiles, not %2").arg(ids.size()).arg(n));
        return ids;
    }

    void Read_Objects()
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("object")) {
                xml_.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes a = xml_.attributes();
            Object object;
            object.type = a.hasAttribute(QLatin1String("type")) ? a.value(QLatin1String("type")).toString()
                                                                 : a.value(QLatin1String("class")).toString();
            object.x = a.value(QLatin1String("x")).toDouble();
            object.y = a.value(QLatin1String("y")).toDouble();
            while (xml_.readNextStartElement()) {
                if (xml_.name() == QLatin1String("properties")) {
                    std::vector<std::pair<QString, QString>> properties;
                    Read_Properties(properties);
                    for (const auto& [name, value] : properties) {
                        bool ok = false;
                        const qint64 number = value.toLongLong(&ok);
                        object.ints[name] = ok ? number : -1;
                    }
                } else {
                    xml_.skipCurrentElement();
                }
            }
            Add_Object(tiled_, std::move(object));
        }
    }

    TiledDocument& tiled_;
    QXmlStreamReader xml_;
};

// ---- Reading JSON ------------------------------------------------------------------------------

class JsonReader {
public:
    explicit JsonReader(TiledDocument& tiled) : tiled_(tiled) {}

    void Read(const QByteArray& bytes)
    {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
        if (error.error != QJsonParseError::NoError)
            Refuse(QStringLiteral("the JSON is malformed at byte %1: %2").arg(error.offset).arg(error.errorString()));
        if (!document.isObject()) Refuse(QStringLiteral("the file is not a JSON map"));
        const QJsonObject map = document.object();
        if (map.contains(QLatin1String("type")) && map.value(QLatin1String("type")).toString() != QLatin1String("map"))
            Refuse(QStringLiteral("the file is a JSON '%1', not a map").arg(map.value(QLatin1String("type")).toString()));
        tiled_.orientation = map.value(QLatin1String("orientation")).toString();
        tiled_.infinite = map.value(QLatin1String("infinite")).toBool();
        tiled_.width = Integer(map, "width", QStringLiteral("the map's width"));
        tiled_.height = Integer(map, "height", QStringLiteral("the map's height"));
        tiled_.tile_width = Integer(map, "tilewidth", QStringLiteral("the tile width"));
        tiled_.tile_height = Integer(map, "tileheight", QStringLiteral("the tile height"));
        Check_Size(tiled_);
        Read_Properties(map.value(QLatin1String("properties")), tiled_.properties);
        for (const QJsonValue& value : map.value(QLatin1String("tilesets")).toArray()) Read_Tileset(value.toObject());
        Read_Layers(map.value(QLatin1String("layers")).toArray());
    }

private:
    static int Integer(const QJsonObject& object, const char* key, const QString& what)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number != std::floor(number) || number < 0 || number > (1 << 20))
            Refuse(QStringLiteral("%1 is not a whole number from 0 to %2").arg(what).arg(1 << 20));
        return int(number);
    }

    static void Read_Properties(const QJsonValue& value, std::vector<std::pair<QString, QString>>& into)
    {
        // A list of {name, type, value}; an older form is one object of names and values.
        if (value.isObject()) {
            const QJsonObject object = value.toObject();
            for (auto it = object.begin(); it != object.end() && into.size() < 1000; ++it)
                into.emplace_back(it.key(), it.value().toVariant().toString());
            return;
        }
        for (const QJsonValue& entry : value.toArray()) {
            if (into.size() >= 1000) break;
            const QJsonObject property = entry.toObject();
            into.emplace_back(property.value(QLatin1String("name")).toString(),
                              property.value(QLatin1String("value")).toVariant().toString());
        }
    }

    void Read_Tileset(const QJsonObject& object)
    {
        Too_Many_Tilesets(tiled_);
        const int first_gid = Integer(object, "firstgid", QStringLiteral("a tileset's firstgid"));
        Tileset set;
        if (object.contains(QLatin1String("source"))) {
            // An external tileset: its own file, read once the whole map has been.
            set.external = true;
            set.source = object.value(QLatin1String("source")).toString();
        } else {
            set = Json_Tileset_Fields(object);
        }
        set.first_gid = first_gid;
        tiled_.tilesets.push_back(set);
    }

    void Read_Layers(const QJsonArray& layers, int depth = 0)
    {
        if (depth > kMaxGroupDepth) Refuse(QStringLiteral("the map's layer groups are nested more than %1 deep").arg(kMaxGroupDepth));
        for (const QJsonValue& value : layers) {
            const QJsonObject layer = value.toObject();
            const QString type = layer.value(QLatin1String("type")).toString();
            if (type == QLatin1String("tilelayer")) Read_Tile_Layer(layer);
            else if (type == QLatin1String("objectgroup")) Read_Objects(layer.value(QLatin1String("objects")).toArray());
            else if (type == QLatin1String("group")) Read_Layers(layer.value(QLatin1String("layers")).toArray(), depth + 1);
        }
    }

    void Read_Tile_Layer(const QJsonObject& object)
    {
        if (tiled_.layers.size() >= 2) Refuse(QStringLiteral("the map has more than two tile layers; one can be imported"));
        if (object.contains(QLatin1String("chunks"))) Refuse(QStringLiteral("the layer's data is in chunks; give the map a fixed size"));
        TileLayer layer;
        layer.name = object.value(QLatin1String("name")).toString();
        layer.visible = object.value(QLatin1String("visible")).toBool(true);
        const std::size_t n = std::size_t(tiled_.width) * std::size_t(tiled_.height);
        const QJsonValue data = object.value(QLatin1String("data"));
        if (data.isString()) {
            const QString encoding = object.value(QLatin1String("encoding")).toString();
            if (encoding != QLatin1String("base64")) Refuse(QStringLiteral("the layer's data is encoded as '%1'").arg(encoding));
            layer.gids = Base64_Ids(data.toString().toLatin1(), object.value(QLatin1String("compression")).toString(), n);
        } else if (data.isArray()) {
            const QJsonArray ids = data.toArray();
            if (std::size_t(ids.size()) != n) Refuse(QStringLiteral("the layer's data has %1 tiles, not %2").arg(ids.size()).arg(n));
            layer.gids.reserve(n);
            for (const QJsonValue& id : ids) {
                const double number = id.toDouble(-1);
                if (number < 0 || number > 4294967295.0 || number != std::floor(number))
                    Refuse(QStringLiteral("the layer's data has an entry that is not a tile id"));
                layer.gids.push_back(uint32_t(number));
            }
        } else {
            Refuse(QStringLiteral("the tile layer '%1' has no data").arg(layer.name));
        }
        tiled_.layers.push_back(std::move(layer));
    }

    void Read_Objects(const QJsonArray& objects)
    {
        for (const QJsonValue& value : objects) {
            const QJsonObject object = value.toObject();
            Object read;
            read.type = object.contains(QLatin1String("type")) ? object.value(QLatin1String("type")).toString()
                                                                : object.value(QLatin1String("class")).toString();
            read.x = object.value(QLatin1String("x")).toDouble();
            read.y = object.value(QLatin1String("y")).toDouble();
            std::vector<std::pair<QString, QString>> properties;
            Read_Properties(object.value(QLatin1String("properties")), properties);
            for (const auto& [name, text] : properties) {
                bool ok = false;
                const qint64 number = text.toLongLong(&ok);
                read.ints[name] = ok ? number : -1;
            }
            Add_Object(tiled_, std::move(read));
        }
    }

    TiledDocument& tiled_;
};

// ---- Into a map --------------------------------------------------------------------------------

const QString* Property(const TiledDocument& tiled, const char* name)
{
    for (const auto& [key, value] : tiled.properties)
        if (key == QLatin1String(name)) return &value;
    return nullptr;
}

// The palette name the map file will record: its bytes when kept, else its text, else the
// tileset image's name; reduced to a bare file name, so no path in the file reaches elsewhere.
QByteArray Palette_Name(const TiledDocument& tiled, const Tileset& cells)
{
    QByteArray raw;
    if (const QString* bytes = Property(tiled, "palette_bytes")) raw = QByteArray::fromHex(bytes->toLatin1());
    else if (const QString* name = Property(tiled, "palette")) raw = Encode_Palette_Name(*name);
    else raw = Encode_Palette_Name(QFileInfo(cells.image).completeBaseName());
    const QString text = Decode_Palette_Name(raw);
    const QString bare = text.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1);
    if (bare != text || bare == QLatin1String(".") || bare == QLatin1String(".."))
        raw = Encode_Palette_Name(bare == QLatin1String(".") || bare == QLatin1String("..") ? QString() : bare);
    if (raw.size() > kMaxPaletteNameBytes) Refuse(QStringLiteral("the palette name is longer than %1 bytes").arg(kMaxPaletteNameBytes));
    return raw;
}

int Byte_Property(const Object& object, const char* name, int index)
{
    const auto found = object.ints.find(QLatin1String(name));
    if (found == object.ints.end() || found->second < 0 || found->second > 255)
        Refuse(QStringLiteral("%1 object %2 needs an integer property %3 from 0 to 255").arg(object.type).arg(index + 1).arg(QLatin1String(name)));
    return int(found->second);
}

// What the map itself must be, whatever its tilesets hold.
void Check_Map(const TiledDocument& tiled)
{
    if (tiled.orientation != QLatin1String("orthogonal"))
        Refuse(QStringLiteral("the map is %1; only orthogonal maps can be imported").arg(tiled.orientation.isEmpty() ? QStringLiteral("of no orientation") : tiled.orientation));
    if (tiled.tile_width != kTile || tiled.tile_height != kTile)
        Refuse(QStringLiteral("the map's tiles are %1 x %2 pixels; they must be 32 x 32").arg(tiled.tile_width).arg(tiled.tile_height));
}

TiledImport To_Map(const TiledDocument& tiled)
{

    // The cells' tileset, and the flags' one when the map is one this program exported.
    const Tileset* cells = nullptr;
    const Tileset* flags = nullptr;
    int others = 0;
    for (const Tileset& set : tiled.tilesets) {
        if (set.name == kFlagsLayer && set.tile_count == 4) flags = &set;
        else {
            cells = &set;
            ++others;
        }
    }
    if (others != 1) Refuse(QStringLiteral("the map has %1 tilesets; one, of 32 x 32 tiles, can be imported").arg(others));
    if (cells->tile_width != kTile || cells->tile_height != kTile)
        Refuse(QStringLiteral("the tileset's tiles are %1 x %2 pixels; they must be 32 x 32").arg(cells->tile_width).arg(cells->tile_height));

    const TileLayer* cell_layer = nullptr;
    const TileLayer* flag_layer = nullptr;
    if (tiled.layers.size() == 1) {
        cell_layer = &tiled.layers[0];
    } else if (tiled.layers.size() == 2 && flags && tiled.layers[0].name == kCellsLayer && tiled.layers[1].name == kFlagsLayer) {
        cell_layer = &tiled.layers[0];
        flag_layer = &tiled.layers[1];
    } else {
        Refuse(QStringLiteral("the map has %1 tile layers; one can be imported").arg(tiled.layers.size()));
    }

    TiledImport import;
    edit_form& doc = import.doc;
    doc.max_x = uint8_t(tiled.width - 1);
    doc.max_y = uint8_t(tiled.height - 1);
    if (!doc.grid.Allocate(tiled.width, tiled.height)) Refuse(QStringLiteral("there is not enough memory for the map"));
    for (int y = 0; y < tiled.height; ++y) {
        for (int x = 0; x < tiled.width; ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(tiled.width) + std::size_t(x);
            const uint32_t gid = cell_layer->gids[i];
            if (gid & kFlipBits) Refuse(QStringLiteral("the tile at (%1, %2) is flipped or rotated, which a map cannot hold").arg(x).arg(y));
            uint32_t number = 0;
            if (gid != 0) {
                if (gid < uint32_t(cells->first_gid))
                    Refuse(QStringLiteral("the tile at (%1, %2) has the global id %3, which the tileset (from %4) does not hold").arg(x).arg(y).arg(gid).arg(cells->first_gid));
                if (gid - uint32_t(cells->first_gid) >= uint32_t(kCellCount))
                    Refuse(QStringLiteral("the tile at (%1, %2) has id %3, past the 64 tiles a map can use").arg(x).arg(y).arg(gid - uint32_t(cells->first_gid)));
                number = gid - uint32_t(cells->first_gid);
            }
            uint32_t flag = 0;
            if (flag_layer && flag_layer->gids[i] != 0) {
                const uint32_t f = flag_layer->gids[i];
                if (f < uint32_t(flags->first_gid) || f - uint32_t(flags->first_gid) > 3)
                    Refuse(QStringLiteral("the flag at (%1, %2) is not one of the four flags").arg(x).arg(y));
                flag = f - uint32_t(flags->first_gid);
            }
            doc.cell(x, y) = uint8_t(number | flag << 6);
        }
    }

    int link_count = 0, event_count = 0;
    for (const Object& object : tiled.objects) (object.type == kLink ? link_count : event_count)++;
    if (link_count > kMaxLinks) Refuse(QStringLiteral("the map has %1 links; at most 255 can be imported").arg(link_count));
    if (event_count > kMaxEvents) Refuse(QStringLiteral("the map has %1 events; at most 255 can be imported").arg(event_count));
    int index = 0;
    for (const Object& object : tiled.objects) {
        const double cx = std::floor(object.x / kTile), cy = std::floor(object.y / kTile);
        if (!(cx >= 0 && cx <= 255 && cy >= 0 && cy <= 255))
            Refuse(QStringLiteral("%1 object %2 lies outside the cells a map can address").arg(object.type).arg(index + 1));
        if (object.type == kLink) {
            doc.links.target_map.push_back(uint8_t(Byte_Property(object, "target_map", index)));
            doc.links.target_x.push_back(uint8_t(Byte_Property(object, "target_x", index)));
            doc.links.target_y.push_back(uint8_t(Byte_Property(object, "target_y", index)));
            doc.links.x.push_back(uint8_t(cx));
            doc.links.y.push_back(uint8_t(cy));
        } else {
            doc.events.number.push_back(uint8_t(Byte_Property(object, "event", index)));
            doc.events.x.push_back(uint8_t(cx));
            doc.events.y.push_back(uint8_t(cy));
        }
        ++index;
    }

    doc.flags.assign(kCellCount, kFlagUnknown);
    if (const QString* table = Property(tiled, "flag_table")) {
        const QStringList numbers = table->split(QLatin1Char(','));
        if (numbers.size() != kCellCount) Refuse(QStringLiteral("flag_table has %1 numbers, not 64").arg(numbers.size()));
        for (int n = 0; n < kCellCount; ++n)
            doc.flags[std::size_t(n)] = uint8_t(Whole_Number(numbers[n], QStringLiteral("flag_table entry %1").arg(n), 0, 255));
    } else {
        Rebuild_Flags(doc);
    }
    import.palette_name = Palette_Name(tiled, *cells);
    return import;
}

} // namespace

std::optional<TiledFormat> Tiled_Format_For(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("tmx")) return TiledFormat::Tmx;
    if (suffix == QLatin1String("tmj") || suffix == QLatin1String("json")) return TiledFormat::Json;
    return std::nullopt;
}

QString Flags_Tileset_Path(const QString& out_path)
{
    const QFileInfo info(out_path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".flags.png"));
}

QString Export_Tiled_Map(const edit_form& doc, const QByteArray& palette_name, const QString& palette_path,
                         const QString& out_path, TiledFormat format)
{
    if (!doc.has_grid()) return QStringLiteral("the map has no cells");
    const TiledDocument tiled = From_Map(doc, palette_name, palette_path, out_path);
    const QByteArray bytes = format == TiledFormat::Tmx ? Write_Tmx(tiled) : Write_Json(tiled);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Flags_Tileset_Image().save(&buffer, "PNG");
    const QString flags_path = Flags_Tileset_Path(out_path);
    FileBatch batch;
    if (batch.Add(flags_path, png) && batch.Add(out_path, bytes) && batch.Commit()) return QString();
    return batch.Error();
}

QString Import_Tiled_Map(const QString& path, TiledImport& import, TiledFilesRead* read)
{
    ImportFiles files(path);
    QString problem;
    try {
        const QByteArray bytes = files.Read_Map();
        TiledDocument tiled;
        std::optional<TiledFormat> format = Tiled_Format_For(path);
        if (!format) format = bytes.trimmed().startsWith('{') ? TiledFormat::Json : TiledFormat::Tmx;
        if (*format == TiledFormat::Tmx) TmxReader(tiled).Read(bytes);
        else JsonReader(tiled).Read(bytes);
        // What the map alone decides is settled before a tileset file is opened.
        Check_Map(tiled);
        Load_External_Tilesets(tiled, *format, files);
        import = To_Map(tiled);
    } catch (const Refusal& refusal) {
        problem = refusal.why;
    } catch (const std::bad_alloc&) {
        problem = QStringLiteral("there is not enough memory to read %1").arg(path);
    }
    if (read) *read = files.Count();
    return problem;
}

QString Write_Imported_Map(const TiledImport& import, const QString& zol_path)
{
    QString why;
    if (Write_Map_Files(zol_path, Encode_Map(import.doc, import.palette_name), import.doc.flags, &why) != MapFilesWrite::Done)
        return why;
    return QString();
}

} // namespace zol
