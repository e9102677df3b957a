#include <gtest/gtest.h>

#include "core/map/allocation.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/exchange/tiled_map.h"
#include "core/render/cell_palette_images.h"
#include "core/messages/show_message.h"
#include "scripted_presenter.h"
#include "allocation_failures.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <ostream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
[[maybe_unused]] static void PrintTo(const QByteArray& b, std::ostream* os) { *os << b.toHex(' ').toStdString(); }

namespace zol {
namespace {

using test::Bytes;
using test::Map_From_Text;
using test::Map_To_Text;
using test::Read_File;
using test::Write_File;

// The example file: a 2 x 1 map with cells 5 and 70, one link from (1, 0) to map 3 at (10, 20),
// no events, palette "abc".
const QByteArray kExample = Bytes({0x01, 0x00, 0x05, 0x46, 0x01, 0x03, 0x0A, 0x14, 0x01, 0x00, 0x00,
                                   0x61, 0x62, 0x63});

class MapFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Put(const QString& name, const QByteArray& bytes) const
    {
        const QString path = Path(name);
        Write_File(path, bytes);
        return path;
    }
    // A slot holding leftovers of an earlier map, to see that a failed read leaves none of them.
    static edit_form Used_Slot()
    {
        edit_form doc = Map_From_Text("9 9\n9 9");
        doc.links.target_map = {1};
        doc.links.target_x = {1};
        doc.links.target_y = {1};
        doc.links.x = {1};
        doc.links.y = {1};
        doc.events.number = {1};
        doc.events.x = {1};
        doc.events.y = {1};
        doc.palette_name = "old";
        return doc;
    }
    static void Expect_Nothing_Left(const edit_form& doc)
    {
        EXPECT_FALSE(doc.has_grid());
        EXPECT_EQ(doc.links, LinkTable{});
        EXPECT_EQ(doc.events, EventTable{});
        EXPECT_TRUE(doc.palette_name.isEmpty());
    }

    QTemporaryDir dir_;
};

TEST_F(MapFileTest, ReadsTheExampleFile)
{
    edit_form doc;
    ASSERT_EQ(Read_Map(Put("example.zol", kExample), doc), kReadOk);
    EXPECT_EQ(doc.width(), 2);
    EXPECT_EQ(doc.height(), 1);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("5 70"));
    EXPECT_EQ(Cell_Number(doc.cell(1, 0)), 6);
    EXPECT_EQ(Cell_Flag(doc.cell(1, 0)), 1);
    ASSERT_EQ(doc.links.count(), 1);
    EXPECT_EQ(doc.links.target_map[0], 3);
    EXPECT_EQ(doc.links.target_x[0], 10);
    EXPECT_EQ(doc.links.target_y[0], 20);
    EXPECT_EQ(doc.links.x[0], 1);
    EXPECT_EQ(doc.links.y[0], 0);
    EXPECT_EQ(doc.events.count(), 0);
    EXPECT_EQ(doc.palette_name, QByteArray("abc"));

    // The writer gives the same bytes back.
    EXPECT_EQ(Encode_Map(doc, "abc"), kExample);
}

TEST_F(MapFileTest, ReadResultCodesForMalformedFiles)
{
    const struct {
        const char* name;
        QByteArray bytes;
        int code;
        int max_x, max_y; // as they stand after the attempt
    } rows[] = {
        {"empty", QByteArray(), kReadTooShort, 0, 0},
        {"one_byte", Bytes({7}), kReadTooShort, 7, 0},
        {"two_zero_bytes", Bytes({0, 0}), kReadEndInGrid, 0, 0},
        {"grid_cut_in_last_column", Bytes({1, 1, 1, 2, 3}), kReadEndInGrid, 1, 1},
        {"grid_cut_in_first_column", Bytes({3, 4, 1}), kReadEndInGrid, 3, 4},
        {"no_link_count", Bytes({0, 0, 5}), kReadEndBeforeLinkCount, 0, 0},
        {"link_record_cut", Bytes({0, 0, 5, 2, 1, 2, 3, 4, 5, 1, 2}), kReadEndInLink, 0, 0},
        {"links_missing", Bytes({0, 0, 5, 1}), kReadEndInLink, 0, 0},
        {"no_event_count", Bytes({0, 0, 5, 1, 1, 2, 3, 4, 5}), kReadEndBeforeEventCount, 0, 0},
        {"no_event_count_no_links", Bytes({0, 0, 5, 0}), kReadEndBeforeEventCount, 0, 0},
        {"event_record_cut", Bytes({0, 0, 5, 0, 2, 1, 2, 3, 4}), kReadEndInEvent, 0, 0},
        {"palette_name_too_long", Bytes({0, 0, 5, 0, 0}) + QByteArray(1025, 'p'),
         kReadPaletteNameTooLong, 0, 0},
        {"huge_trailing_garbage", Bytes({2, 0, 1, 2, 3, 0, 0}) + QByteArray(200000, 'x'),
         kReadPaletteNameTooLong, 2, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc = Used_Slot();
        doc.max_x = 0;
        doc.max_y = 0;
        EXPECT_EQ(Read_Map(Put(QStringLiteral("bad.zol"), row.bytes), doc), row.code);
        EXPECT_EQ(doc.max_x, row.max_x);
        EXPECT_EQ(doc.max_y, row.max_y);
        Expect_Nothing_Left(doc);
    }
}

TEST_F(MapFileTest, ReadAcceptsBoundaryFiles)
{
    const struct {
        const char* name;
        QByteArray bytes;
        int width, height, links, events;
        QByteArray palette;
    } rows[] = {
        {"no_palette_name", Bytes({0, 0, 5, 0, 0}), 1, 1, 0, 0, QByteArray()},
        {"palette_name_1024", Bytes({0, 0, 5, 0, 0}) + QByteArray(1024, 'p'), 1, 1, 0, 0,
         QByteArray(1024, 'p')},
        {"trailing_line_end_is_name", Bytes({0, 0, 5, 0, 0, 'a', '\r', '\n'}), 1, 1, 0, 0,
         QByteArray("a\r\n")},
        {"events_only", Bytes({0, 1, 5, 6, 0, 2, 7, 0, 1, 8, 0, 0, 'z'}), 1, 2, 0, 2, QByteArray("z")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc;
        ASSERT_EQ(Read_Map(Put(QStringLiteral("ok.zol"), row.bytes), doc), kReadOk);
        EXPECT_EQ(doc.width(), row.width);
        EXPECT_EQ(doc.height(), row.height);
        EXPECT_EQ(doc.links.count(), row.links);
        EXPECT_EQ(doc.events.count(), row.events);
        EXPECT_EQ(doc.palette_name, row.palette);
    }
}

TEST_F(MapFileTest, ReadCannotOpen)
{
    edit_form doc = Used_Slot();
    EXPECT_EQ(Read_Map(Path("missing.zol"), doc), kReadCannotOpen);
    QDir(dir_.path()).mkdir(QStringLiteral("folder.zol"));
    EXPECT_EQ(Read_Map(Path("folder.zol"), doc), kReadCannotOpen);
    EXPECT_EQ(Read_Map(QString(), doc), kReadCannotOpen);
}

// A named pipe where a file is expected: no reader may open it and wait for a writer. A watcher
// that can open the pipe for writing without waiting has found a reader blocked on it (and
// lets it go on).
TEST_F(MapFileTest, NamedPipesAreRefusedWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.zol")).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("map.flg")).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.bmp")).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.tmx")).constData(), 0600), 0);
    std::atomic<bool> done{false};
    std::atomic<int> waited{0};
    std::thread watcher([&] {
        while (!done) {
            for (const char* name : {"pipe.zol", "map.flg", "pipe.bmp", "pipe.tmx"}) {
                const int fd = ::open(QFile::encodeName(Path(name)).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ++waited;
                    ::close(fd);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    edit_form doc = Used_Slot();
    EXPECT_EQ(Read_Map(Path("pipe.zol"), doc), kReadCannotOpen);
    std::vector<uint8_t> table(kCellCount, kFlagUnknown);
    EXPECT_FALSE(Read_Flag_File(Path("map.zol"), table));
    EXPECT_TRUE(Read_Bitmap(Path("pipe.bmp")).isNull());
    TiledImport import;
    EXPECT_FALSE(Import_Tiled_Map(Path("pipe.tmx"), import).isEmpty());
    done = true;
    watcher.join();
    EXPECT_EQ(waited, 0);
}

TEST_F(MapFileTest, ReadMemoryFailuresGiveTheirCodes)
{
    // 2 x 1 map, one link, one event, name "n". Allocations in order: the grid's block, five
    // link columns, three event columns, the palette name.
    const QByteArray file = Bytes({0x01, 0x00, 0x05, 0x46, 0x01, 0x03, 0x0A, 0x14, 0x01, 0x00, 0x01,
                                   0x09, 0x01, 0x00, 'n'});
    const struct {
        const char* name;
        int fail_at;
        int code;
    } rows[] = {
        {"grid", 1, kReadNoMemoryColumns},
        {"link_target_map", 2, 8},
        {"link_target_x", 3, 9},
        {"link_target_y", 4, 10},
        {"link_x", 5, 11},
        {"link_y", 6, 12},
        {"event_number", 7, 15},
        {"event_x", 8, 16},
        {"event_y", 9, 17},
        {"palette_name", 10, kReadNoMemoryPaletteName},
        {"none", 11, kReadOk},
    };
    const QString path = Put(QStringLiteral("mem.zol"), file);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        edit_form doc = Used_Slot();
        {
            AllocationFailureScope fail(row.fail_at);
            EXPECT_EQ(Read_Map(path, doc), row.code);
        }
        EXPECT_EQ(doc.max_x, 1);
        EXPECT_EQ(doc.max_y, 0);
        if (row.code == kReadOk) {
            EXPECT_EQ(doc.palette_name, QByteArray("n"));
            EXPECT_EQ(doc.events.count(), 1);
        } else {
            Expect_Nothing_Left(doc);
        }
    }
}

TEST_F(MapFileTest, ReadMapDocumentReportsCodeAndSizeBytes)
{
    const struct {
        const char* name;
        QByteArray bytes;
        const char* text;
    } rows[] = {
        {"truncated_grid", Bytes({3, 4, 1, 2}), "ファイルを開くのに失敗しました\nERROR No.6 3 4"},
        {"truncated_event", Bytes({0, 0, 5, 0, 1, 1}), "ファイルを開くのに失敗しました\nERROR No.18 0 0"},
        {"long_name", Bytes({1, 0, 1, 2, 0, 0}) + QByteArray(2000, 'a'),
         "ファイルを開くのに失敗しました\nERROR No.20 1 0"},
        // A slot that held another map shows this file's numbers, 0 where it has none.
        {"empty", QByteArray(), "ファイルを開くのに失敗しました\nERROR No.3 0 0"},
        {"one_byte", Bytes({7}), "ファイルを開くのに失敗しました\nERROR No.3 7 0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedPresenter presenter;
        edit_form doc = Used_Slot();
        doc.flags.assign(kCellCount, 1);
        const QString path = Put(QStringLiteral("doc.zol"), row.bytes);
        EXPECT_FALSE(Read_Map_Document(doc, path));
        ASSERT_EQ(presenter.calls().size(), 1u);
        EXPECT_EQ(presenter.last().caption, QStringLiteral("何故に？"));
        EXPECT_EQ(presenter.last().text, QString::fromUtf8(row.text));
        EXPECT_EQ(presenter.last().buttons, std::vector<MessageButton>{MessageButton::Ok});
        EXPECT_EQ(presenter.last().icon, MessageIcon::Stop);
        Expect_Nothing_Left(doc);
        EXPECT_TRUE(doc.flags.empty());
        EXPECT_EQ(doc.file_path, path);
    }

    ScriptedPresenter presenter;
    edit_form doc = Used_Slot();
    EXPECT_FALSE(Read_Map_Document(doc, Path("nothing.zol")));
    EXPECT_EQ(presenter.last().text, QStringLiteral("ファイルを開くのに失敗しました\nERROR No.2 0 0"));
}

TEST_F(MapFileTest, ReadMapDocumentMemoryFailureShowsSizeBytes)
{
    ScriptedPresenter presenter;
    edit_form doc;
    const QString path = Put(QStringLiteral("m.zol"), kExample);
    {
        AllocationFailureScope fail(1);
        EXPECT_FALSE(Read_Map_Document(doc, path));
    }
    EXPECT_EQ(presenter.last().text, QStringLiteral("ファイルを開くのに失敗しました\nERROR No.4 1 0"));
    EXPECT_FALSE(doc.has_grid());
}

TEST_F(MapFileTest, OpenMapDocumentResolvesPaletteAndLoadsFlags)
{
    ScriptedPresenter presenter;
    const QString path = Put(QStringLiteral("example.zol"), kExample);
    QByteArray flags(kCellCount, 0);
    flags[6] = 3;
    Put(QStringLiteral("example.flg"), flags);
    Put(QStringLiteral("abc.bmp"), "BM");

    edit_form doc;
    QString palette;
    // The palette is settled after the map is read and before the flags are.
    auto settle = [&](const QString& found) {
        palette = found;
        EXPECT_TRUE(doc.has_grid());
        EXPECT_TRUE(doc.flags.empty());
        return true;
    };
    ASSERT_TRUE(Open_Map_Document(doc, path, settle));
    EXPECT_TRUE(presenter.calls().empty());
    EXPECT_EQ(palette, Path("abc.bmp"));
    EXPECT_TRUE(doc.palette_name.isEmpty());
    EXPECT_EQ(doc.flags[6], 3);
    EXPECT_EQ(doc.file_path, path);
    EXPECT_EQ(Map_To_Text(doc), QStringLiteral("5 70"));

    // A refused palette stops the open and frees the slot.
    EXPECT_FALSE(Open_Map_Document(doc, path, [](const QString&) { return false; }));
    EXPECT_FALSE(doc.has_grid());
    EXPECT_TRUE(doc.flags.empty());
}

TEST_F(MapFileTest, OpenMapDocumentFlagTableMemoryFailureFreesSlot)
{
    ScriptedPresenter presenter;
    const QString path = Put(QStringLiteral("example.zol"), kExample);
    edit_form doc;
    {
        // Seven allocations read the example (grid, five link columns, palette name); the
        // eighth is the flag table.
        AllocationFailureScope fail(8);
        EXPECT_FALSE(Open_Map_Document(doc, path, [](const QString&) { return true; }));
    }
    EXPECT_EQ(presenter.captions(), QStringList{QStringLiteral("ERROR(11.1)")});
    EXPECT_EQ(presenter.last().text, No_Memory_Text());
    EXPECT_FALSE(doc.has_grid());
    EXPECT_TRUE(doc.flags.empty());
    EXPECT_EQ(doc.links.count(), 0);
}

// A map of the largest size with full link and event tables, every byte different enough to
// catch a swapped column or record.
edit_form Largest_Map()
{
    edit_form doc;
    doc.max_x = 255;
    doc.max_y = 255;
    doc.grid.Allocate(256, 256);
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y) doc.cell(x, y) = uint8_t(x * 7 + y * 13);
    for (int i = 0; i < kMaxLinks; ++i) {
        doc.links.target_map.push_back(uint8_t(i % 5));
        doc.links.target_x.push_back(uint8_t(i));
        doc.links.target_y.push_back(uint8_t(255 - i));
        doc.links.x.push_back(uint8_t(i * 3));
        doc.links.y.push_back(uint8_t(i * 5));
    }
    for (int i = 0; i < kMaxEvents; ++i) {
        doc.events.number.push_back(uint8_t(i * 11));
        doc.events.x.push_back(uint8_t(254 - i));
        doc.events.y.push_back(uint8_t(i));
    }
    doc.flags.assign(kCellCount, 0);
    for (int n = 0; n < kCellCount; ++n) doc.flags[std::size_t(n)] = uint8_t(n % 4);
    return doc;
}

TEST_F(MapFileTest, WriteAndReadBackGiveTheSameMap)
{
    struct Row {
        const char* name;
        edit_form doc;
    };
    std::vector<Row> rows;
    rows.push_back({"one_cell", Map_From_Text("63")});
    rows.push_back({"small_with_tables", Map_From_Text("1 2 3\n4 5 6")});
    rows.back().doc.links = {{1, 2}, {3, 4}, {5, 6}, {2, 0}, {1, 0}};
    rows.back().doc.events = {{7, 8}, {0, 2}, {1, 0}};
    rows.push_back({"largest", Largest_Map()});

    for (auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedPresenter presenter;
        edit_form& doc = row.doc;
        doc.file_path = Path(QStringLiteral("%1.zol").arg(QString::fromLatin1(row.name)));
        doc.saved = 0;
        ASSERT_TRUE(Write_Map(doc, QStringLiteral("tiles"), QStringLiteral("ERROR(17)")));
        EXPECT_TRUE(presenter.calls().empty());
        EXPECT_EQ(doc.saved, 1);
        const QByteArray written = Read_File(doc.file_path);
        EXPECT_EQ(written, Encode_Map(doc, "tiles"));
        EXPECT_EQ(written.size(), 4 + doc.width() * doc.height() + 5 * doc.links.count() +
                                      3 * doc.events.count() + 5);

        edit_form back;
        ASSERT_EQ(Read_Map(doc.file_path, back), kReadOk);
        EXPECT_EQ(back.max_x, doc.max_x);
        EXPECT_EQ(back.max_y, doc.max_y);
        EXPECT_EQ(back.grid, doc.grid);
        EXPECT_EQ(back.links, doc.links);
        EXPECT_EQ(back.events, doc.events);
        EXPECT_EQ(back.palette_name, QByteArray("tiles"));

        const QByteArray flags = Read_File(Flag_Path(doc.file_path));
        ASSERT_EQ(flags.size(), kCellCount);
        EXPECT_EQ(std::vector<uint8_t>(flags.begin(), flags.end()), doc.flags);
    }
}

TEST_F(MapFileTest, WriteStoresPaletteNameInShiftJisWhenPossible)
{
    ScriptedPresenter presenter;
    edit_form doc = Map_From_Text("0");
    doc.file_path = Path("jp.zol");
    ASSERT_TRUE(Write_Map(doc, QStringLiteral("表示"), QStringLiteral("ERROR(17)")));
    EXPECT_TRUE(Read_File(doc.file_path).endsWith(Bytes({0x95, 0x5C, 0x8E, 0xA6})));
    ASSERT_TRUE(Write_Map(doc, QStringLiteral("한국어"), QStringLiteral("ERROR(17)")));
    EXPECT_TRUE(Read_File(doc.file_path).endsWith(QStringLiteral("한국어").toUtf8()));
}

TEST_F(MapFileTest, WriteWithoutFlagTableWritesZeros)
{
    ScriptedPresenter presenter;
    edit_form doc = Map_From_Text("1 2");
    doc.flags.clear();
    doc.file_path = Path("noflags.zol");
    ASSERT_TRUE(Write_Map(doc, QStringLiteral("p"), QStringLiteral("ERROR(17)")));
    EXPECT_EQ(Read_File(Path("noflags.flg")), QByteArray(kCellCount, '\0'));
}

TEST_F(MapFileTest, WriteFailuresReportAndKeepOldFile)
{
    const QByteArray old_content = "previous content";
    const struct {
        const char* name;
        const char* file;      // relative to the temporary directory
        bool make_read_only;   // an existing file with the old content, made read-only
        bool make_directory;   // the map path is a directory
        const char* caption;
    } rows[] = {
        {"missing_directory", "no/such/dir/a.zol", false, false, "ERROR(17)"},
        {"read_only_file", "ro.zol", true, false, "ERROR(16)"},
        {"path_is_directory", "dir.zol", false, true, "ERROR(17)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedPresenter presenter;
        const QString path = Path(QString::fromLatin1(row.file));
        if (row.make_read_only) {
            Write_File(path, old_content);
            ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser |
                                                        QFile::ReadGroup | QFile::ReadOther));
        }
        if (row.make_directory) {
            ASSERT_TRUE(QDir().mkpath(path));
        }

        edit_form doc = Map_From_Text("1 2\n3 4");
        doc.file_path = path;
        doc.saved = 0;
        EXPECT_FALSE(Write_Map(doc, QStringLiteral("p"), QString::fromLatin1(row.caption)));
        ASSERT_EQ(presenter.calls().size(), 1u);
        EXPECT_EQ(presenter.last().caption, QString::fromLatin1(row.caption));
        EXPECT_EQ(presenter.last().text, QStringLiteral("ファイルを開くのに失敗しました"));
        EXPECT_EQ(presenter.last().icon, MessageIcon::Stop);
        EXPECT_EQ(doc.saved, 0);
        if (row.make_read_only) {
            EXPECT_EQ(Read_File(path), old_content);
        }
        EXPECT_FALSE(QFileInfo::exists(Flag_Path(path)));
        // Nothing is left beside the target either.
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(),
                  row.make_read_only ? 1 : 0);
        if (row.make_read_only) {
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        }
        QFile::remove(path);
    }
}

TEST_F(MapFileTest, FailedFlagFileWriteKeepsMapModifiedAndItsFileAsItWas)
{
    ScriptedPresenter presenter;
    edit_form doc = Map_From_Text("1 2\n3 4");
    doc.file_path = Path("map.zol");
    doc.saved = 0;
    Put(QStringLiteral("map.zol"), "the old map");
    ASSERT_TRUE(QDir().mkpath(Path("map.flg")));
    EXPECT_FALSE(Write_Map(doc, QStringLiteral("p"), QStringLiteral("ERROR(17)")));
    ASSERT_EQ(presenter.calls().size(), 1u);
    EXPECT_EQ(presenter.last().caption, QStringLiteral("あれ？"));
    EXPECT_EQ(presenter.last().text, QStringLiteral("フラグデータの保存に失敗しました"));
    EXPECT_EQ(presenter.last().icon, MessageIcon::Stop);
    EXPECT_EQ(doc.saved, 0);
    EXPECT_EQ(Read_File(doc.file_path), "the old map") << "a map and its flag file are replaced together";
    EXPECT_TRUE(QFileInfo(Path("map.flg")).isDir());
}

TEST_F(MapFileTest, SavingReplacesTheOldFileWhole)
{
    ScriptedPresenter presenter;
    const QString path = Put(QStringLiteral("re.zol"), QByteArray(5000, 'x'));
    Put(QStringLiteral("re.flg"), QByteArray(100, 'y'));
    edit_form doc = Map_From_Text("1");
    doc.file_path = path;
    ASSERT_TRUE(Write_Map(doc, QStringLiteral("q"), QStringLiteral("ERROR(17)")));
    EXPECT_EQ(Read_File(path), Bytes({0, 0, 1, 0, 0, 'q'}));
    EXPECT_EQ(Read_File(Path("re.flg")), QByteArray(kCellCount, '\0'));
}

} // namespace
} // namespace zol
