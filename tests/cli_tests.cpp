// zol-tool as a build pipeline runs it: as a separate process, judged by output and exit status.

#include "core/render/cell_palette_images.h"
#include "core/map/events_links.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/editing/drawing_tools.h"
#include "test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zol;
using namespace zol::test;

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun Run_Tool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(ZOL_TOOL_PATH), args);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class ZolToolTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // A 3 x 2 map with one link and two events, written by the program's own writer.
    QString Write_Sample(const char* name)
    {
        edit_form doc = Map_From_Text("1 2 3\n4 5 199");
        doc.file_path = Path(name);
        doc.links.target_map = {2};
        doc.links.target_x = {5};
        doc.links.target_y = {7};
        doc.links.x = {1};
        doc.links.y = {0};
        doc.events.number = {12, 3};
        doc.events.x = {0, 2};
        doc.events.y = {1, 1};
        doc.flags[7] = 3;
        EXPECT_TRUE(Write_Map(doc, QStringLiteral("タイル"), QStringLiteral("ERROR(17)")));
        return doc.file_path;
    }
};

TEST_F(ZolToolTest, CheckReportsEachFileAndFailsWhenAnyFails)
{
    const QString good = Write_Sample("good.zol");
    Write_File(Path("short.zol"), Bytes({9, 4, 1, 2}));
    const ToolRun run = Run_Tool({QStringLiteral("check"), good, Path("short.zol"), Path("none.zol")});
    EXPECT_EQ(run.status, 1);
    const QStringList lines = run.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], good + QStringLiteral(": ok 3x2 links 1 events 2 palette \"タイル\""));
    EXPECT_EQ(lines[1], Path("short.zol") + QStringLiteral(": ERROR No.6 9 4"));
    EXPECT_EQ(lines[2], Path("none.zol") + QStringLiteral(": ERROR No.2 0 0"));

    EXPECT_EQ(Run_Tool({QStringLiteral("check"), good}).status, 0);
}

TEST_F(ZolToolTest, DumpGivesColumnsTablesAndFlags)
{
    const QString map = Write_Sample("dump.zol");
    const ToolRun run = Run_Tool({QStringLiteral("dump"), map});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json[QStringLiteral("width")].toInt(), 3);
    EXPECT_EQ(json[QStringLiteral("height")].toInt(), 2);
    const QJsonArray cells = json[QStringLiteral("cells")].toArray();
    ASSERT_EQ(cells.size(), 3);
    EXPECT_EQ(cells[2].toArray(), (QJsonArray{3, 199})); // column x = 2, y = 0 then 1
    const QJsonObject link = json[QStringLiteral("links")].toArray()[0].toObject();
    EXPECT_EQ(link, (QJsonObject{{"target_map", 2}, {"target_x", 5}, {"target_y", 7}, {"x", 1}, {"y", 0}}));
    const QJsonArray events = json[QStringLiteral("events")].toArray();
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[1].toObject(), (QJsonObject{{"event", 3}, {"x", 2}, {"y", 1}}));
    EXPECT_EQ(json[QStringLiteral("palette")].toString(), QStringLiteral("タイル"));
    EXPECT_EQ(json[QStringLiteral("flags")].toArray().size(), 64);
    EXPECT_EQ(json[QStringLiteral("flags")].toArray()[7].toInt(), 3);
    EXPECT_FALSE(json[QStringLiteral("flags_rebuilt")].toBool());
}

TEST_F(ZolToolTest, DumpRebuildsFlagsWithoutAFlagFile)
{
    const QString map = Write_Sample("noflags.zol");
    ASSERT_TRUE(QFile::remove(Path("noflags.flg")));
    const ToolRun run = Run_Tool({QStringLiteral("dump"), map});
    ASSERT_EQ(run.status, 0);
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_TRUE(json[QStringLiteral("flags_rebuilt")].toBool());
    EXPECT_EQ(json[QStringLiteral("flags")].toArray()[7].toInt(), 3); // cell 199 = number 7, flag 3
    EXPECT_EQ(json[QStringLiteral("flags")].toArray()[1].toInt(), 0);
}

TEST_F(ZolToolTest, DumpOfABrokenFileWritesTheCheckLineToStderr)
{
    Write_File(Path("broken.zol"), Bytes({0}));
    const ToolRun run = Run_Tool({QStringLiteral("dump"), Path("broken.zol")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.trimmed(), Path("broken.zol") + QStringLiteral(": ERROR No.3 0 0"));
}

TEST_F(ZolToolTest, NewWritesABlankMapAndItsFlagFile)
{
    const ToolRun run = Run_Tool({QStringLiteral("new"), QStringLiteral("256x1"), Path("wide.zol"),
                                  QStringLiteral("--palette"), QStringLiteral("tiles")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray bytes = Read_File(Path("wide.zol"));
    ASSERT_EQ(bytes.size(), 4 + 256 + 5);
    EXPECT_EQ(uint8_t(bytes[0]), 255);
    EXPECT_EQ(uint8_t(bytes[1]), 0);
    EXPECT_EQ(bytes.mid(2, 258), QByteArray(258, '\0'));
    EXPECT_EQ(bytes.right(5), QByteArray("tiles"));
    EXPECT_EQ(Read_File(Path("wide.flg")), QByteArray(64, '\0'));

    edit_form doc;
    EXPECT_EQ(Read_Map(Path("wide.zol"), doc), kReadOk);
}

TEST_F(ZolToolTest, UsageErrorsExitWithTwoAndOneLine)
{
    const QStringList cases[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("check")},
        {QStringLiteral("dump")},
        {QStringLiteral("dump"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("new"), QStringLiteral("0x5"), Path("x.zol")},
        {QStringLiteral("new"), QStringLiteral("257x5"), Path("x.zol")},
        {QStringLiteral("new"), QStringLiteral("5by5"), Path("x.zol")},
        {QStringLiteral("new"), QStringLiteral("5x5")},
        {QStringLiteral("new"), QStringLiteral("5x5"), Path("x.zol"), QStringLiteral("--palette")},
        {QStringLiteral("new"), QStringLiteral("5x5"), Path("x.zol"), QStringLiteral("--colour")},
    };
    for (const QStringList& args : cases) {
        const ToolRun run = Run_Tool(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zol-tool: "))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("x.zol")));

    const ToolRun help = Run_Tool({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("zol-tool check FILE...")));
}

TEST_F(ZolToolTest, NewIntoAnUnwritablePlaceFailsWithoutStrayFiles)
{
    const ToolRun run = Run_Tool({QStringLiteral("new"), QStringLiteral("4x4"), Path("no/such/dir/m.zol")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write")));
}

TEST_F(ZolToolTest, RenderDrawsTheWholeMapWithItsTileset)
{
    CellImages cells;
    for (int n = 0; n < 64; ++n) {
        cells[std::size_t(n)] = QImage(kCellSize, kCellSize, QImage::Format_RGB32);
        cells[std::size_t(n)].fill(qRgb(n * 4, 255 - n * 4, 100));
    }
    ASSERT_TRUE(Write_Palette_Bitmap(Path("TILES.BMP"), cells)); // found ignoring case
    edit_form doc = Map_From_Text("1 2 3\n4 5 199");
    doc.file_path = Path("r.zol");
    ASSERT_TRUE(Write_Map(doc, QStringLiteral("tiles"), QStringLiteral("ERROR(17)")));

    struct Case { const char* zoom; int s; };
    for (const Case c : {Case{"100", 32}, Case{"75", 24}, Case{"50", 16}, Case{"25", 8}}) {
        const ToolRun run = Run_Tool({QStringLiteral("render"), Path("r.zol"), Path("r.png"),
                                      QStringLiteral("--zoom"), QString::fromLatin1(c.zoom)});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QImage png(Path("r.png"));
        ASSERT_EQ(png.size(), QSize(3 * c.s, 2 * c.s)) << c.zoom;
        // Cell (2, 1) holds 199: tile 7, drawn at every zoom in its own colour.
        EXPECT_EQ(png.pixel(2 * c.s + c.s / 2, c.s + c.s / 2), qRgb(28, 227, 100)) << c.zoom;
        EXPECT_EQ(png.pixel(c.s / 2, c.s / 2), qRgb(4, 251, 100)) << c.zoom;
    }
}

TEST_F(ZolToolTest, RenderRefusesWhatItCannotDo)
{
    const QString map = Write_Sample("nomap.zol"); // names a tileset that is not there
    ToolRun run = Run_Tool({QStringLiteral("render"), map, Path("out.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot read the tileset")));
    EXPECT_FALSE(QFile::exists(Path("out.png")));

    run = Run_Tool({QStringLiteral("render"), map, Path("out.png"), QStringLiteral("--zoom"), QStringLiteral("60")});
    EXPECT_EQ(run.status, 2);
    run = Run_Tool({QStringLiteral("render"), map});
    EXPECT_EQ(run.status, 2);

    Write_File(Path("cut.zol"), Bytes({1, 1, 0}));
    run = Run_Tool({QStringLiteral("render"), Path("cut.zol"), Path("out.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed(), Path("cut.zol") + QStringLiteral(": ERROR No.6 1 1"));
}

TEST_F(ZolToolTest, EditRunsTheEditorsOperationsInOrder)
{
    const QString map = Write_Sample("in.zol"); // "1 2 3\n4 5 199", flag of cell 7 is 3
    const ToolRun run = Run_Tool({"edit", map, Path("out.zol"), "--pen", "0,0,7", "--edges", "0,0,2,1,9",
                                  "--pen", "1,1,7", "--fill", "1,1,6", "--event", "2,0,44",
                                  "--delete-event", "0,1", "--link", "2,1,3,8,9", "--delete-link", "1,0"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    edit_form out;
    ASSERT_EQ(Read_Map(Path("out.zol"), out), kReadOk);
    EXPECT_EQ(Map_To_Text(out), QStringLiteral("9 9 9\n9 6 9")) << "pen 199, edges bare, fill over the pen";
    EXPECT_EQ(out.events.number, (std::vector<uint8_t>{3, 44}));
    EXPECT_EQ(out.links.target_map, std::vector<uint8_t>{3});
    EXPECT_EQ(out.links.target_x, std::vector<uint8_t>{8});
    EXPECT_EQ(Decode_Palette_Name(out.palette_name), QStringLiteral("タイル"));
    EXPECT_EQ(Read_File(Path("out.flg")).at(7), 3);

    // At a rate, with a seed, the rectangle draws as the editor's own fill does.
    const ToolRun rated = Run_Tool({"edit", map, Path("rated.zol"), "--rate", "40", "--seed", "99",
                                    "--rect", "0,0,2,1,8"});
    ASSERT_EQ(rated.status, 0) << rated.err.toStdString();
    edit_form expected = Map_From_Text("1 2 3\n4 5 199");
    Rectangle_Fill(expected, {0, 0, 2, 1}, 8, {true, 40}, 99);
    ASSERT_EQ(Read_Map(Path("rated.zol"), out), kReadOk);
    EXPECT_EQ(Map_To_Text(out), Map_To_Text(expected));
}

TEST_F(ZolToolTest, EditFailuresWriteNothing)
{
    const QString map = Write_Sample("in.zol");
    edit_form full = Map_From_Text("0");
    full.file_path = Path("full.zol");
    for (int i = 0; i < 255; ++i) ASSERT_EQ(Set_Event(full, i, 1, 1), TableChange::Done);
    ASSERT_TRUE(Write_Map(full, "p", "ERROR(17)"));
    const ToolRun limit = Run_Tool({"edit", full.file_path, Path("never.zol"), "--event", "0,0,5"});
    EXPECT_EQ(limit.status, 1);
    EXPECT_TRUE(limit.err.contains(QStringLiteral("やりすぎ！"))) << limit.err.toStdString();

    const QList<QStringList> usage = {
        {"edit", map}, {"edit", map, Path("never.zol"), "--pen", "1,1"},
        {"edit", map, Path("never.zol"), "--pen", "1,1,64"}, {"edit", map, Path("never.zol"), "--rate", "0"},
        {"edit", map, Path("never.zol"), "--event", "1,x,3"}, {"edit", map, Path("never.zol"), "--spray", "1"},
        {"edit", map, Path("never.zol"), "--link", "1,1,1,1,256"},
    };
    for (const QStringList& args : usage) EXPECT_EQ(Run_Tool(args).status, 2) << args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(Path("never.zol")));

    // A position outside 0..255 is refused as it is read, naming the number; the range's ends
    // are taken (the tables may hold cells outside the map).
    const struct { const char* op; const char* values; const char* refused; } positions[] = {
        {"--event", "-1,0,5", "-1"},   {"--event", "0,256,5", "256"},    {"--event", "1000,0,5", "1000"},
        {"--link", "-1,0,1,1,1", "-1"}, {"--link", "0,256,1,1,1", "256"}, {"--event", "255,0,5", nullptr},
        {"--link", "0,255,1,1,1", nullptr},
    };
    for (const auto& row : positions) {
        SCOPED_TRACE(std::string(row.op) + " " + row.values);
        const ToolRun run = Run_Tool({"edit", map, Path("at.zol"), row.op, row.values});
        if (!row.refused) {
            EXPECT_EQ(run.status, 0) << run.err.toStdString();
            EXPECT_TRUE(QFile::remove(Path("at.zol")));
            continue;
        }
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zol-tool: %1: %2 is out of range (0..255)\n").arg(row.op, row.refused)))
            << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("at.zol")));
    }
    EXPECT_EQ(Run_Tool({"edit", Path("missing.zol"), Path("never.zol")}).status, 1);
}

TEST_F(ZolToolTest, ExportAndImportGoThroughTiledMaps)
{
    const QString map = Write_Sample("m.zol");
    for (const QStringList& names : {QStringList{"m.tmx", "b1.zol"}, QStringList{"m.tmj", "b2.zol"}, QStringList{"m.map", "b3.zol"}}) {
        QStringList args{"export", map, Path(names[0].toUtf8())};
        if (names[0].endsWith(".map")) args << "--format" << "json";
        const ToolRun exported = Run_Tool(args);
        ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
        EXPECT_EQ(exported.out, Path(names[0].toUtf8()) + ": ok 3x2 links 1 events 2\n");
        const ToolRun imported = Run_Tool({"import", Path(names[0].toUtf8()), Path(names[1].toUtf8())});
        ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
        EXPECT_EQ(Read_File(Path(names[1].toUtf8())), Read_File(map)) << names[0].toStdString();
        EXPECT_EQ(Read_File(Flag_Path(Path(names[1].toUtf8()))), Read_File(Flag_Path(map)));
    }
    EXPECT_TRUE(QFile::exists(Path("m.flags.png")));
    EXPECT_TRUE(Read_File(Path("m.map")).startsWith('{'));

    // A refused import: status 1, one line naming the problem, no file written.
    Write_File(Path("big.tmx"), "<map orientation=\"orthogonal\" width=\"257\" height=\"1\" tilewidth=\"32\" tileheight=\"32\"/>");
    const ToolRun refused = Run_Tool({"import", Path("big.tmx"), Path("never.zol")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, QStringLiteral("zol-tool: the map is 257 x 1 tiles; at most 256 x 256 can be imported\n"));
    EXPECT_FALSE(QFile::exists(Path("never.zol")));
    EXPECT_FALSE(QFile::exists(Path("never.flg")));
    EXPECT_EQ(Run_Tool({"import", Path("missing.tmx"), Path("never.zol")}).status, 1);
    EXPECT_EQ(Run_Tool({"export", map, Path("m.txt")}).status, 2) << "no format to be had";
    EXPECT_EQ(Run_Tool({"export", map, Path("m.tmx"), "--format", "yaml"}).status, 2);
    EXPECT_EQ(Run_Tool({"import", Path("m.tmx")}).status, 2);
}

TEST_F(ZolToolTest, EveryWritingCommandFailsCleanlyOnAFullDisk)
{
    const QString map = Write_Sample("m.zol");
    CellImages cells;
    for (QImage& cell : cells) {
        cell = QImage(kCellSize, kCellSize, QImage::Format_RGB32);
        cell.fill(Qt::darkCyan);
    }
    ASSERT_TRUE(Write_Palette_Bitmap(Path("タイル.bmp"), cells));
    ASSERT_EQ(Run_Tool({"export", map, Path("in.tmx")}).status, 0);
    const QByteArray old = "an older file that must survive";
    struct Row {
        QStringList args;
        QStringList targets; // each holds old bytes before the run
    };
    const QList<Row> rows = {
        {{"new", "4x4", Path("o.zol")}, {"o.zol", "o.flg"}},
        {{"edit", map, Path("o.zol"), "--pen", "0,0,7"}, {"o.zol", "o.flg"}},
        {{"edit", map, map, "--pen", "0,0,7"}, {}}, // over itself
        {{"export", map, Path("o.tmx")}, {"o.tmx", "o.flags.png"}},
        {{"export", map, Path("o.tmj")}, {"o.tmj", "o.flags.png"}},
        {{"import", Path("in.tmx"), Path("o.zol")}, {"o.zol", "o.flg"}},
        {{"render", map, Path("o.png")}, {"o.png"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        for (const QString& target : row.targets) Write_File(dir.filePath(target), old);
        const QByteArray map_before = Read_File(map);
        const QStringList before = Files_In(dir.path());
        ToolRun run;
        {
            FileSizeLimit full(24);
            run = Run_Tool(row.args);
        }
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.startsWith("zol-tool: cannot write ") && run.err.count('\n') == 1) << run.err.toStdString();
        for (const QString& target : row.targets) EXPECT_EQ(Read_File(dir.filePath(target)), old);
        EXPECT_EQ(Read_File(map), map_before);
        EXPECT_EQ(Files_In(dir.path()), before);
    }
}

TEST_F(ZolToolTest, HostileImportsAreRefusedInOneLine)
{
    // A layer inside 100,000 groups (a recursive reader runs out of stack), and a tileset that
    // is a link out of the map's folder.
    const QByteArray head = "<map orientation=\"orthogonal\" width=\"1\" height=\"1\" tilewidth=\"32\" tileheight=\"32\">";
    const QByteArray layer = "<layer name=\"g\" width=\"1\" height=\"1\"><data encoding=\"csv\">1</data></layer>";
    QDir(dir.path()).mkpath("maps");
    QDir(dir.path()).mkpath("outside");
    Write_File(Path("maps/deep.tmx"), head + "<tileset firstgid=\"1\" name=\"t\" tilewidth=\"32\" tileheight=\"32\"/>" +
                                          QByteArray("<group>").repeated(100000) + layer + QByteArray("</group>").repeated(100000) + "</map>");
    Write_File(Path("outside/x.tsx"), "<tileset name=\"x\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"64\" columns=\"4\"/>");
    ASSERT_TRUE(QFile::link("../outside/x.tsx", Path("maps/link.tsx")));
    Write_File(Path("maps/link.tmx"), head + "<tileset firstgid=\"1\" source=\"link.tsx\"/>" + layer + "</map>");
    const struct {
        const char* map;
        const char* says;
    } cases[] = {
        {"maps/deep.tmx", "zol-tool: the map's layer groups are nested more than 32 deep\n"},
        {"maps/link.tmx", "zol-tool: the tileset 'link.tsx' lies outside the map's folder\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Run_Tool({"import", Path(c.map), Path("maps/never.zol")});
        EXPECT_EQ(run.status, 1) << c.map;
        EXPECT_EQ(run.err, QString::fromUtf8(c.says));
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QFile::exists(Path("maps/never.zol")));
        EXPECT_FALSE(QFile::exists(Path("maps/never.flg")));
    }
}

TEST(ZolToolExamples, EveryBundledMapReads)
{
    const QDir examples(QStringLiteral(ZOL_EXAMPLES_DIR));
    const QStringList maps = examples.entryList({QStringLiteral("*.zol")}, QDir::Files);
    ASSERT_FALSE(maps.isEmpty());
    QStringList args{QStringLiteral("check")};
    for (const QString& map : maps) args << examples.filePath(map);
    const ToolRun run = Run_Tool(args);
    EXPECT_EQ(run.status, 0) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("palette \"sample\""))) << run.out.toStdString();
}

} // namespace
