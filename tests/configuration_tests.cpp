// Zol.cfg read and written as bytes: the layout, the Shift-JIS headings, and every way a file
// can be short, damaged or hostile.

#include "test_support.h"
#include "core/map/text_codec.h"
#include "core/exchange/configuration.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zol {
namespace {

QByteArray Default_File() { return Encode_Config(Settings{}); }

TEST(Configuration, WrittenLayoutIsTheFormatByteForByte)
{
    const QByteArray file = Default_File();
    const QList<QByteArray> lines = file.split('\n');
    ASSERT_EQ(lines.size(), 67); // 66 lines and the empty rest after the last line end
    EXPECT_EQ(lines[0], kFillRateHeading + " T");
    EXPECT_EQ(lines[1], kPaletteColourHeading);
    EXPECT_EQ(lines[2], "0. 63 63 63");
    EXPECT_EQ(lines[3], "1. 127 63 63");
    EXPECT_EQ(lines[6], "4. 63 127 63");
    EXPECT_EQ(lines[18], "16. 63 63 127");
    EXPECT_EQ(lines[65], "63. 255 255 255");
    EXPECT_EQ(Decode_Shift_JIS(kFillRateHeading).value(), QStringLiteral("[塗りつぶし率設定]"));
    EXPECT_EQ(Decode_Shift_JIS(kPaletteColourHeading).value(), QStringLiteral("[パレット色]"));

    Settings changed;
    changed.fill_rate_on = false;
    changed.colours[5] = qRgb(1, 2, 3);
    const Settings back = Parse_Config(Encode_Config(changed));
    EXPECT_FALSE(back.fill_rate_on);
    EXPECT_EQ(back.colours, changed.colours);
}

TEST(Configuration, ReadsAsTheScansWould)
{
    const QByteArray heading = kFillRateHeading;
    const QByteArray colours = kPaletteColourHeading;
    auto file = [&](const QByteArray& mark, const QByteArray& first_line) {
        QByteArray out = heading + mark + "\n" + colours + "\n" + first_line + "\n";
        for (int i = 1; i < 64; ++i) out += QByteArray::number(i) + ". 1 2 3\n";
        return out;
    };
    const struct {
        const char* name;
        QByteArray bytes;
        bool on;
        QRgb entry0;
        QRgb entry63;
    } rows[] = {
        {"F turns the switch off", file(" F", "0. 9 9 9"), false, qRgb(9, 9, 9), qRgb(1, 2, 3)},
        {"t is not T", file(" t", "0. 9 9 9"), false, qRgb(9, 9, 9), qRgb(1, 2, 3)},
        {"the index is ignored", file(" T", "5. 9 8 7"), true, qRgb(9, 8, 7), qRgb(1, 2, 3)},
        {"modulo 256", file(" T", "0. 300 256 -1"), true, qRgb(44, 0, 255), qRgb(1, 2, 3)},
        {"CRLF line ends", file(" T", "0. 9 9 9").replace("\n", "\r\n"), true, qRgb(9, 9, 9), qRgb(1, 2, 3)},
        {"no space before the mark", file("T", "0. 9 9 9"), true, qRgb(9, 9, 9), qRgb(1, 2, 3)},
        {"a bad first colour stops there", file(" F", "0. 9 x 9"), false, Default_Palette_Colour(0), Default_Palette_Colour(63)},
        {"a number past 32 bits does not match", file(" T", "0. 9 9 4294967296"), true, Default_Palette_Colour(0), Default_Palette_Colour(63)},
        {"the largest 32-bit number does", file(" T", "0. 2147483647 9 -2147483648"), true, qRgb(255, 9, 0), qRgb(1, 2, 3)},
        {"a UTF-8 heading matches nothing", QStringLiteral("[塗りつぶし率設定] F\n").toUtf8() + file(" F", "0. 9 9 9"), true, Default_Palette_Colour(0), Default_Palette_Colour(63)},
        {"a missing colour heading keeps the colours", heading + " F\n0. 9 9 9\n", false, Default_Palette_Colour(0), Default_Palette_Colour(63)},
        {"empty", QByteArray(), true, Default_Palette_Colour(0), Default_Palette_Colour(63)},
        {"leading space before the heading", " " + file(" F", "0. 9 9 9"), true, Default_Palette_Colour(0), Default_Palette_Colour(63)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Settings s = Parse_Config(row.bytes);
        EXPECT_EQ(s.fill_rate_on, row.on);
        EXPECT_EQ(s.colours[0], row.entry0);
        EXPECT_EQ(s.colours[63], row.entry63);
    }
}

TEST(Configuration, EveryTruncationKeepsWhatWasNotFullyRead)
{
    Settings written;
    written.fill_rate_on = false;
    for (int i = 0; i < 64; ++i) written.colours[std::size_t(i)] = qRgb(i, 2 * i, 3 * i);
    const QByteArray full = Encode_Config(written);
    for (qsizetype cut = 0; cut <= full.size(); ++cut) {
        const Settings s = Parse_Config(full.left(cut));
        // Entries on lines wholly before the cut are read; those on lines after it keep their
        // defaults (the line the cut falls in may read a shortened last number).
        const int cut_line = int(full.left(cut).count('\n')) - 2; // colour entry the cut is in
        for (int i = 0; i < 64; ++i) {
            if (i < cut_line) {
                ASSERT_EQ(s.colours[std::size_t(i)], written.colours[std::size_t(i)]) << cut << " " << i;
            } else if (i > cut_line) {
                ASSERT_EQ(s.colours[std::size_t(i)], Default_Palette_Colour(i)) << cut << " " << i;
            }
        }
        ASSERT_EQ(s.fill_rate_on, cut <= kFillRateHeading.size() + 1) << cut;
    }
}

TEST(Configuration, FilesOnDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zol.cfg");
    EXPECT_TRUE(Read_Config(path).fill_rate_on) << "no file: defaults";
    Settings off;
    off.fill_rate_on = false;
    ASSERT_TRUE(Write_Config(path, off));
    EXPECT_FALSE(Read_Config(path).fill_rate_on);

    // Megabytes of junk read as defaults, quickly; a directory is no file.
    test::Write_File(dir.filePath("junk.cfg"), QByteArray(4 * 1024 * 1024, '\xff'));
    EXPECT_TRUE(Read_Config(dir.filePath("junk.cfg")).fill_rate_on);
    QDir().mkpath(dir.filePath("folder.cfg"));
    EXPECT_TRUE(Read_Config(dir.filePath("folder.cfg")).fill_rate_on);

    // A write that cannot happen leaves the old file as it was.
    const QByteArray before = test::Read_File(path);
    EXPECT_FALSE(Write_Config(dir.filePath("folder.cfg"), Settings{}));
    QDir().mkpath(dir.filePath("blocked"));
    test::Write_File(dir.filePath("blocked/Zol.cfg"), "old");
    QFile::setPermissions(dir.filePath("blocked/Zol.cfg"), QFileDevice::ReadOwner);
    EXPECT_FALSE(Write_Config(dir.filePath("blocked/Zol.cfg"), Settings{}));
    EXPECT_EQ(test::Read_File(dir.filePath("blocked/Zol.cfg")), "old");
    EXPECT_EQ(test::Read_File(path), before);
}

} // namespace
} // namespace zol
