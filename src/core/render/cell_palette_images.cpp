#include "core/render/cell_palette_images.h"

#include "core/map/file_writer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace zol {

QRect Cell_Rect(int n)
{
    return QRect((n % kPaletteColumns) * kCellSize, (n / kPaletteColumns) * kCellSize, kCellSize,
                 kCellSize);
}

int Cell_At(int x, int y)
{
    if (x < 0 || y < 0 || x >= kPaletteWidth || y >= kPaletteHeight) return -1;
    return (y / kCellSize) * kPaletteColumns + x / kCellSize;
}

QImage Blank_Cell()
{
    QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
    cell.fill(QColor(0, 255, 0));
    return cell;
}

CellImages Blank_Cells()
{
    CellImages cells;
    const QImage blank = Blank_Cell();
    cells.fill(blank);
    return cells;
}

CellImages Cut_Cells(const QImage& source)
{
    const QRect used = QRect(0, 0, kPaletteWidth, kPaletteHeight).intersected(source.rect());
    const QImage rgb = used.isEmpty() ? QImage() : source.copy(used).convertToFormat(QImage::Format_RGB32);
    CellImages cells;
    for (int n = 0; n < 64; ++n) {
        QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
        cell.fill(Qt::white);
        const QRect rect = Cell_Rect(n);
        const QRect inside = rect.intersected(rgb.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y)) + inside.left();
            auto* to = reinterpret_cast<QRgb*>(cell.scanLine(y - rect.top())) + (inside.left() - rect.left());
            std::copy_n(from, inside.width(), to);
        }
        cells[std::size_t(n)] = cell;
    }
    return cells;
}

QImage Compose_Palette(const CellImages& cells)
{
    QImage image(kPaletteWidth, kPaletteHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int n = 0; n < 64; ++n) painter.drawImage(Cell_Rect(n).topLeft(), cells[std::size_t(n)]);
    return image;
}

QImage White_Palette()
{
    QImage image(kPaletteWidth, kPaletteHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void Outline_Cell(QImage& image, int n, QColor colour)
{
    const QRect rect = Cell_Rect(n);
    const QRgb rgb = colour.rgb();
    for (int i = 0; i < kCellSize; ++i) {
        for (const QPoint p : {QPoint(rect.left() + i, rect.top()), QPoint(rect.left() + i, rect.bottom()),
                               QPoint(rect.left(), rect.top() + i), QPoint(rect.right(), rect.top() + i)})
            if (image.rect().contains(p)) image.setPixel(p, rgb);
    }
}

QImage Read_Bitmap(const QString& path, QString* why)
{
    auto refuse = [&](const QString& reason) {
        if (why) *why = reason;
        return QImage();
    };
    auto too_large = [&](QSize size) {
        return size.width() > kMaxBitmapSide || size.height() > kMaxBitmapSide;
    };
    // Only plain files: opening a named pipe would wait for a writer for ever.
    if (!QFileInfo(path).isFile()) return refuse(QStringLiteral("not a file"));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize declared = reader.size();
    const QString limit = QStringLiteral("the picture is %1 x %2 pixels; at most %3 x %3 can be read");
    if (too_large(declared)) return refuse(limit.arg(declared.width()).arg(declared.height()).arg(kMaxBitmapSide));
    QImage image = reader.read();
    if (image.isNull()) return refuse(reader.errorString());
    // A format that does not tell its size before reading is held to the same limit.
    if (too_large(image.size())) return refuse(limit.arg(image.width()).arg(image.height()).arg(kMaxBitmapSide));
    return image;
}

bool Write_Palette_Bitmap(const QString& path, const CellImages& cells)
{
    const QImage image = Compose_Palette(cells).convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) return false;
    return Write_File_Atomically(path, bytes);
}

} // namespace zol
