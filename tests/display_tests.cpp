// The map picture and the cell palette's images: cutting and composing the palette bitmap, its
// files, the renderer that copies scaled cells into map windows and PNG exports, the status line,
// and where a map window's picture and scroll bars go.

#include "core/render/cell_palette.h"
#include "core/render/cell_palette_images.h"
#include "core/render/map_png.h"
#include "core/render/map_renderer.h"
#include "core/render/map_view_layout.h"

#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <vector>

namespace zol {
namespace {

using test::Map_From_Text;

constexpr QRgb kWhite = 0xffffffffu;
constexpr QRgb kSentinel = 0xff123456u;

// An RGB32 image whose every pixel differs from its neighbours and from other images' (seed).
QImage Pattern_Image(int width, int height, int seed = 0)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) & 0xff, (y * 3 + seed * 5) & 0xff, (x ^ y) & 0xff));
    return image;
}

// 64 cells with distinct gradients, so scaling and misplaced copies both show.
CellImages Pattern_Cells()
{
    CellImages cells;
    for (int n = 0; n < 64; ++n) {
        QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
        for (int y = 0; y < kCellSize; ++y)
            for (int x = 0; x < kCellSize; ++x)
                cell.setPixel(x, y, qRgb(n * 4, x * 8, (y * 8 + n * 13) & 0xff));
        cells[std::size_t(n)] = cell;
    }
    return cells;
}

bool All_Pixels(const QImage& image, const QRect& rect, QRgb value)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) != value) return false;
    return true;
}

// Pixels compared in RGB32 (alpha ignored by the format conversion).
bool Same_Pixels(const QImage& a, const QImage& b)
{
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

// ---------------------------------------------------------------------------------------------
// Palette images

TEST(CutCells, SixtyFourSquareTakesTheFourTopLeftCellsAndLeavesTheRestWhite)
{
    const QImage source = Pattern_Image(64, 64);
    const CellImages cells = Cut_Cells(source);
    const struct { int cell; QPoint origin; } rows[] = {
        {0, {0, 0}}, {1, {32, 0}}, {4, {0, 32}}, {5, {32, 32}},
    };
    for (const auto& row : rows)
        EXPECT_TRUE(Same_Pixels(cells[std::size_t(row.cell)], source.copy(QRect(row.origin, QSize(32, 32)))))
            << "cell " << row.cell;
    for (int n = 0; n < 64; ++n) {
        if (n == 0 || n == 1 || n == 4 || n == 5) continue;
        ASSERT_EQ(cells[std::size_t(n)].size(), QSize(32, 32)) << n;
        EXPECT_TRUE(All_Pixels(cells[std::size_t(n)], QRect(0, 0, 32, 32), kWhite)) << "cell " << n;
    }
}

TEST(CutCells, LargerSourceContributesOnlyItsTopLeftPalette)
{
    const QImage source = Pattern_Image(300, 700, 9);
    const QImage composed = Compose_Palette(Cut_Cells(source));
    ASSERT_EQ(composed.size(), QSize(kPaletteWidth, kPaletteHeight));
    EXPECT_TRUE(Same_Pixels(composed, source.copy(0, 0, kPaletteWidth, kPaletteHeight)));
}

TEST(CutCells, ComposeOfCutGivesBackAFullSizedPalette)
{
    const QImage source = Pattern_Image(kPaletteWidth, kPaletteHeight, 3);
    EXPECT_TRUE(Same_Pixels(Compose_Palette(Cut_Cells(source)), source));
}

TEST(CellAt, PointsInsideAndOutsideThePalette)
{
    const struct { const char* name; int x, y, cell; } rows[] = {
        {"top left", 0, 0, 0},
        {"last pixel of cell 0", 31, 31, 0},
        {"cell 1", 32, 0, 1},
        {"cell 4", 0, 32, 4},
        {"cell 5", 33, 40, 5},
        {"last cell", 127, 511, 63},
        {"x at width", 128, 0, -1},
        {"y at height", 0, 512, -1},
        {"negative x", -1, 10, -1},
        {"negative y", 10, -1, -1},
    };
    for (const auto& row : rows) EXPECT_EQ(Cell_At(row.x, row.y), row.cell) << row.name;
    for (int n = 0; n < 64; ++n) {
        const QRect r = Cell_Rect(n);
        EXPECT_EQ(Cell_At(r.left(), r.top()), n);
        EXPECT_EQ(Cell_At(r.right(), r.bottom()), n);
    }
}

TEST(OutlineCell, ColoursExactlyTheBorderOfTheCellSquare)
{
    for (int n : {0, 5, 63}) {
        QImage image = White_Palette();
        Outline_Cell(image, n, Qt::red);
        const QRect r = Cell_Rect(n);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool border = r.contains(x, y) &&
                                    (x == r.left() || x == r.right() || y == r.top() || y == r.bottom());
                ASSERT_EQ(image.pixel(x, y), border ? qRgb(255, 0, 0) : kWhite)
                    << "cell " << n << " at " << x << "," << y;
            }
    }
}

// ---------------------------------------------------------------------------------------------
// Palette files

TEST(PaletteBitmap, WrittenFileReadsBackWithTheSamePixels)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cells.bmp");
    const QImage source = Pattern_Image(kPaletteWidth, kPaletteHeight, 1);
    ASSERT_TRUE(Write_Palette_Bitmap(path, Cut_Cells(source)));
    EXPECT_TRUE(test::Read_File(path).startsWith("BM"));
    const QImage read = Read_Bitmap(path);
    ASSERT_EQ(read.size(), QSize(kPaletteWidth, kPaletteHeight));
    EXPECT_TRUE(Same_Pixels(read, source));
}

TEST(PaletteBitmap, WriteFailures)
{
    QTemporaryDir dir;
    EXPECT_FALSE(Write_Palette_Bitmap(dir.filePath("missing/cells.bmp"), Blank_Cells()));

    const QString locked = dir.filePath("locked.bmp");
    test::Write_File(locked, "old contents");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    EXPECT_FALSE(Write_Palette_Bitmap(locked, Blank_Cells()));
    EXPECT_EQ(test::Read_File(locked), QByteArray("old contents"));
}

TEST(PaletteBitmap, NonImageFileReadsAsNull)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.bmp");
    test::Write_File(path, "this is not a picture\n");
    EXPECT_TRUE(Read_Bitmap(path).isNull());
    EXPECT_TRUE(Read_Bitmap(dir.filePath("absent.bmp")).isNull());
}

TEST(SamePalettePath, FoldsOnlyAsciiLetters)
{
    const struct { const char* name; QString a, b; bool same; } rows[] = {
        {"ascii case", "C:/A/B.bmp", "c:/a/b.BMP", true},
        {"identical", "x/y.bmp", "x/y.bmp", true},
        {"different names", "a.bmp", "b.bmp", false},
        {"different lengths", "a.bmp", "a.bmpx", false},
        {"non-ascii case", QStringLiteral("Ä.bmp"), QStringLiteral("ä.bmp"), false},
    };
    for (const auto& row : rows) EXPECT_EQ(Same_Palette_Path(row.a, row.b), row.same) << row.name;
}

// ---------------------------------------------------------------------------------------------
// Renderer

// A w x h map whose cells cycle through all numbers, with flag bits set on some.
edit_form Varied_Map(int w, int h)
{
    edit_form doc = Map_From_Text("0");
    doc.max_x = uint8_t(w - 1);
    doc.max_y = uint8_t(h - 1);
    doc.grid.Allocate(w, h, 0);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) doc.cell(x, y) = uint8_t((x * 5 + y * 11) % 64 + 64 * ((x + y) % 4));
    return doc;
}

// What window cell (i, j) must show: the cell image scaled with Qt's smooth scaling.
QImage Expected_Cell(const CellImages& cells, int n, int s)
{
    const QImage cell = cells[std::size_t(n)];
    return (s == kCellSize ? cell : cell.scaled(s, s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
        .convertToFormat(QImage::Format_RGB32);
}

// Checks target against the map at (scroll_x, scroll_y): whole window cells over the map show
// their scaled cell, every other pixel keeps the sentinel.
void Expect_View(const QImage& target, const edit_form& doc, const CellImages& cells, int s,
                 int scroll_x, int scroll_y)
{
    QImage expected(target.size(), QImage::Format_RGB32);
    expected.fill(kSentinel);
    for (int j = 0; (j + 1) * s <= target.height(); ++j)
        for (int i = 0; (i + 1) * s <= target.width(); ++i) {
            const int x = scroll_x + i, y = scroll_y + j;
            if (x < 0 || y < 0 || x >= doc.width() || y >= doc.height()) continue;
            const QImage cell = Expected_Cell(cells, Cell_Number(doc.cell(x, y)), s);
            for (int r = 0; r < s; ++r)
                std::memcpy(expected.scanLine(j * s + r) + i * s * 4, cell.constScanLine(r), std::size_t(s) * 4);
        }
    EXPECT_TRUE(expected == target) << "size " << s << " scroll " << scroll_x << "," << scroll_y;
}

class RenderAtSize : public ::testing::TestWithParam<int> {};

TEST_P(RenderAtSize, ViewShowsScaledCellsFromTheScrollPositionAndNothingBeyondTheMap)
{
    const int s = GetParam();
    const CellImages cells = Pattern_Cells();
    CellCache cache;
    cache.Build(cells, s);
    ASSERT_EQ(cache.size(), s);
    edit_form doc = Varied_Map(13, 9);
    // Not a multiple of s either way, so partial cells at the edges must stay untouched.
    const QSize picture(10 * s + s / 2, 7 * s + 3);
    const struct { const char* name; int sx, sy; } rows[] = {
        {"origin", 0, 0}, {"scrolled", 3, 2}, {"past the right and bottom", 8, 5}, {"far past", 20, 20},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QImage target(picture, QImage::Format_RGB32);
        target.fill(kSentinel);
        doc.scroll_x = row.sx;
        doc.scroll_y = row.sy;
        Render_View(target, doc, cache);
        Expect_View(target, doc, cells, s, row.sx, row.sy);
    }
}

TEST_P(RenderAtSize, ScrollStepMatchesAFullRedrawAtTheNewPosition)
{
    const int s = GetParam();
    const CellImages cells = Pattern_Cells();
    CellCache cache;
    cache.Build(cells, s);
    edit_form doc = Varied_Map(40, 30);
    const struct { const char* name; int dx, dy; } rows[] = {
        {"down", 0, 1}, {"up", 0, -1}, {"right", 1, 0}, {"left", -1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ViewBuffer view;
        view.Resize(12 * s, 9 * s);
        doc.scroll_x = 14;
        doc.scroll_y = 10;
        QImage drawn = view.Image();
        Render_View(drawn, doc, cache);
        // Many steps one way run the view past the buffer's margin, so the picture is copied
        // back to the middle at least once on the way.
        for (int step = 0; step < 6; ++step) {
            doc.scroll_x += row.dx;
            doc.scroll_y += row.dy;
            Scroll_View(view, doc, cache, row.dx, row.dy);
            QImage full(view.width(), view.height(), QImage::Format_RGB32);
            full.fill(kSentinel);
            Render_View(full, doc, cache);
            ASSERT_TRUE(view.Image() == full) << "step " << step;
        }
    }
}

TEST_P(RenderAtSize, MapImageIsTheWholeMapAtTheCellSize)
{
    const int s = GetParam();
    const CellImages cells = Pattern_Cells();
    CellCache cache;
    cache.Build(cells, s);
    const edit_form doc = Varied_Map(7, 5);
    const QImage image = Render_Map_Image(doc, cache);
    ASSERT_EQ(image.size(), QSize(7 * s, 5 * s));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_TRUE(image.copy(x * s, y * s, s, s) == Expected_Cell(cells, Cell_Number(doc.cell(x, y)), s))
                << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Sizes, RenderAtSize, ::testing::Values(32, 24, 16, 8));

// A w x h map of cells drawn at random (the same every run), flags included.
edit_form Random_Map(int w, int h)
{
    edit_form doc = Varied_Map(w, h);
    unsigned seed = 12345;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            seed = seed * 1103515245u + 12345u;
            doc.cell(x, y) = uint8_t(seed >> 16);
        }
    return doc;
}

CellCache Cache_Of(const CellImages& cells, int s)
{
    CellCache cache;
    cache.Build(cells, s);
    return cache;
}

CellImages Sample_Cells()
{
    return Cut_Cells(Read_Bitmap(QStringLiteral(ZOL_EXAMPLES_DIR "/sample.bmp")));
}

// The picture as libpng's simplified reader gives it, or a null image.
QImage Read_With_Libpng(const QString& path)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, QFile::encodeName(path).constData())) return {};
    png.format = PNG_FORMAT_RGB;
    QImage image(int(png.width), int(png.height), QImage::Format_RGB888);
    if (!png_image_finish_read(&png, nullptr, image.bits(), int(image.bytesPerLine()), nullptr)) {
        png_image_free(&png);
        return {};
    }
    return image;
}

// The filtered rows of a PNG file, inflated by zlib from all its IDAT chunks, which also checks
// the stream's Adler-32 and that nothing follows its end; empty when any of that fails.
QByteArray Inflated_Rows(const QByteArray& file, qsizetype expected)
{
    QByteArray packed;
    for (qsizetype at = 8; at + 12 <= file.size();) {
        const auto* p = reinterpret_cast<const uchar*>(file.constData() + at);
        const qsizetype length = qsizetype(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
        if (file.mid(at + 4, 4) == "IDAT") packed += file.mid(at + 8, length);
        at += length + 12;
    }
    QByteArray rows(expected, 0);
    uLongf size = uLongf(rows.size());
    uLong used = uLong(packed.size());
    if (uncompress2(reinterpret_cast<Bytef*>(rows.data()), &size, reinterpret_cast<const Bytef*>(packed.constData()),
                    &used) != Z_OK || size != uLongf(expected) || used != uLong(packed.size()))
        return {};
    return rows;
}

// Small pictures go as one stream; larger ones are packed in two halves joined into one, which
// every reader must take as a single stream with the pixels the renderer draws.
TEST(WriteMapPng, QtLibpngAndZlibReadBackTheDrawnPixels)
{
    const CellImages gradient = Pattern_Cells(), textured = Sample_Cells();
    const struct { const char* name; const CellImages& cells; int s; edit_form doc; } rows[] = {
        {"one stream", gradient, 16, Varied_Map(9, 6)},
        {"smooth tiles, two halves", gradient, 32, Random_Map(40, 40)},
        {"textured tiles at 8, two halves", textured, 8, Random_Map(256, 64)},
        {"a row of cells", textured, 24, Random_Map(256, 1)},
    };
    QTemporaryDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CellCache cache = Cache_Of(row.cells, row.s);
        const QImage drawn = Render_Map_Image(row.doc, cache);
        const QString path = dir.filePath("map.png");
        ASSERT_TRUE(Write_Map_Png(path, row.doc, cache));
        EXPECT_TRUE(Same_Pixels(QImage(path), drawn));
        EXPECT_TRUE(Same_Pixels(Read_With_Libpng(path), drawn));
        const QByteArray filtered =
            Inflated_Rows(test::Read_File(path), qsizetype(drawn.height()) * (drawn.width() * 3 + 1));
        ASSERT_FALSE(filtered.isEmpty());
        for (int y = 0; y < drawn.height(); ++y) ASSERT_LE(uchar(filtered[qsizetype(y) * (drawn.width() * 3 + 1)]), 4);
    }
}

// The filters chosen for each row within a cell must suit both kinds of tiles: smooth ones pack
// many times smaller with "up", textured ones best with Paeth.
TEST(WriteMapPng, NoLargerThanQtsWriterForSmoothOrTexturedTiles)
{
    const CellImages gradient = Pattern_Cells(), textured = Sample_Cells();
    const edit_form doc = Random_Map(48, 48);
    QTemporaryDir dir;
    for (const CellImages* cells : {&gradient, &textured}) {
        const CellCache cache = Cache_Of(*cells, 32);
        ASSERT_TRUE(Write_Map_Png(dir.filePath("zol.png"), doc, cache));
        ASSERT_TRUE(Render_Map_Image(doc, cache).save(dir.filePath("qt.png"), "PNG"));
        EXPECT_LE(QFileInfo(dir.filePath("zol.png")).size(), QFileInfo(dir.filePath("qt.png")).size());
    }
}

// Cells in which every pixel is the mean of its left and upper neighbours plus a little noise,
// wrapped to a byte: the Average filter leaves only the noise, the others much more.
CellImages Averaging_Cells()
{
    CellImages cells;
    uint32_t state = 99;
    auto noise = [&state] {
        state = state * 1103515245u + 12345u;
        return int(state >> 16) % 9 - 4;
    };
    for (int n = 0; n < 64; ++n) {
        int pixels[kCellSize][kCellSize][3];
        QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
        for (int y = 0; y < kCellSize; ++y)
            for (int x = 0; x < kCellSize; ++x) {
                for (int c = 0; c < 3; ++c) {
                    const int edge = (n * 37 + c * 85) & 0xff;
                    const int left = x > 0 ? pixels[y][x - 1][c] : edge, up = y > 0 ? pixels[y - 1][x][c] : edge;
                    pixels[y][x][c] = (((left + up) >> 1) + noise()) & 0xff;
                }
                cell.setPixel(x, y, qRgb(pixels[y][x][0], pixels[y][x][1], pixels[y][x][2]));
            }
        cells[std::size_t(n)] = cell;
    }
    return cells;
}

// Every row inside a cell is Average-filtered, cell edges included, in a picture of two halves.
TEST(WriteMapPng, AveragingTilesTakeTheAverageFilterAndReadBackExactly)
{
    const CellCache cache = Cache_Of(Averaging_Cells(), kCellSize);
    const edit_form doc = Random_Map(24, 24);
    const QImage drawn = Render_Map_Image(doc, cache);
    QTemporaryDir dir;
    const QString path = dir.filePath("map.png");
    ASSERT_TRUE(Write_Map_Png(path, doc, cache));
    EXPECT_TRUE(Same_Pixels(QImage(path), drawn));
    EXPECT_TRUE(Same_Pixels(Read_With_Libpng(path), drawn));
    const qsizetype stride = drawn.width() * 3 + 1;
    const QByteArray filtered = Inflated_Rows(test::Read_File(path), drawn.height() * stride);
    ASSERT_FALSE(filtered.isEmpty());
    for (int y = 0; y < drawn.height(); ++y) {
        if (y % kCellSize == 0) continue; // a cell's first row meets the cell above
        ASSERT_EQ(int(filtered[y * stride]), 3) << "row " << y;
    }
}

// The hook for the test below: throws std::bad_alloc at the throw_at-th start of half
// throw_half. The first start of each half chooses the filters, the second packs.
std::atomic<int> g_half_starts[2];
int g_throw_half = -1, g_throw_at = 0;
void Throw_In_Half(int half)
{
    if (++g_half_starts[half] == g_throw_at && half == g_throw_half) throw std::bad_alloc();
}

TEST(WriteMapPng, AHalfThatThrowsFailsTheWriteAndLeavesTheOldFile)
{
    const CellCache cache = Cache_Of(Pattern_Cells(), 16);
    const edit_form doc = Random_Map(40, 40); // 640 x 640 pixels: packed in two halves
    const struct { const char* name; int half, start; } rows[] = {
        {"choosing, calling thread", 0, 1},
        {"choosing, other thread", 1, 1},
        {"packing, calling thread", 0, 2},
        {"packing, other thread", 1, 2},
        {"none", -1, 0},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("map.png");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::Write_File(path, "the old picture");
        g_half_starts[0] = g_half_starts[1] = 0;
        g_throw_half = row.half;
        g_throw_at = row.start;
        Set_Map_Png_Half_Hook(Throw_In_Half);
        const bool written = Write_Map_Png(path, doc, cache);
        Set_Map_Png_Half_Hook(nullptr);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"map.png"});
        if (row.half < 0) {
            EXPECT_TRUE(written);
            EXPECT_EQ(g_half_starts[0] + g_half_starts[1], 4) << "both stages ran on two halves";
            continue;
        }
        EXPECT_FALSE(written);
        EXPECT_GE(g_half_starts[row.half], row.start);
        EXPECT_EQ(test::Read_File(path), QByteArray("the old picture"));
    }
}

TEST(WriteMapPng, FailsForAnUnwritablePathOrNothingToDraw)
{
    QTemporaryDir dir;
    const CellCache cache = Cache_Of(Pattern_Cells(), 8);
    EXPECT_FALSE(Write_Map_Png(dir.filePath("missing/map.png"), Varied_Map(4, 4), cache));
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/map.png")));
    EXPECT_FALSE(Write_Map_Png(dir.filePath("map.png"), Varied_Map(4, 4), CellCache()));
    EXPECT_FALSE(QFile::exists(dir.filePath("map.png")));
}

TEST(CellStatusText, CellByteLinksAndEvents)
{
    edit_form doc = Map_From_Text("0 0 0\n0 197 0\n0 0 0"); // 197 = 0xC5: cell 5, flag 3
    EXPECT_EQ(Cell_Status_Text(doc, 1, 1), QStringLiteral("(1,1) Palette=5 Flag=3"));

    auto add_link = [&](int map, int tx, int ty, int x, int y) {
        doc.links.target_map.push_back(uint8_t(map));
        doc.links.target_x.push_back(uint8_t(tx));
        doc.links.target_y.push_back(uint8_t(ty));
        doc.links.x.push_back(uint8_t(x));
        doc.links.y.push_back(uint8_t(y));
    };
    auto add_event = [&](int number, int x, int y) {
        doc.events.number.push_back(uint8_t(number));
        doc.events.x.push_back(uint8_t(x));
        doc.events.y.push_back(uint8_t(y));
    };
    add_link(4, 1, 1, 2, 2); // another cell
    add_link(2, 5, 7, 1, 1);
    add_event(9, 0, 1);      // another cell
    add_event(12, 1, 1);
    EXPECT_EQ(Cell_Status_Text(doc, 1, 1), QStringLiteral("(1,1) Palette=5 Flag=3 Link=2 (5,7) Event= 12"));

    add_link(3, 0, 9, 1, 1);
    EXPECT_EQ(Cell_Status_Text(doc, 1, 1),
              QStringLiteral("(1,1) Palette=5 Flag=3 Link=2 (5,7) Link=3 (0,9) Event= 12"));
    EXPECT_EQ(Cell_Status_Text(doc, 2, 2), QStringLiteral("(2,2) Palette=0 Flag=0 Link=4 (1,1)"));

    // Off the diagonal, x and y must not be mixed up anywhere.
    add_link(6, 7, 8, 2, 0);
    add_event(33, 2, 0);
    EXPECT_EQ(Cell_Status_Text(doc, 2, 0), QStringLiteral("(2,0) Palette=0 Flag=0 Link=6 (7,8) Event= 33"));
    EXPECT_EQ(Cell_Status_Text(doc, 0, 2), QStringLiteral("(0,2) Palette=0 Flag=0"));
    EXPECT_EQ(Cell_Status_Text(doc, 0, 1), QStringLiteral("(0,1) Palette=0 Flag=0 Event= 9"));
}

// ---------------------------------------------------------------------------------------------
// Layout

TEST(LayoutMap, PictureSizeBarsAndRanges)
{
    const struct {
        const char* name;
        int pw, ph, mw, mh, s;
        int picture_w, picture_h;
        bool vbar, hbar;
        int vmax, hmax;
    } rows[] = {
        {"small map fits", 640, 480, 10, 10, 32, 320, 320, false, false, 0, 0},
        {"large map at 32", 640, 480, 100, 100, 32, 640, 480, true, true, 85, 80},
        {"large map at 16", 640, 480, 100, 100, 16, 640, 480, true, true, 70, 60},
        {"fits at 8", 640, 480, 20, 20, 8, 160, 160, false, false, 0, 0},
        {"wide map", 640, 480, 100, 5, 32, 640, 160, false, true, 0, 80},
        {"tall map", 640, 480, 5, 100, 32, 160, 480, true, false, 85, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const MapViewLayout l = Layout_Map(row.pw, row.ph, row.mw, row.mh, row.s, 0, 0);
        EXPECT_EQ(l.picture_width, row.picture_w);
        EXPECT_EQ(l.picture_height, row.picture_h);
        EXPECT_EQ(l.vertical_bar, row.vbar);
        EXPECT_EQ(l.horizontal_bar, row.hbar);
        EXPECT_EQ(l.vertical_max, row.vmax);
        EXPECT_EQ(l.horizontal_max, row.hmax);
        EXPECT_EQ(l.content_width, row.picture_w + (row.vbar ? kScrollBarThickness : 0));
        EXPECT_EQ(l.content_height, row.picture_h + (row.hbar ? kScrollBarThickness : 0));
    }
}

TEST(LayoutMap, ScrollPositionsClampedToTheRange)
{
    const struct { const char* name; int sx, sy, want_x, want_y; } rows[] = {
        {"inside", 10, 20, 10, 20},
        {"past the end", 500, 500, 80, 85},
        {"negative", -4, -1, 0, 0},
    };
    for (const auto& row : rows) {
        const MapViewLayout l = Layout_Map(640, 480, 100, 100, 32, row.sx, row.sy);
        EXPECT_EQ(l.scroll_x, row.want_x) << row.name;
        EXPECT_EQ(l.scroll_y, row.want_y) << row.name;
    }
    // Without bars the view always starts at the map's corner.
    const MapViewLayout fits = Layout_Map(640, 480, 10, 10, 32, 7, 7);
    EXPECT_EQ(fits.scroll_x, 0);
    EXPECT_EQ(fits.scroll_y, 0);
}

TEST(MapCaption, SizesInCells)
{
    EXPECT_EQ(Map_Caption("m", 100, 100, 3, 660, 500, 32), QStringLiteral("m 100\u00d7100 Link: 3  (20\u00d715)"));
}

} // namespace
} // namespace zol
