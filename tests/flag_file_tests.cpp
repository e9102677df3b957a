#include <gtest/gtest.h>

#include "core/map/allocation.h"
#include "core/map/flag_file.h"
#include "core/messages/show_message.h"
#include "scripted_presenter.h"
#include "allocation_failures.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zol {
namespace {

using test::Map_From_Text;
using test::Read_File;
using test::Write_File;

const QString kRebuildText =
    QStringLiteral("フラグデータが見つからなかったので\nマップデータからフラグを再現します。");

QByteArray Counting_Flags(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char(i % 4);
    return bytes;
}

class FlagFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(FlagFileTest, FlagPathReplacesExtension)
{
    EXPECT_EQ(Flag_Path(QStringLiteral("/a/b/map.zol")), QStringLiteral("/a/b/map.flg"));
    EXPECT_EQ(Flag_Path(QStringLiteral("新規マップデータ(1).zol")), QStringLiteral("新規マップデータ(1).flg"));
    EXPECT_EQ(Flag_Path(QStringLiteral("/a.b/map")), QStringLiteral("/a.b/map.flg"));
}

TEST_F(FlagFileTest, LoadsFlagFileOfAnyLength)
{
    const struct {
        const char* name;
        const char* flag_file; // written beside "map.zol"
        int size;
    } rows[] = {
        {"exact", "map.flg", 64},
        {"short_keeps_unknown", "map.flg", 10},
        {"empty_keeps_unknown", "map.flg", 0},
        {"long_reads_64", "map.flg", 200},
        {"upper_case_name", "MAP.FLG", 64},
        {"mixed_case_extension", "map.Flg", 64},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        ScriptedPresenter presenter;
        QByteArray bytes = Counting_Flags(row.size);
        for (int i = 64; i < row.size; ++i) bytes[i] = 3; // past the table
        Write_File(dir.filePath(QString::fromLatin1(row.flag_file)), bytes);

        edit_form doc = Map_From_Text("7 135\n1 2");
        doc.flags.clear();
        doc.file_path = dir.filePath(QStringLiteral("map.zol"));
        bool rebuilt = true;
        ASSERT_TRUE(Load_Flags(doc, &rebuilt));
        EXPECT_FALSE(rebuilt);
        EXPECT_TRUE(presenter.calls().empty());
        ASSERT_EQ(doc.flags.size(), std::size_t(kCellCount));
        for (int n = 0; n < kCellCount; ++n) {
            const uint8_t expected = n < row.size ? uint8_t(n % 4) : kFlagUnknown;
            ASSERT_EQ(doc.flags[std::size_t(n)], expected) << "entry " << n;
        }
    }
}

TEST_F(FlagFileTest, MissingFileRebuildsFromCellsInColumnOrder)
{
    ScriptedPresenter presenter;
    // Cell number 7: flag 2 at (0, 1) comes first in column order, flag 3 at (1, 0) later,
    // although (1, 0) comes first reading row by row. Number 1 appears with flag 1 (65) only.
    edit_form doc = Map_From_Text("0 199\n135 65\n7 0");
    doc.flags.clear();
    doc.file_path = Path("map.zol");
    bool rebuilt = false;
    ASSERT_TRUE(Load_Flags(doc, &rebuilt));
    EXPECT_TRUE(rebuilt);
    ASSERT_EQ(presenter.calls().size(), 1u);
    EXPECT_EQ(presenter.last().caption, QStringLiteral("問題ない（ニヤリ）"));
    EXPECT_EQ(presenter.last().text, kRebuildText);
    EXPECT_EQ(presenter.last().buttons, std::vector<MessageButton>{MessageButton::Ok});
    EXPECT_EQ(presenter.last().icon, MessageIcon::Information);

    std::vector<uint8_t> expected(kCellCount, 0);
    expected[7] = 2;
    expected[1] = 1;
    EXPECT_EQ(doc.flags, expected);
    // The cells keep their own flags.
    EXPECT_EQ(doc.cell(1, 0), 199);
}

TEST_F(FlagFileTest, RebuildFillsOnlyUnknownEntries)
{
    edit_form doc = Map_From_Text("193 130\n66 3");
    doc.flags.assign(kCellCount, kFlagUnknown);
    doc.flags[1] = 0; // read from a file: kept
    Rebuild_Flags(doc);
    std::vector<uint8_t> expected(kCellCount, 0);
    expected[2] = 1; // (0, 1) = 66 comes before (1, 0) = 130 in column order
    expected[3] = 0;
    EXPECT_EQ(doc.flags, expected);
}

TEST_F(FlagFileTest, FlagPathThatIsADirectoryCountsAsMissing)
{
    ScriptedPresenter presenter;
    ASSERT_TRUE(QDir().mkpath(Path("map.flg")));
    edit_form doc = Map_From_Text("70");
    doc.file_path = Path("map.zol");
    ASSERT_TRUE(Load_Flags(doc));
    EXPECT_EQ(presenter.captions(), QStringList{QStringLiteral("問題ない（ニヤリ）")});
    EXPECT_EQ(doc.flags[6], 1);
}

TEST_F(FlagFileTest, TableMemoryFailure)
{
    ScriptedPresenter presenter;
    Write_File(Path("map.flg"), Counting_Flags(64));
    edit_form doc = Map_From_Text("1");
    doc.flags.clear();
    doc.file_path = Path("map.zol");
    {
        AllocationFailureScope fail(1);
        EXPECT_FALSE(Load_Flags(doc));
    }
    ASSERT_EQ(presenter.calls().size(), 1u);
    EXPECT_EQ(presenter.last().caption, QStringLiteral("ERROR(11.1)"));
    EXPECT_EQ(presenter.last().text, QStringLiteral("メモリの確保に失敗しました"));
    EXPECT_EQ(presenter.last().icon, MessageIcon::Stop);
    EXPECT_TRUE(doc.flags.empty());
}

TEST_F(FlagFileTest, WriteFlagFileWritesExactly64Bytes)
{
    std::vector<uint8_t> table(kCellCount);
    for (int n = 0; n < kCellCount; ++n) table[std::size_t(n)] = uint8_t(3 - n % 4);
    ASSERT_TRUE(Write_Flag_File(Path("a.flg"), table));
    const QByteArray bytes = Read_File(Path("a.flg"));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), table);

    ASSERT_TRUE(Write_Flag_File(Path("b.flg"), {}));
    EXPECT_EQ(Read_File(Path("b.flg")), QByteArray(kCellCount, '\0'));

    EXPECT_FALSE(Write_Flag_File(Path("missing/c.flg"), table));
}

} // namespace
} // namespace zol
