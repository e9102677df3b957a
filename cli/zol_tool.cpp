#include "zol_tool.h"

#include "core/render/cell_palette_images.h"
#include "core/render/map_png.h"
#include "core/render/map_renderer.h"
#include "core/map/file_writer.h"
#include "core/map/flag_file.h"
#include "core/map/events_links.h"
#include "core/map/map_file.h"
#include "core/exchange/tiled_map.h"
#include "core/editing/drawing_tools.h"
#include "core/messages/show_message.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <optional>

namespace zol {

namespace {

const char* const kUsage =
    "usage: zol-tool check FILE...\n"
    "       zol-tool dump FILE\n"
    "       zol-tool new WxH OUT.zol [--palette NAME]\n"
    "       zol-tool render MAP.zol OUT.png [--zoom 100|75|50|25]\n"
    "       zol-tool edit MAP.zol OUT.zol OP...\n"
    "       zol-tool export MAP.zol OUT.tmx|OUT.tmj [--format tmx|json]\n"
    "       zol-tool import IN.tmx|IN.tmj OUT.zol\n"
    "       zol-tool --help\n"
    "       zol-tool --version\n"
    "\n"
    "  check   read each map; print 'FILE: ok WxH links L events E palette \"NAME\"'\n"
    "          or 'FILE: ERROR No.C X Y'; exit 1 when any file failed\n"
    "  dump    print one map as a JSON object (cells as columns, x then y)\n"
    "  new     write a blank map of W x H cells (1..256 each) and its flag file\n"
    "  render  draw the whole map with the tileset it names into a PNG image\n"
    "  edit    run the editor's operations in order and write the result:\n"
    "            --pen X,Y,N  --rect X1,Y1,X2,Y2,N  --edges X1,Y1,X2,Y2,N  --fill X,Y,N\n"
    "            --rate R  --seed S  (later rect and fill draw at rate R, seeded with S)\n"
    "            --event X,Y,N  --link X,Y,MAP,TX,TY  --delete-event X,Y  --delete-link X,Y\n"
    "  export  write the map as a Tiled map (TMX, or its JSON form for .tmj) with a layer of\n"
    "          cells, a hidden layer of flags, the links and events as objects and the flag\n"
    "          table as a property; the tileset image is the map's palette bitmap\n"
    "  import  read a Tiled map (one tile layer of 32 x 32 tiles, at most 256 x 256, data in\n"
    "          CSV or base64, plain, zlib or gzip) into OUT.zol and its flag file; a map\n"
    "          that cannot be imported is reported and nothing is written\n";

int Usage_Error(QTextStream& err, const QString& message)
{
    err << "zol-tool: " << message << "\n" << "Try 'zol-tool --help'.\n";
    return 2;
}

QString Check_Line(const QString& file, int code, const edit_form& doc)
{
    if (code != kReadOk)
        return QStringLiteral("%1: ERROR No.%2 %3 %4").arg(file).arg(code).arg(doc.max_x).arg(doc.max_y);
    return QStringLiteral("%1: ok %2x%3 links %4 events %5 palette \"%6\"")
        .arg(file)
        .arg(doc.width())
        .arg(doc.height())
        .arg(doc.links.count())
        .arg(doc.events.count())
        .arg(Decode_Palette_Name(doc.palette_name));
}

int Check(const QStringList& files, QTextStream& out)
{
    int status = 0;
    for (const QString& file : files) {
        edit_form doc;
        const int code = Read_Map(file, doc);
        out << Check_Line(file, code, doc) << "\n";
        if (code != kReadOk) status = 1;
    }
    return status;
}

QJsonArray Byte_Array(const std::vector<uint8_t>& bytes)
{
    QJsonArray array;
    for (uint8_t b : bytes) array.append(int(b));
    return array;
}

int Dump(const QString& file, QTextStream& out, QTextStream& err)
{
    edit_form doc;
    const int code = Read_Map(file, doc);
    if (code != kReadOk) {
        err << Check_Line(file, code, doc) << "\n";
        return 1;
    }
    doc.file_path = file;
    doc.flags.assign(kCellCount, kFlagUnknown);
    const bool found = Read_Flag_File(file, doc.flags);
    if (!found) Rebuild_Flags(doc);

    QJsonObject object;
    object.insert(QStringLiteral("width"), doc.width());
    object.insert(QStringLiteral("height"), doc.height());
    QJsonArray cells;
    for (int x = 0; x < doc.width(); ++x) {
        const uint8_t* column = doc.grid.column(x);
        cells.append(Byte_Array(std::vector<uint8_t>(column, column + doc.height())));
    }
    object.insert(QStringLiteral("cells"), cells);
    QJsonArray links;
    for (std::size_t i = 0; i < std::size_t(doc.links.count()); ++i) {
        links.append(QJsonObject{{QStringLiteral("target_map"), doc.links.target_map[i]},
                                 {QStringLiteral("target_x"), doc.links.target_x[i]},
                                 {QStringLiteral("target_y"), doc.links.target_y[i]},
                                 {QStringLiteral("x"), doc.links.x[i]},
                                 {QStringLiteral("y"), doc.links.y[i]}});
    }
    object.insert(QStringLiteral("links"), links);
    QJsonArray events;
    for (std::size_t i = 0; i < std::size_t(doc.events.count()); ++i) {
        events.append(QJsonObject{{QStringLiteral("event"), doc.events.number[i]},
                                  {QStringLiteral("x"), doc.events.x[i]},
                                  {QStringLiteral("y"), doc.events.y[i]}});
    }
    object.insert(QStringLiteral("events"), events);
    object.insert(QStringLiteral("palette"), Decode_Palette_Name(doc.palette_name));
    object.insert(QStringLiteral("flags"), Byte_Array(doc.flags));
    object.insert(QStringLiteral("flags_rebuilt"), !found);
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << "\n";
    return 0;
}

// Two positional arguments and one option that takes a value, as "new" and "render" have.
struct CommandLine {
    QString first, second, option;
    bool has_option = false;
};

// Splits args; on a usage error reports it and returns nullopt with *status set.
std::optional<CommandLine> Parse_Two_And_Option(const QStringList& args, const QString& option_name,
                                                const QString& usage, QTextStream& err, int* status)
{
    CommandLine line;
    auto fail = [&](const QString& message) {
        *status = Usage_Error(err, message);
        return std::nullopt;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == option_name) {
            if (i + 1 >= args.size()) return fail(QStringLiteral("%1 needs a value").arg(option_name));
            line.option = args[++i];
            line.has_option = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option '%1'").arg(arg));
        } else if (line.first.isEmpty()) {
            line.first = arg;
        } else if (line.second.isEmpty()) {
            line.second = arg;
        } else {
            return fail(QStringLiteral("unexpected argument '%1'").arg(arg));
        }
    }
    if (line.second.isEmpty()) return fail(usage);
    return line;
}

int New(const QStringList& args, QTextStream& out, QTextStream& err)
{
    int status = 0;
    const auto line = Parse_Two_And_Option(args, QStringLiteral("--palette"),
                                           QStringLiteral("new needs WxH and OUT.zol"), err, &status);
    if (!line) return status;
    const QString& size = line->first;
    const QString& target = line->second;
    const QString& palette = line->option;
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,3})[xX](\\d{1,3})$"));
    const QRegularExpressionMatch match = pattern.match(size);
    const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
    if (width < 1 || width > kMaxMapSide || height < 1 || height > kMaxMapSide)
        return Usage_Error(err, QStringLiteral("size '%1' must be WxH with 1..256 each").arg(size));

    edit_form doc;
    doc.file_path = target;
    doc.max_x = uint8_t(width - 1);
    doc.max_y = uint8_t(height - 1);
    doc.grid.Allocate(width, height, 0);
    doc.flags.assign(kCellCount, 0);
    QString why;
    if (Write_Map_Files(target, Encode_Map(doc, Encode_Palette_Name(palette)), doc.flags, &why) != MapFilesWrite::Done) {
        err << "zol-tool: " << why << "\n";
        return 1;
    }
    out << target << ": ok " << width << "x" << height << "\n";
    return 0;
}

int Render(const QStringList& args, QTextStream& out, QTextStream& err)
{
    int status = 0;
    const auto line = Parse_Two_And_Option(args, QStringLiteral("--zoom"),
                                           QStringLiteral("render needs MAP.zol and OUT.png"), err, &status);
    if (!line) return status;
    const QString& map = line->first;
    const QString& target = line->second;
    bool ok = true;
    const int zoom = line->has_option ? line->option.toInt(&ok) : 100;
    if (!ok || (zoom != 100 && zoom != 75 && zoom != 50 && zoom != 25))
        return Usage_Error(err, QStringLiteral("zoom '%1' must be 100, 75, 50 or 25").arg(line->option));

    edit_form doc;
    const int code = Read_Map(map, doc);
    if (code != kReadOk) {
        err << Check_Line(map, code, doc) << "\n";
        return 1;
    }
    const QString tileset = Resolve_Palette_Path(map, doc.palette_name);
    QString why;
    const QImage image = Read_Bitmap(tileset, &why);
    if (image.isNull()) {
        err << "zol-tool: cannot read the tileset " << tileset << ": " << why << "\n";
        return 1;
    }
    CellCache cache;
    cache.Build(Cut_Cells(image), kCellSize * zoom / 100);
    if (!Write_Map_Png(target, doc, cache)) {
        err << "zol-tool: cannot write " << target << "\n";
        return 1;
    }
    out << target << ": " << doc.width() * cache.size() << "x" << doc.height() * cache.size() << "\n";
    return 0;
}

// The editor's messages, printed as "caption: text" lines.
class StderrPresenter : public MessagePresenter {
public:
    explicit StderrPresenter(QTextStream& err) : err_(err), previous_(Set_Message_Presenter(this)) {}
    ~StderrPresenter() override { Set_Message_Presenter(previous_); }
    MessageButton present(const MessageRequest& request) override
    {
        err_ << "zol-tool: " << request.caption << ": " << QString(request.text).replace('\n', ' ') << "\n";
        return request.buttons[std::size_t(request.default_index)];
    }

private:
    QTextStream& err_;
    MessagePresenter* previous_;
};

struct EditOperation {
    QString name;
    std::vector<qint64> values;
};

// The operations' arguments: how many numbers each takes and which of them are cell numbers
// (0..63); every other number is a byte (0..255), and --rate is 1..100.
int Operation_Arity(const QString& name)
{
    static const std::map<QString, int> arity = {
        {"--pen", 3},   {"--rect", 5},  {"--edges", 5},        {"--fill", 3},
        {"--rate", 1},  {"--seed", 1},  {"--event", 3},        {"--link", 5},
        {"--delete-event", 2},          {"--delete-link", 2},
    };
    const auto found = arity.find(name);
    return found == arity.end() ? -1 : found->second;
}

std::optional<QString> Check_Operation(const EditOperation& op)
{
    const auto& v = op.values;
    auto in = [](qint64 value, qint64 low, qint64 high) { return value >= low && value <= high; };
    const bool cell_last = op.name == "--pen" || op.name == "--rect" || op.name == "--edges" || op.name == "--fill";
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (op.name == "--seed") {
            if (!in(v[i], 0, 0xffffffffLL)) return QStringLiteral("--seed takes 0..4294967295");
            continue;
        }
        if (op.name == "--rate" && !in(v[i], 1, 100)) return QStringLiteral("--rate takes 1..100");
        if (op.name == "--rate") continue;
        const bool cell = cell_last && i + 1 == v.size();
        if (!in(v[i], 0, cell ? 63 : 255))
            return QStringLiteral("%1: %2 is out of range (%3)").arg(op.name).arg(v[i]).arg(cell ? "0..63" : "0..255");
    }
    return std::nullopt;
}

// Reads a map with its flag table (rebuilt when the flag file is missing); false after
// reporting a map that cannot be read.
bool Read_Map_With_Flags(const QString& map, edit_form& doc, QTextStream& err)
{
    const int code = Read_Map(map, doc);
    if (code != kReadOk) {
        err << Check_Line(map, code, doc) << "\n";
        return false;
    }
    doc.file_path = map;
    doc.flags.assign(kCellCount, kFlagUnknown);
    if (!Read_Flag_File(map, doc.flags)) Rebuild_Flags(doc);
    return true;
}

int Edit(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QStringList files;
    std::vector<EditOperation> ops;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            files << arg;
            continue;
        }
        const int arity = Operation_Arity(arg);
        if (arity < 0) return Usage_Error(err, QStringLiteral("unknown operation '%1'").arg(arg));
        if (i + 1 >= args.size()) return Usage_Error(err, QStringLiteral("%1 needs %2 numbers").arg(arg).arg(arity));
        const QStringList parts = args[++i].split(QLatin1Char(','));
        EditOperation op{arg, {}};
        for (const QString& part : parts) {
            bool ok = false;
            const qint64 value = part.toLongLong(&ok);
            if (!ok) return Usage_Error(err, QStringLiteral("%1: '%2' is not a number").arg(arg, part));
            op.values.push_back(value);
        }
        if (int(op.values.size()) != arity)
            return Usage_Error(err, QStringLiteral("%1 needs %2 numbers separated by commas").arg(arg).arg(arity));
        if (const auto problem = Check_Operation(op)) return Usage_Error(err, *problem);
        ops.push_back(op);
    }
    if (files.size() != 2) return Usage_Error(err, QStringLiteral("edit needs MAP.zol and OUT.zol"));
    const QString& map = files[0];
    const QString& target = files[1];

    edit_form doc;
    if (!Read_Map_With_Flags(map, doc, err)) return 1;

    StderrPresenter messages(err);
    FillRate rate{false, 100};
    uint32_t seed = 0;
    for (const EditOperation& op : ops) {
        std::vector<int> v(op.values.begin(), op.values.end()); // checked to fit above
        if (op.name == "--seed") v.clear();
        bool done = true;
        if (op.name == "--rate") rate = {true, v[0]};
        else if (op.name == "--seed") seed = uint32_t(op.values[0]);
        else if (op.name == "--pen") {
            if (doc.contains(v[0], v[1])) doc.cell(v[0], v[1]) = doc.drawing_value(v[2]);
        } else if (op.name == "--rect") Rectangle_Fill(doc, CellRect::Between(v[0], v[1], v[2], v[3]), uint8_t(v[4]), rate, seed);
        else if (op.name == "--edges") Rectangle_Edges(doc, CellRect::Between(v[0], v[1], v[2], v[3]), uint8_t(v[4]));
        else if (op.name == "--fill") done = Paint(doc, v[0], v[1], Pattern::Single(doc.drawing_value(v[2])), rate, seed);
        else if (op.name == "--event") done = Set_Event(doc, v[0], v[1], v[2]) == TableChange::Done;
        else if (op.name == "--link") done = Set_Link(doc, v[0], v[1], v[3], v[4], v[2]) == TableChange::Done;
        else if (op.name == "--delete-event") done = Delete_Event(doc, v[0], v[1]) == TableChange::Done;
        else if (op.name == "--delete-link") done = Delete_Link(doc, v[0], v[1]) == TableChange::Done;
        if (!done) return 1; // the editor's message is on stderr; nothing is written
    }
    QString why;
    const QByteArray name = Encode_Palette_Name(Decode_Palette_Name(doc.palette_name));
    if (Write_Map_Files(target, Encode_Map(doc, name), doc.flags, &why) != MapFilesWrite::Done) {
        err << "zol-tool: " << why << "\n";
        return 1;
    }
    out << target << ": ok " << doc.width() << "x" << doc.height() << " links " << doc.links.count()
        << " events " << doc.events.count() << "\n";
    return 0;
}

int Export(const QStringList& args, QTextStream& out, QTextStream& err)
{
    int status = 0;
    const auto line = Parse_Two_And_Option(args, QStringLiteral("--format"),
                                           QStringLiteral("export needs MAP.zol and OUT.tmx or OUT.tmj"), err, &status);
    if (!line) return status;
    std::optional<TiledFormat> format = Tiled_Format_For(line->second);
    if (line->has_option) {
        if (line->option == QLatin1String("tmx")) format = TiledFormat::Tmx;
        else if (line->option == QLatin1String("json")) format = TiledFormat::Json;
        else return Usage_Error(err, QStringLiteral("format '%1' must be tmx or json").arg(line->option));
    }
    if (!format) return Usage_Error(err, QStringLiteral("'%1' ends in neither .tmx nor .tmj; give --format").arg(line->second));
    edit_form doc;
    if (!Read_Map_With_Flags(line->first, doc, err)) return 1;
    const QString problem = Export_Tiled_Map(doc, doc.palette_name, Resolve_Palette_Path(line->first, doc.palette_name),
                                             line->second, *format);
    if (!problem.isEmpty()) {
        err << "zol-tool: " << problem << "\n";
        return 1;
    }
    out << line->second << ": ok " << doc.width() << "x" << doc.height() << " links " << doc.links.count()
        << " events " << doc.events.count() << "\n";
    return 0;
}

int Import(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 2 || args[0].startsWith(QLatin1String("--")) || args[1].startsWith(QLatin1String("--")))
        return Usage_Error(err, QStringLiteral("import needs IN.tmx or IN.tmj and OUT.zol"));
    TiledImport import;
    QString problem = Import_Tiled_Map(args[0], import);
    if (problem.isEmpty()) problem = Write_Imported_Map(import, args[1]);
    if (!problem.isEmpty()) {
        err << "zol-tool: " << problem << "\n";
        return 1;
    }
    const edit_form& doc = import.doc;
    out << args[1] << ": ok " << doc.width() << "x" << doc.height() << " links " << doc.links.count()
        << " events " << doc.events.count() << "\n";
    return 0;
}

} // namespace

int Run_Zol_Tool(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty()) return Usage_Error(err, QStringLiteral("no command given"));
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << kUsage;
        return 0;
    }
    if (command == QLatin1String("--version")) {
        out << "zol-tool " << ZOL_VERSION << "\n";
        return 0;
    }
    if (command == QLatin1String("check")) {
        if (rest.isEmpty()) return Usage_Error(err, QStringLiteral("check needs at least one FILE"));
        return Check(rest, out);
    }
    if (command == QLatin1String("dump")) {
        if (rest.size() != 1) return Usage_Error(err, QStringLiteral("dump needs exactly one FILE"));
        return Dump(rest.first(), out, err);
    }
    if (command == QLatin1String("new")) return New(rest, out, err);
    if (command == QLatin1String("render")) return Render(rest, out, err);
    if (command == QLatin1String("edit")) return Edit(rest, out, err);
    if (command == QLatin1String("export")) return Export(rest, out, err);
    if (command == QLatin1String("import")) return Import(rest, out, err);
    return Usage_Error(err, QStringLiteral("unknown command '%1'").arg(command));
}

} // namespace zol
