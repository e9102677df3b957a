// The one file writer: a failed write, wherever it fails, leaves the old file byte for byte and
// nothing beside it; and every file the program writes fails that way on a full disk (here a
// file-size limit, which fails the kernel's writes as a full disk does).

#include <gtest/gtest.h>

#include "core/render/cell_palette_images.h"
#include "core/render/map_png.h"
#include "core/render/map_renderer.h"
#include "core/map/file_writer.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/exchange/recovery.h"
#include "core/exchange/tiled_map.h"
#include "core/exchange/configuration.h"
#include "scripted_presenter.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>

namespace zol {
namespace {

using test::Files_In;
using test::Map_From_Text;
using test::Read_File;
using test::Write_File;

const QByteArray kOld = "the old file, which must survive";

// Bytes that do not repeat, large enough to pass through the writer's buffer several times.
QByteArray Large_Data()
{
    QByteArray data(300000, '\0');
    for (int i = 0; i < data.size(); ++i) data[i] = char((i * 131) >> 3);
    return data;
}

WriteFaults Faults(qint64 fail_at_byte, bool fail_flush = false, bool fail_sync = false)
{
    WriteFaults faults;
    faults.fail_at_byte = fail_at_byte;
    faults.fail_flush = fail_flush;
    faults.fail_sync = fail_sync;
    return faults;
}

class FileWriterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    void TearDown() override { Clear_Write_Faults(); }
};

TEST_F(FileWriterTest, APlantedFaultKeepsTheOldFileAndLeavesNothingBeside)
{
    struct Row {
        const char* name;
        WriteFaults faults;
        bool through_callback; // the callback ignores the device's answers
    };
    const Row rows[] = {
        {"the first byte", Faults(0), false},
        {"inside the buffer's second fill", Faults(70000), false},
        {"the last byte", Faults(299999), true},
        {"the last flush", Faults(-1, true), false},
        {"the last flush, unchecked by the caller", Faults(-1, true), true},
        {"the sync to disk", Faults(-1, false, true), false},
    };
    const QByteArray data = Large_Data();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString target = Path("target.bin");
        Write_File(target, kOld);
        Plant_Write_Faults(row.faults);
        QString why;
        const bool written =
            row.through_callback
                ? Write_File_Atomically(target, [&](QIODevice& device) {
                      for (qsizetype at = 0; at < data.size(); at += 1000) device.write(data.mid(at, 1000));
                      return true;
                  }, &why)
                : Write_File_Atomically(target, data, &why);
        Clear_Write_Faults();
        EXPECT_FALSE(written);
        EXPECT_TRUE(why.startsWith(QStringLiteral("cannot write ") + target + QStringLiteral(": "))) << why.toStdString();
        EXPECT_EQ(Read_File(target), kOld);
        EXPECT_EQ(Files_In(dir.path()), QStringList{"target.bin"});
    }
    // And without a fault the same writes go through.
    ASSERT_TRUE(Write_File_Atomically(Path("target.bin"), data));
    EXPECT_EQ(Read_File(Path("target.bin")), data);
}

TEST_F(FileWriterTest, ABatchIsReplacedWholeOrNotAtAll)
{
    Write_File(Path("a.zol"), kOld);
    Write_File(Path("a.flg"), kOld);
    WriteFaults flags_only = Faults(10);
    flags_only.only_suffix = QStringLiteral(".flg");
    Plant_Write_Faults(flags_only);
    FileBatch batch;
    EXPECT_TRUE(batch.Add(Path("a.zol"), QByteArray(100, 'm')));
    EXPECT_FALSE(batch.Add(Path("a.flg"), QByteArray(64, 'f')));
    EXPECT_FALSE(batch.Commit());
    EXPECT_EQ(batch.Failed_Path(), Path("a.flg"));
    EXPECT_EQ(Read_File(Path("a.zol")), kOld) << "the map waits for its flag file";
    EXPECT_EQ(Read_File(Path("a.flg")), kOld);
    EXPECT_EQ(Files_In(dir.path()), (QStringList{"a.flg", "a.zol"}));

    // A batch given up half way removes what it had written.
    Clear_Write_Faults();
    {
        FileBatch abandoned;
        ASSERT_TRUE(abandoned.Add(Path("a.zol"), "new"));
    }
    EXPECT_EQ(Files_In(dir.path()), (QStringList{"a.flg", "a.zol"}));
    EXPECT_EQ(Read_File(Path("a.zol")), kOld);
}

TEST_F(FileWriterTest, AReplacedFileKeepsItsPermissionsAndLinks)
{
    const QString target = Path("kept.zol");
    Write_File(target, kOld);
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, Path("link.zol")));
    ASSERT_TRUE(Write_File_Atomically(Path("link.zol"), "through the link"));
    EXPECT_TRUE(QFileInfo(Path("link.zol")).isSymLink());
    EXPECT_EQ(Read_File(target), "through the link");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Each writer of the program, given a target whose old bytes must survive a full disk.
TEST_F(FileWriterTest, EveryWriterFailsCleanlyOnAFullDisk)
{
    edit_form doc = Map_From_Text("1 2 3\n4 5 6");
    doc.flags.assign(kCellCount, 1);
    CellImages cells;
    for (int n = 0; n < kCellCount; ++n) {
        cells[std::size_t(n)] = QImage(kCellSize, kCellSize, QImage::Format_RGB32);
        cells[std::size_t(n)].fill(qRgb(n * 4, 255 - n * 4, n));
    }
    CellCache cache;
    cache.Build(cells, kCellSize);
    RecoveryStore store;
    ASSERT_TRUE(store.Start(Path("recovery")));

    struct Row {
        const char* name;
        QStringList targets; // every file the writer replaces
        std::function<bool()> write;
        long long limit = 40;
    };
    const std::vector<Row> rows = {
        {"map and flag file", {"m.zol", "m.flg"},
         [&] { return Write_Map_Files(Path("m.zol"), Encode_Map(doc, "tiles"), doc.flags) == MapFilesWrite::Done; }},
        {"flag file alone", {"m.zol", "m.flg"},
         [&] { return Write_Map_Files(Path("m.zol"), "tiny", doc.flags) == MapFilesWrite::Done; }},
        {"palette bitmap", {"p.bmp"}, [&] { return Write_Palette_Bitmap(Path("p.bmp"), cells); }},
        {"map picture", {"r.png"}, [&] { return Write_Map_Png(Path("r.png"), doc, cache); }},
        {"TMX and its flags image", {"t.tmx", "t.flags.png"},
         [&] { return Export_Tiled_Map(doc, "tiles", Path("tiles.bmp"), Path("t.tmx"), TiledFormat::Tmx).isEmpty(); },
         200},
        {"JSON map", {"t.tmj", "t.flags.png"},
         [&] { return Export_Tiled_Map(doc, "tiles", Path("tiles.bmp"), Path("t.tmj"), TiledFormat::Json).isEmpty(); },
         200},
        {"imported map", {"i.zol", "i.flg"},
         [&] { return Write_Imported_Map({doc, "tiles"}, Path("i.zol")).isEmpty(); }},
        {"settings", {"Zol.cfg"}, [&] { return Write_Config(Path("Zol.cfg"), Settings{}); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const QString& target : row.targets) Write_File(Path(target), kOld);
        const QStringList before = Files_In(dir.path());
        bool written = true;
        {
            test::FileSizeLimit full(row.limit);
            written = row.write();
        }
        EXPECT_FALSE(written);
        for (const QString& target : row.targets) EXPECT_EQ(Read_File(Path(target)), kOld) << target.toStdString();
        EXPECT_EQ(Files_In(dir.path()), before);
        EXPECT_TRUE(row.write()) << "and without the limit it is written";
    }

    // A recovery copy: a good copy stays when its successor cannot be written.
    RecoveryCopy copy;
    copy.key = QStringLiteral("map0");
    copy.map_path = Path("m.zol");
    copy.map_bytes = Encode_Map(doc, "tiles");
    copy.flags.assign(kCellCount, 0);
    ASSERT_TRUE(store.Write(copy));
    RecoveryCopy newer = copy;
    newer.map_bytes = Encode_Map(Map_From_Text("7 7 7 7\n7 7 7 7"), "tiles");
    {
        test::FileSizeLimit full(40);
        EXPECT_FALSE(store.Write(newer));
    }
    RecoveryCopy read;
    QString why;
    ASSERT_TRUE(Read_Recovery_Copy(store.Folder() + "/map0.json", read, why)) << why.toStdString();
    EXPECT_EQ(read.map_bytes, copy.map_bytes);
    EXPECT_EQ(Files_In(store.Folder()), (QStringList{"lock", "map0.json", "map0.zol", "zol-recovery"}));
    store.Finish();
}

TEST_F(FileWriterTest, WriteMapShowsTheFailureAndChangesNothing)
{
    ScriptedPresenter presenter;
    edit_form doc = Map_From_Text("1 2\n3 4");
    doc.file_path = Path("old.zol");
    doc.saved = 0;
    Write_File(Path("new.zol"), kOld);
    {
        test::FileSizeLimit full(8);
        EXPECT_FALSE(Write_Map_To(doc, Path("new.zol"), QStringLiteral("tiles"), QStringLiteral("ERROR(16)")));
    }
    ASSERT_EQ(presenter.captions(), QStringList{"ERROR(16)"});
    EXPECT_EQ(presenter.last().text, QStringLiteral("ファイルを開くのに失敗しました"));
    EXPECT_EQ(doc.saved, 0);
    EXPECT_EQ(doc.file_path, Path("old.zol")) << "a save-as that failed keeps the old name";
    EXPECT_EQ(Read_File(Path("new.zol")), kOld);

    // A flag file that cannot be written: the map keeps its old name too.
    ASSERT_TRUE(QDir().mkpath(Path("new.flg")));
    Write_File(Path("new.zol"), kOld);
    EXPECT_FALSE(Write_Map_To(doc, Path("new.zol"), QStringLiteral("tiles"), QStringLiteral("ERROR(16)")));
    EXPECT_EQ(presenter.last().caption, QStringLiteral("あれ？"));
    EXPECT_EQ(doc.file_path, Path("old.zol"));
    EXPECT_EQ(Read_File(Path("new.zol")), kOld);
}

} // namespace
} // namespace zol
