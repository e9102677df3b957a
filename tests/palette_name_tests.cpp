#include <gtest/gtest.h>

#include "core/map/map_file.h"
#include "core/map/text_codec.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
[[maybe_unused]] static void PrintTo(const QByteArray& b, std::ostream* os) { *os << b.toHex(' ').toStdString(); }

namespace zol {
namespace {

using test::Bytes;
using test::Write_File;

// "表示" in code page 932; its first character's trail byte is 0x5C, the backslash's code.
const QByteArray kHyoujiSjis = Bytes({0x95, 0x5C, 0x8E, 0xA6});

TEST(PaletteName, CandidatesAreLastComponentOfEachReading)
{
    const struct {
        const char* name;
        QByteArray raw;
        QStringList expected;
    } rows[] = {
        {"plain", "tiles", {QStringLiteral("tiles")}},
        {"empty", "", {QString()}},
        {"unix_traversal", "../../etc/passwd", {QStringLiteral("passwd")}},
        {"windows_path", "a\\b\\c", {QStringLiteral("c")}},
        {"absolute", "/etc/shadow", {QStringLiteral("shadow")}},
        {"mixed_separators", "C:\\x/y\\z", {QStringLiteral("z")}},
        {"trailing_separator", "dir/", {QString()}},
        {"dot", ".", {QString()}},
        {"dot_dot", "..", {QString()}},
        {"dot_dot_after_path", "a/..", {QString()}},
        {"dot_dot_backslash", "x\\..", {QString()}},
        {"three_dots_is_a_name", "...", {QStringLiteral("...")}},
        {"cut_at_nul", QByteArray("good\0../../evil", 15), {QStringLiteral("good")}},
        {"nul_hides_dot_dot", QByteArray("..\0x", 4), {QString()}},
        {"leading_nul", QByteArray("\0abc", 4), {QString()}},
        // Valid in both encodings: the UTF-8 reading comes first.
        {"utf8_japanese", QStringLiteral("表示").toUtf8(),
         {QStringLiteral("表示"), QStringLiteral("陦ｨ遉ｺ")}},
        {"sjis_trail_backslash_kept", kHyoujiSjis, {QStringLiteral("表示")}},
        {"sjis_after_path", QByteArray("dir\\") + kHyoujiSjis, {QStringLiteral("表示")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Palette_Name_Candidates(row.raw), row.expected);
    }
}

TEST(PaletteName, AmbiguousBytesGiveUtf8ReadingFirst)
{
    // "é" in UTF-8 is C3 A9, which code page 932 reads as two half-width katakana.
    const QByteArray raw = QStringLiteral("café").toUtf8();
    const QStringList names = Palette_Name_Candidates(raw);
    ASSERT_EQ(names.size(), 2);
    EXPECT_EQ(names[0], QStringLiteral("café"));
    EXPECT_EQ(names[1], Decode_Shift_JIS(raw).value());
    EXPECT_NE(names[1], names[0]);
}

TEST(PaletteName, UndecodableBytesStillGiveOneSafeName)
{
    // Neither valid UTF-8 nor code page 932 (0x80 alone, 0xA0 and 0xFD-0xFF are unused there).
    const QStringList names = Palette_Name_Candidates(Bytes({'a', '/', 0xFF, 0xFE, 0x80}));
    ASSERT_EQ(names.size(), 1);
    EXPECT_FALSE(names[0].contains(QLatin1Char('/')));
    EXPECT_FALSE(names[0].isEmpty());
}

TEST(PaletteName, DecodeForDisplay)
{
    EXPECT_EQ(Decode_Palette_Name("abc"), QStringLiteral("abc"));
    EXPECT_EQ(Decode_Palette_Name(kHyoujiSjis), QStringLiteral("表示"));
    EXPECT_EQ(Decode_Palette_Name(QByteArray("ab\0cd", 5)), QStringLiteral("ab"));
    // Bytes that read as UTF-8 and as code page 932 alike are UTF-8.
    EXPECT_EQ(Decode_Palette_Name(QStringLiteral("café").toUtf8()), QStringLiteral("café"));
}

TEST(PaletteName, EncodeShiftJisWhenRepresentableElseUtf8)
{
    const struct {
        const char* name;
        QString text;
        QByteArray expected;
    } rows[] = {
        {"ascii", QStringLiteral("tiles"), "tiles"},
        {"japanese", QStringLiteral("表示"), kHyoujiSjis},
        {"half_width_katakana", QStringLiteral("ｱ"), Bytes({0xB1})},
        {"korean", QStringLiteral("한국어"), QStringLiteral("한국어").toUtf8()},
        {"emoji", QStringLiteral("map😀"), QStringLiteral("map😀").toUtf8()},
        {"mixed_japanese_and_emoji", QStringLiteral("表示😀"), QStringLiteral("表示😀").toUtf8()},
        {"empty", QString(), QByteArray()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray encoded = Encode_Palette_Name(row.text);
        EXPECT_EQ(encoded, row.expected);
        // Whatever was stored reads back as the same name.
        EXPECT_EQ(Palette_Name_Candidates(encoded).first(), row.text);
    }
}

class PalettePathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        map_dir_ = dir_.filePath(QStringLiteral("maps"));
        ASSERT_TRUE(QDir().mkpath(map_dir_));
        map_path_ = map_dir_ + QStringLiteral("/level.zol");
    }
    QString In_Map_Dir(const QString& name) const { return map_dir_ + QLatin1Char('/') + name; }

    QTemporaryDir dir_;
    QString map_dir_;
    QString map_path_;
};

TEST_F(PalettePathTest, ExactFileFirstThenIgnoringCase)
{
    const struct {
        const char* name;
        QStringList files; // bitmaps present in the map's directory
        QByteArray raw;
        QString expected; // relative to the map's directory
    } rows[] = {
        {"exact", {QStringLiteral("sample.bmp")}, "sample", QStringLiteral("sample.bmp")},
        {"upper_case_file", {QStringLiteral("SAMPLE.BMP")}, "sample", QStringLiteral("SAMPLE.BMP")},
        {"exact_wins_over_case_match", {QStringLiteral("SAMPLE.BMP"), QStringLiteral("sample.bmp")},
         "sample", QStringLiteral("sample.bmp")},
        {"missing_gives_exact_path", {}, "sample", QStringLiteral("sample.bmp")},
        {"sjis_name", {QStringLiteral("表示.bmp")}, kHyoujiSjis, QStringLiteral("表示.bmp")},
        {"sjis_name_case", {QStringLiteral("表示.BMP")}, kHyoujiSjis, QStringLiteral("表示.BMP")},
        {"path_in_name_stays_in_dir", {QStringLiteral("passwd.bmp")}, "../../etc/passwd",
         QStringLiteral("passwd.bmp")},
        {"empty_name", {}, "", QStringLiteral(".bmp")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const QString& f : QDir(map_dir_).entryList(QDir::Files)) QFile::remove(In_Map_Dir(f));
        for (const QString& f : row.files) Write_File(In_Map_Dir(f), "BM");
        EXPECT_EQ(Resolve_Palette_Path(map_path_, row.raw), In_Map_Dir(row.expected));
    }
}

TEST_F(PalettePathTest, SecondReadingUsedWhenOnlyItExists)
{
    const QByteArray raw = QStringLiteral("café").toUtf8();
    const QString sjis_name = Decode_Shift_JIS(raw).value();
    Write_File(In_Map_Dir(sjis_name + QStringLiteral(".bmp")), "BM");
    EXPECT_EQ(Resolve_Palette_Path(map_path_, raw), In_Map_Dir(sjis_name + QStringLiteral(".bmp")));
    Write_File(In_Map_Dir(QStringLiteral("CAFÉ.bmp")), "BM");
    // A case-insensitive match of the first reading beats the second reading.
    EXPECT_EQ(Resolve_Palette_Path(map_path_, raw), In_Map_Dir(QStringLiteral("CAFÉ.bmp")));
    // With both readings present exactly, the UTF-8 one is the palette.
    Write_File(In_Map_Dir(QStringLiteral("café.bmp")), "BM");
    EXPECT_EQ(Resolve_Palette_Path(map_path_, raw), In_Map_Dir(QStringLiteral("café.bmp")));
}

TEST_F(PalettePathTest, HostileNamesNeverLeaveTheMapDirectory)
{
    // Bitmaps waiting outside the map's directory.
    Write_File(dir_.filePath(QStringLiteral("outside.bmp")), "BM");
    Write_File(dir_.filePath(QStringLiteral("..bmp")), "BM");
    const QByteArray names[] = {
        "../outside",
        "..\\outside",
        "/tmp/../outside",
        "..",
        ".",
        QByteArray("..\0/outside", 11),
        "maps/../../outside",
    };
    const QString canonical_dir = QFileInfo(map_dir_).canonicalFilePath();
    for (const QByteArray& raw : names) {
        SCOPED_TRACE(raw.toStdString());
        const QString path = Resolve_Palette_Path(map_path_, raw);
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(map_dir_).absoluteFilePath());
        EXPECT_FALSE(QFileInfo(path).fileName().startsWith(QStringLiteral("..")));
        if (QFileInfo::exists(path)) {
            EXPECT_EQ(QFileInfo(path).canonicalPath(), canonical_dir);
        }
    }
}

TEST_F(PalettePathTest, BareMapNameGivesBareBitmapName)
{
    EXPECT_EQ(Resolve_Palette_Path(QStringLiteral("新規マップデータ(1).zol"), "nothing-here-xyz"),
              QStringLiteral("nothing-here-xyz.bmp"));
}

} // namespace
} // namespace zol
