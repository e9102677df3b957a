// The cell picture tools: the pixel fill, the ten-times view, the block picked from a loaded
// bitmap of any depth, and what the cell loading window's OK does to the palette and the maps.

#include "allocation_failures.h"
#include "core/render/cell_palette.h"
#include "core/editing/undo.h"
#include "scripted_presenter.h"
#include "test_support.h"
#include "core/editing/cell_picture.h"
#include "core/editing/replace_cell.h"

#include <QBuffer>
#include <QDataStream>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

namespace zol {
namespace {

using test::Map_From_Text;
using test::Map_To_Text;

// A picture drawn as text, one letter a pixel: '.' white, 'k' black, 'r' red, 'b' blue.
QImage Picture(const char* rows)
{
    const QStringList lines = QString::fromLatin1(rows).split('\n');
    QImage image(int(lines[0].size()), int(lines.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const char c = lines[y][x].toLatin1();
            image.setPixel(x, y, c == 'k' ? qRgb(0, 0, 0) : c == 'r' ? qRgb(255, 0, 0) : c == 'b' ? qRgb(0, 0, 255) : qRgb(255, 255, 255));
        }
    }
    return image;
}

QString Text(const QImage& image)
{
    QStringList lines;
    for (int y = 0; y < image.height(); ++y) {
        QString line;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xffffff;
            line += p == 0 ? 'k' : p == 0xff0000 ? 'r' : p == 0x0000ff ? 'b' : p == 0xffffff ? '.' : '?';
        }
        lines << line;
    }
    return lines.join('\n');
}

// ---- Pixel fill --------------------------------------------------------------------------------

TEST(PixelFill, FillsTheFourConnectedRegionOfExactlyTheSeedsColour)
{
    struct Case {
        const char* name;
        const char* before;
        int x, y;
        QRgb colour;
        const char* after;
    } cases[] = {
        {"diagonal gaps stay separate", "..k\n.k.\nk..", 0, 0, qRgb(255, 0, 0), "rrk\nrk.\nk.."},
        {"the region's own colour changes nothing", "..k\n.k.", 0, 0, qRgb(255, 255, 255), "..k\n.k."},
        {"around a wall", "....\n.kk.\n.k..\n....", 3, 3, qRgb(0, 0, 255), "bbbb\nbkkb\nbkbb\nbbbb"},
        {"a U fills both arms", ".k.\n.k.\n...", 2, 0, qRgb(0, 0, 0), "kkk\nkkk\nkkk"},
    };
    for (const Case& c : cases) {
        QImage image = Picture(c.before);
        ASSERT_TRUE(Pixel_Fill(image, c.x, c.y, c.colour)) << c.name;
        EXPECT_EQ(Text(image), QString::fromLatin1(c.after)) << c.name;
    }
    // A colour that differs in one bit of one channel is another colour.
    QImage close = Picture("...");
    close.setPixel(1, 0, qRgb(255, 255, 254));
    ASSERT_TRUE(Pixel_Fill(close, 0, 0, qRgb(0, 0, 0)));
    EXPECT_EQ(close.pixel(2, 0) & 0xffffff, 0xffffffu);

    QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
    cell.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(Pixel_Fill(cell, 5, 5, qRgb(255, 0, 0)));
    QImage red(kCellSize, kCellSize, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    EXPECT_EQ(cell, red);
}

TEST(PixelFill, RandomPicturesMatchAPlainSearch)
{
    uint32_t state = 3;
    auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 60; ++round) {
        QImage image(kCellSize, kCellSize, QImage::Format_RGB32);
        const unsigned colours = 2 + round % 3; // few colours: long, winding regions
        for (int y = 0; y < kCellSize; ++y)
            for (int x = 0; x < kCellSize; ++x) image.setPixel(x, y, qRgb(int(next() % colours) * 100, 0, 0));
        const int sx = int(next() % kCellSize), sy = int(next() % kCellSize);
        QImage expected = image.copy();
        const QRgb target = image.pixel(sx, sy);
        std::deque<QPoint> queue{{sx, sy}};
        std::vector<bool> seen(kCellSize * kCellSize);
        while (!queue.empty()) {
            const QPoint p = queue.front();
            queue.pop_front();
            if (!expected.rect().contains(p) || seen[std::size_t(p.y() * kCellSize + p.x())] || image.pixel(p) != target) continue;
            seen[std::size_t(p.y() * kCellSize + p.x())] = true;
            expected.setPixel(p, qRgb(0, 0, 255));
            for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) queue.push_back(p + d);
        }
        ASSERT_TRUE(Pixel_Fill(image, sx, sy, qRgb(0, 0, 255)));
        ASSERT_EQ(image, expected) << "round " << round;
    }
}

TEST(PixelFill, EachShortageIsReportedAndChangesNothing)
{
    for (int fail_at = 1; fail_at <= 4; ++fail_at) {
        ScriptedPresenter messages;
        QImage image = Picture("..\n..");
        {
            AllocationFailureScope fail(fail_at);
            EXPECT_FALSE(Pixel_Fill(image, 0, 0, qRgb(0, 0, 0)));
        }
        EXPECT_EQ(messages.captions(), QStringList{QStringLiteral("ERROR:Paint(%1)").arg(fail_at)});
        EXPECT_EQ(messages.last().text, QStringLiteral("メモリの確保に失敗しました"));
        EXPECT_EQ(Text(image), QStringLiteral("..\n.."));
    }
}

// ---- The ten-times view ----------------------------------------------------------------------------

TEST(MagnifiedView, EachPixelIsASquareAndReducesBack)
{
    QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
    for (int y = 0; y < kCellSize; ++y)
        for (int x = 0; x < kCellSize; ++x) cell.setPixel(x, y, qRgb(x * 8, y * 8, (x ^ y) * 8));
    QImage view;
    Magnify_Cell(cell, view);
    ASSERT_EQ(view.size(), QSize(320, 320));
    for (const QPoint p : {QPoint(0, 0), QPoint(37, 12), QPoint(39, 19), QPoint(319, 319), QPoint(300, 9)})
        EXPECT_EQ(view.pixel(p), cell.pixel(p.x() / 10, p.y() / 10)) << p.x() << "," << p.y();
    EXPECT_EQ(Reduce_View(view), cell);
    Paint_Square(view, 3, 1, qRgb(1, 2, 3));
    EXPECT_EQ(view.pixel(30, 10), qRgb(1, 2, 3));
    EXPECT_EQ(view.pixel(39, 19), qRgb(1, 2, 3));
    EXPECT_EQ(view.pixel(40, 19), cell.pixel(4, 1));
    EXPECT_EQ(view.pixel(39, 20), cell.pixel(3, 2));
}

// ---- Blocks of a loaded bitmap --------------------------------------------------------------------

TEST(BitmapBlock, TheCornerStaysInsideAndSmallImagesArePaddedWhite)
{
    struct Case {
        QSize size;
        QPoint pointer;
        QPoint corner;
    } cases[] = {
        {{100, 60}, {3, 58}, {0, 28}},
        {{100, 60}, {50, 30}, {34, 14}},
        {{100, 60}, {99, 0}, {68, 0}},
        {{20, 10}, {15, 8}, {0, 0}},   // smaller than a cell on both axes
        {{32, 32}, {31, 31}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Block_Corner(c.pointer, c.size), c.corner) << c.size.width() << "x" << c.size.height();

    QImage small(20, 10, QImage::Format_RGB32);
    small.fill(qRgb(0, 0, 255));
    const QImage block = Copy_Block(small, QPoint(0, 0));
    ASSERT_EQ(block.size(), QSize(kCellSize, kCellSize));
    EXPECT_EQ(block.pixel(19, 9), qRgb(0, 0, 255));
    EXPECT_EQ(block.pixel(20, 9), qRgb(255, 255, 255));
    EXPECT_EQ(block.pixel(19, 10), qRgb(255, 255, 255));
    QImage wide(100, 60, QImage::Format_RGB32);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) wide.setPixel(x, y, qRgb(x, y, 7));
    EXPECT_EQ(Copy_Block(wide, QPoint(68, 28)), wide.copy(68, 28, 32, 32));
}

// A Windows bitmap of the given depth (BI_RGB, 16 bits as 5-5-5), the colour table listing
// colours and pixel (x, y) taking colour index(x, y).
QByteArray Bitmap_File(int depth, const std::vector<QRgb>& colours, int w, int h, int (*index)(int, int))
{
    const int table = depth <= 8 ? (1 << depth) : 0;
    const int stride = ((w * depth + 31) / 32) * 4;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 offset = 14 + 40 + 4 * quint32(table);
    out.writeRawData("BM", 2);
    out << quint32(offset + quint32(stride * h)) << quint32(0) << offset;
    out << quint32(40) << qint32(w) << qint32(h) << quint16(1) << quint16(depth) << quint32(0)
        << quint32(stride * h) << qint32(2835) << qint32(2835) << quint32(table) << quint32(0);
    for (int i = 0; i < table; ++i) {
        const QRgb c = i < int(colours.size()) ? colours[std::size_t(i)] : 0;
        out << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
    }
    for (int y = h - 1; y >= 0; --y) { // bottom row first
        QByteArray row(stride, 0);
        for (int x = 0; x < w; ++x) {
            const int i = index(x, y);
            const QRgb c = colours[std::size_t(i)];
            switch (depth) {
            case 1: row[x / 8] = char(row[x / 8] | (i << (7 - x % 8))); break;
            case 4: row[x / 2] = char(row[x / 2] | (i << (x % 2 ? 0 : 4))); break;
            case 8: row[x] = char(i); break;
            case 16: {
                const int v = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
                row[2 * x] = char(v & 0xff);
                row[2 * x + 1] = char(v >> 8);
                break;
            }
            default:
                for (int k = 0; k < depth / 8; ++k) row[x * depth / 8 + k] = char(k == 0 ? qBlue(c) : k == 1 ? qGreen(c) : k == 2 ? qRed(c) : 0);
            }
        }
        out.writeRawData(row.constData(), stride);
    }
    return bytes;
}

TEST(BitmapBlock, BitmapsOfEveryDepthGiveTheSamePixels)
{
    // Colours every depth holds exactly, with a colour table or without (5 bits a channel in
    // 16-bit files, read back as multiples of 8).
    const std::vector<QRgb> colours = {qRgb(0, 0, 0), qRgb(248, 16, 136)};
    auto checker = [](int x, int y) { return (x / 3 + y / 2) % 2; };
    QTemporaryDir dir;
    QImage reference;
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        const QString path = dir.filePath(QStringLiteral("d%1.bmp").arg(depth));
        test::Write_File(path, Bitmap_File(depth, colours, 37, 21, checker));
        const QImage image = To_Cell_Format(Read_Bitmap(path));
        ASSERT_FALSE(image.isNull()) << depth;
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        if (reference.isNull()) reference = image;
        EXPECT_EQ(image, reference) << depth << " bits";
        EXPECT_EQ(Copy_Block(image, {5, 0}), Copy_Block(reference, {5, 0})) << depth << " bits";
    }
    EXPECT_EQ(reference.pixel(3, 0), qRgb(248, 16, 136));
    EXPECT_EQ(reference.pixel(3, 2), qRgb(0, 0, 0));

    // A header that claims a giant image is refused before anything is allocated.
    QByteArray giant = Bitmap_File(24, colours, 2, 2, checker);
    QDataStream patch(&giant, QIODevice::ReadWrite);
    patch.setByteOrder(QDataStream::LittleEndian);
    patch.device()->seek(18);
    patch << qint32(60000) << qint32(60000);
    const QString path = dir.filePath(QStringLiteral("giant.bmp"));
    test::Write_File(path, giant);
    EXPECT_TRUE(Read_Bitmap(path).isNull());
}

TEST(BitmapBlock, PicturesPastTheSideLimitAreRefusedUnread)
{
    // One-bit headers over a few bytes of pixels: the reader makes up the rest of the picture,
    // so a header alone would decide how much is converted at four bytes a pixel.
    const std::vector<QRgb> colours = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    const struct {
        const char* what;
        int width, height;
        bool read;
    } cases[] = {
        {"4096 x 2", 4096, 2, true},
        {"2 x 4096", 2, 4096, true},
        {"4097 x 2", 4097, 2, false},
        {"2 x 4097", 2, 4097, false},
        {"458761 x 7", 458761, 7, false},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        QByteArray file = Bitmap_File(1, colours, 2, 2, [](int x, int) { return x % 2; });
        QDataStream patch(&file, QIODevice::ReadWrite);
        patch.setByteOrder(QDataStream::LittleEndian);
        patch.device()->seek(18);
        patch << qint32(c.width) << qint32(c.height);
        const QString path = dir.filePath(QStringLiteral("b.bmp"));
        test::Write_File(path, file);
        QString why;
        const QImage image = Read_Bitmap(path, &why);
        EXPECT_EQ(image.size(), c.read ? QSize(c.width, c.height) : QSize(0, 0)) << c.what;
        const QString refusal = QStringLiteral("the picture is %1 x %2 pixels; at most 4096 x 4096 can be read");
        EXPECT_EQ(why, c.read ? QString() : refusal.arg(c.width).arg(c.height)) << c.what;
    }
}

// ---- The cell loading window's OK, on the model ----------------------------------------------------

TEST(ReplaceCell, TheOldPictureGoesIntoTheHistory)
{
    CellPalette palette;
    palette.cells = Blank_Cells();
    const int version = palette.version;
    QImage red(kCellSize, kCellSize, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    Replace_Cell_Picture(palette, 9, red);
    EXPECT_EQ(palette.cells[9], red);
    EXPECT_EQ(palette.l_cell, 9);
    EXPECT_EQ(palette.saved, 0);
    EXPECT_NE(palette.version, version); // the map windows' cell caches are rebuilt
    red.fill(qRgb(0, 0, 0));             // the palette holds its own copy
    EXPECT_EQ(palette.cells[9].pixel(0, 0), qRgb(255, 0, 0));
    ASSERT_TRUE(Undo_Palette_Cell(palette));
    EXPECT_EQ(palette.cells[9], Blank_Cell());
}

TEST(ReplaceCell, TheFlagMovesOnCellsThatCarriedTheOldOne)
{
    // Cell 5 has flag 1 in the table; one cell 5 was set to flag 3 by hand and keeps it.
    struct Case {
        const char* name;
        int entry;     // the table's entry for cell 5 before
        int flag;      // the new flag
        const char* after;
        bool modified;
    } cases[] = {
        {"moved to 2", 1, 2, "133 197 5\n133 6 197", true},
        {"the same flag: nothing changes", 1, 1, "69 197 5\n69 6 197", false},
        {"an entry above 3 counts by its low two bits", 5, 2, "133 197 5\n133 6 197", true},
        {"from flag 0", 0, 1, "69 197 69\n69 6 197", true},
    };
    for (const Case& c : cases) {
        edit_form doc = Map_From_Text("69 197 5\n69 6 197");
        doc.flags.assign(kCellCount, 0);
        doc.flags[5] = uint8_t(c.entry);
        doc.saved = 1;
        EXPECT_EQ(Set_Cell_Flag(doc, 5, c.flag), c.modified) << c.name;
        EXPECT_EQ(Map_To_Text(doc), QString::fromLatin1(c.after)) << c.name;
        EXPECT_EQ(doc.flags[5], c.flag) << c.name;
        EXPECT_EQ(doc.saved, c.modified ? 0 : 1) << c.name;
    }
}

} // namespace
} // namespace zol
