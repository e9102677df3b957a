#include "core/render/map_png.h"

#include "core/render/large_buffer.h"
#include "core/map/file_writer.h"

#include <QIODevice>

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace zol {

namespace {

// libdeflate's level 7 packs textured tiles a little smaller than zlib's level 6 with libpng's
// adaptive filters, in about a third of the time; level 6 is quicker but not smaller.
constexpr int kLevel = 7;
// Row filters chosen by trial are compared with this quick level; only the order matters.
constexpr int kTrialLevel = 1;
constexpr int kFilterCount = 5; // none, sub, up, average, Paeth
constexpr std::size_t kIdatBytes = std::size_t(1) << 20;

using Bytes = LargeBuffer<uint8_t>;

inline uint8_t Paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One filtered PNG row: the filter byte, then n bytes. prev is the row above (zeros above the
// first row).
void Filter_Row(int filter, const uint8_t* cur, const uint8_t* prev, std::size_t n, uint8_t* out)
{
    *out++ = uint8_t(filter);
    const std::size_t lead = std::min<std::size_t>(3, n);
    switch (filter) {
    case 0:
        std::memcpy(out, cur, n);
        break;
    case 1:
        std::memcpy(out, cur, lead);
        for (std::size_t i = 3; i < n; ++i) out[i] = uint8_t(cur[i] - cur[i - 3]);
        break;
    case 2:
        for (std::size_t i = 0; i < n; ++i) out[i] = uint8_t(cur[i] - prev[i]);
        break;
    case 3:
        for (std::size_t i = 0; i < lead; ++i) out[i] = uint8_t(cur[i] - (prev[i] >> 1));
        for (std::size_t i = 3; i < n; ++i) out[i] = uint8_t(cur[i] - ((cur[i - 3] + prev[i]) >> 1));
        break;
    default:
        for (std::size_t i = 0; i < lead; ++i) out[i] = uint8_t(cur[i] - prev[i]);
        for (std::size_t i = 3; i < n; ++i) out[i] = uint8_t(cur[i] - Paeth(cur[i - 3], prev[i], prev[i - 3]));
        break;
    }
}

// The map's picture as RGB rows made from copies of cell rows, and its filtered rows.
class PictureRows {
public:
    PictureRows(const edit_form& doc, const CellCache& cache)
        : doc_(doc), s_(cache.size()), columns_(s_ > 0 ? doc.width() : 0), rows_(s_ > 0 ? doc.height() : 0)
    {
        if (s_ <= 0) return;
        cells_.resize(std::size_t(64) * s_ * s_ * 3);
        uint8_t* out = cells_.data();
        for (int n = 0; n < 64; ++n)
            for (int r = 0; r < s_; ++r) {
                const uint32_t* line = cache.row(n, r);
                for (int x = 0; x < s_; ++x) {
                    *out++ = uint8_t(line[x] >> 16);
                    *out++ = uint8_t(line[x] >> 8);
                    *out++ = uint8_t(line[x]);
                }
            }
    }

    int cell_size() const { return s_; }
    int width() const { return columns_ * s_; }
    int height() const { return rows_ * s_; }
    std::size_t row_bytes() const { return std::size_t(width()) * 3; }

    // Row y's RGB bytes; a map without cells is white.
    void Row(int y, uint8_t* out) const
    {
        if (!doc_.has_grid()) {
            std::memset(out, 0xff, row_bytes());
            return;
        }
        const int j = y / s_, r = y % s_;
        const std::size_t piece = piece_bytes();
        for (int i = 0; i < columns_; ++i, out += piece) std::memcpy(out, Cell_Row(Cell_At(i, j), r), piece);
    }

    // Makes the cells' own filtered rows for the filters used, so that rows inside a cell band
    // need no filtering of their own.
    void Prepare_Filters(const std::vector<int>& filters)
    {
        const std::size_t piece = piece_bytes();
        filtered_cells_.assign(std::size_t(kFilterCount), {});
        for (int f : filters) {
            std::vector<uint8_t>& table = filtered_cells_[std::size_t(f)];
            if (!table.empty()) continue;
            table.resize(std::size_t(64) * s_ * (piece + 1));
            for (int n = 0; n < 64; ++n)
                for (int r = 1; r < s_; ++r)
                    Filter_Row(f, Cell_Row(n, r), Cell_Row(n, r - 1), piece,
                               table.data() + (std::size_t(n) * s_ + r) * (piece + 1));
        }
    }

    // Row y filtered with filter: the filter byte and row_bytes() bytes. cur and prev are
    // scratch rows of row_bytes().
    void Filtered_Row(int y, int filter, uint8_t* out, std::vector<uint8_t>& cur, std::vector<uint8_t>& prev) const
    {
        const int r = y % s_;
        if (r == 0 || !doc_.has_grid()) {
            // The first row of a band meets the band above.
            Row(y, cur.data());
            if (y > 0) Row(y - 1, prev.data());
            else std::fill(prev.begin(), prev.end(), 0);
            Filter_Row(filter, cur.data(), prev.data(), row_bytes(), out);
            return;
        }
        const int j = y / s_;
        const std::size_t piece = piece_bytes();
        const std::vector<uint8_t>& table = filtered_cells_[std::size_t(filter)];
        *out++ = uint8_t(filter);
        const bool left_matters = filter == 1 || filter == 3 || filter == 4;
        int left = -1;
        for (int i = 0; i < columns_; ++i, out += piece) {
            const int n = Cell_At(i, j);
            std::memcpy(out, table.data() + (std::size_t(n) * s_ + r) * (piece + 1) + 1, piece);
            if (left_matters && left >= 0) {
                // The first pixel looks at the last pixel of the cell to its left.
                const uint8_t* a = Cell_Row(left, r) + piece - 3;
                const uint8_t* c = Cell_Row(left, r - 1) + piece - 3;
                const uint8_t* x = Cell_Row(n, r);
                const uint8_t* b = Cell_Row(n, r - 1);
                for (int k = 0; k < 3; ++k)
                    out[k] = uint8_t(x[k] - (filter == 1   ? a[k]
                                             : filter == 3 ? (a[k] + b[k]) >> 1
                                                           : Paeth(a[k], b[k], c[k])));
            }
            left = n;
        }
    }

private:
    std::size_t piece_bytes() const { return std::size_t(s_) * 3; }
    int Cell_At(int i, int j) const { return Cell_Number(doc_.cell(i, j)); }
    const uint8_t* Cell_Row(int n, int r) const { return cells_.data() + (std::size_t(n) * s_ + r) * piece_bytes(); }

    const edit_form& doc_;
    int s_, columns_, rows_;
    std::vector<uint8_t> cells_;                       // 64 cells x s rows x s RGB pixels
    std::vector<std::vector<uint8_t>> filtered_cells_; // per filter: 64 cells x s filtered rows
};

std::atomic<MapPngHalfHook> g_half_hook{nullptr};

// Runs one half of a two-threaded stage; false when it ended in an exception (a memory
// shortage, say), which must not leave its thread.
bool Run_Half(int half, const std::function<void()>& work) noexcept
{
    try {
        if (const MapPngHalfHook hook = g_half_hook.load()) hook(half);
        work();
        return true;
    } catch (...) {
        return false;
    }
}

// Runs first here and second on another thread when the machine has a second core and a
// thread can be started, else after first; false when either half failed.
bool Run_Both(const std::function<void()>& first, const std::function<void()>& second)
{
    bool second_ok = false;
    std::thread other;
    if (std::thread::hardware_concurrency() >= 2) {
        try {
            other = std::thread([&] { second_ok = Run_Half(1, second); });
        } catch (const std::system_error&) {
        }
    }
    const bool first_ok = Run_Half(0, first);
    if (other.joinable()) other.join();
    else second_ok = Run_Half(1, second);
    return first_ok && second_ok;
}

struct FreeCompressor {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};
using Compressor = std::unique_ptr<libdeflate_compressor, FreeCompressor>;

// The filter for each row within a cell (y % s): the one whose rows pack smallest, tried on
// up to three bands of the map (top, middle, bottom). Smooth tiles favour "up", textured ones
// Paeth, and the first row of a cell, which meets the cell above, often differs again.
std::vector<int> Choose_Filters(const PictureRows& picture)
{
    const int s = picture.cell_size();
    const int bands = picture.height() / s;
    std::vector<int> sample_bands{0, bands / 2, bands - 1};
    sample_bands.erase(std::unique(sample_bands.begin(), sample_bands.end()), sample_bands.end());
    const std::size_t n = picture.row_bytes();
    std::vector<int> chosen(std::size_t(s), 0);
    std::atomic<bool> ok = true;

    auto choose = [&](int first_r) {
        const Compressor trial(libdeflate_alloc_compressor(kTrialLevel));
        if (!trial) {
            ok = false;
            return;
        }
        std::vector<uint8_t> cur(n), prev(n), filtered(n + 1);
        std::vector<uint8_t> packed(libdeflate_deflate_compress_bound(trial.get(), n + 1));
        for (int r = first_r; r < s; r += 2) {
            std::size_t sizes[kFilterCount] = {};
            for (int band : sample_bands) {
                const int y = band * s + r;
                picture.Row(y, cur.data());
                if (y > 0) picture.Row(y - 1, prev.data());
                else std::fill(prev.begin(), prev.end(), 0);
                for (int f = 0; f < kFilterCount; ++f) {
                    Filter_Row(f, cur.data(), prev.data(), n, filtered.data());
                    sizes[f] += libdeflate_deflate_compress(trial.get(), filtered.data(), n + 1, packed.data(), packed.size());
                }
            }
            chosen[std::size_t(r)] = int(std::min_element(sizes, sizes + kFilterCount) - sizes);
        }
    };
    if (!Run_Both([&] { choose(0); }, [&] { choose(1); })) return {};
    return ok ? chosen : std::vector<int>();
}

// One half of the picture: its rows filtered and deflated as a raw stream.
struct Part {
    int first_row = 0, end_row = 0;
    std::size_t offset = 0, length = 0; // of the filtered bytes
    Bytes packed;
    std::size_t packed_size = 0;
    uint32_t adler = 1;
    // For a part that other data follows: where its last block starts and where it ends, in bits.
    std::size_t last_block_bit = 0, end_bit = 0;
    bool ok = false;
};

// Finds where the last block of a raw deflate stream starts and where its last bit is, by
// inflating it and stopping at each block boundary. There zlib's data_type holds the bits taken
// in but not used (they can be more than a byte's worth), plus 128, plus 64 once the last block
// has begun. The stream's end must be read there: after it zlib drops the padding bits too.
bool Find_Last_Block(Part& part)
{
    std::vector<uint8_t> sink(std::size_t(1) << 18);
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return false;
    z.next_in = part.packed.get();
    z.avail_in = uInt(part.packed_size);
    std::size_t boundary = 0, end = 0;
    bool ended = false, done = false;
    for (;;) {
        z.next_out = sink.data();
        z.avail_out = uInt(sink.size());
        const int status = inflate(&z, Z_BLOCK);
        if (status == Z_STREAM_END) {
            done = ended;
            break;
        }
        if (status != Z_OK) break;
        const std::size_t at = std::size_t(z.total_in) * 8 - std::size_t(z.data_type & 63);
        if ((z.data_type & (128 | 64)) == 128) boundary = at;
        if ((z.data_type & (128 | 64)) == (128 | 64)) {
            end = at;
            ended = true;
        }
    }
    inflateEnd(&z);
    part.last_block_bit = boundary;
    part.end_bit = end;
    return done;
}

void Pack_Part(const PictureRows& picture, const std::vector<int>& filters, uint8_t* filtered, Part& part,
               bool followed)
{
    const std::size_t n = picture.row_bytes();
    const int s = picture.cell_size();
    std::vector<uint8_t> cur(n), prev(n);
    uint8_t* out = filtered + part.offset;
    for (int y = part.first_row; y < part.end_row; ++y, out += n + 1)
        picture.Filtered_Row(y, filters[std::size_t(y % s)], out, cur, prev);
    part.adler = uint32_t(libdeflate_adler32(1, filtered + part.offset, part.length));

    const Compressor compressor(libdeflate_alloc_compressor(kLevel));
    if (!compressor) return;
    const std::size_t bound = libdeflate_deflate_compress_bound(compressor.get(), part.length);
    part.packed = Allocate_Large<uint8_t>(bound);
    if (part.packed)
        part.packed_size = libdeflate_deflate_compress(compressor.get(), filtered + part.offset, part.length,
                                                       part.packed.get(), bound);
    part.ok = part.packed_size > 0 && (!followed || Find_Last_Block(part));
}

void Put_Be32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

bool Write_Chunk(QIODevice& file, const char type[4], const uint8_t* data, std::size_t length)
{
    uint8_t head[8];
    Put_Be32(head, uint32_t(length));
    std::memcpy(head + 4, type, 4);
    uint8_t tail[4];
    uint32_t crc = uint32_t(libdeflate_crc32(0, type, 4));
    if (length > 0) crc = uint32_t(libdeflate_crc32(crc, data, length));
    Put_Be32(tail, crc);
    return file.write(reinterpret_cast<const char*>(head), 8) == 8 &&
           file.write(reinterpret_cast<const char*>(data), qint64(length)) == qint64(length) &&
           file.write(reinterpret_cast<const char*>(tail), 4) == 4;
}

} // namespace

void Set_Map_Png_Half_Hook(MapPngHalfHook hook) { g_half_hook.store(hook); }

namespace {

bool Write_Png(const QString& path, const edit_form& doc, const CellCache& cache)
{
    PictureRows picture(doc, cache);
    const int width = picture.width(), height = picture.height();
    if (width <= 0 || height <= 0) return false;
    const std::vector<int> filters = Choose_Filters(picture);
    if (filters.empty()) return false;
    picture.Prepare_Filters(filters);

    const std::size_t stride = picture.row_bytes() + 1;
    const std::size_t total = stride * std::size_t(height);
    const Bytes filtered = Allocate_Large<uint8_t>(total);
    if (!filtered) return false;

    // Two halves when there is enough to share; the first is a little shorter, since it also has
    // to be read back for its last block.
    Part parts[2];
    // The split does not depend on the machine, so the same map always gives the same file.
    const bool split = height >= 64 && total >= (std::size_t(1) << 20);
    const int middle = split ? height * 45 / 100 : height;
    parts[0].end_row = middle;
    parts[1].first_row = middle;
    parts[1].end_row = height;
    for (Part& part : parts) {
        part.offset = stride * std::size_t(part.first_row);
        part.length = stride * std::size_t(part.end_row - part.first_row);
    }
    if (split) {
        if (!Run_Both([&] { Pack_Part(picture, filters, filtered.get(), parts[0], true); },
                      [&] { Pack_Part(picture, filters, filtered.get(), parts[1], false); }) ||
            !parts[0].ok || !parts[1].ok)
            return false;
    } else {
        Pack_Part(picture, filters, filtered.get(), parts[0], false);
        if (!parts[0].ok) return false;
    }

    // The zlib stream: header, the first half with its last block made not last and ended by an
    // empty stored block (which brings the stream to a byte boundary, as a sync flush does), the
    // second half, and the Adler-32 of all the filtered bytes.
    std::vector<uint8_t> head{0x78, 0x9c}, joint;
    uint32_t adler = parts[0].adler;
    const uint8_t* first = parts[0].packed.get();
    std::size_t first_size = parts[0].packed_size;
    if (split) {
        uint8_t* bits = parts[0].packed.get();
        const std::size_t last = parts[0].last_block_bit, end = parts[0].end_bit;
        bits[last / 8] &= uint8_t(~(1u << (last % 8)));
        first_size = end / 8;
        // The bits of the final partial byte, then three zero bits (not last, stored) and zero
        // padding up to the byte boundary.
        const unsigned kept = unsigned(end % 8);
        joint.push_back(uint8_t(kept ? bits[end / 8] & ((1u << kept) - 1) : 0));
        if (kept + 3 > 8) joint.push_back(0);
        joint.insert(joint.end(), {0x00, 0x00, 0xff, 0xff});
        adler = uint32_t(adler32_combine(adler, parts[1].adler, z_off_t(parts[1].length)));
    }
    uint8_t adler_bytes[4];
    Put_Be32(adler_bytes, adler);
    struct Piece { const uint8_t* data; std::size_t size; };
    std::vector<Piece> pieces{{head.data(), head.size()}, {first, first_size}};
    if (split) {
        pieces.push_back({joint.data(), joint.size()});
        pieces.push_back({parts[1].packed.get(), parts[1].packed_size});
    }
    pieces.push_back({adler_bytes, 4});

    return Write_File_Atomically(path, [&](QIODevice& file) {
        static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        uint8_t header[13];
        Put_Be32(header, uint32_t(width));
        Put_Be32(header + 4, uint32_t(height));
        header[8] = 8;  // bits per channel
        header[9] = 2;  // RGB
        header[10] = 0; // deflate
        header[11] = 0; // adaptive filters
        header[12] = 0; // not interlaced
        if (file.write(reinterpret_cast<const char*>(kSignature), 8) != 8 ||
            !Write_Chunk(file, "IHDR", header, sizeof header))
            return false;
        // IDAT chunks of kIdatBytes, gathered across the pieces.
        std::vector<uint8_t> chunk;
        chunk.reserve(kIdatBytes);
        for (const Piece& piece : pieces) {
            std::size_t at = 0;
            while (at < piece.size) {
                const std::size_t take = std::min(piece.size - at, kIdatBytes - chunk.size());
                chunk.insert(chunk.end(), piece.data + at, piece.data + at + take);
                at += take;
                if (chunk.size() == kIdatBytes) {
                    if (!Write_Chunk(file, "IDAT", chunk.data(), chunk.size())) return false;
                    chunk.clear();
                }
            }
        }
        if (!chunk.empty() && !Write_Chunk(file, "IDAT", chunk.data(), chunk.size())) return false;
        return Write_Chunk(file, "IEND", nullptr, 0);
    });
}

} // namespace

bool Write_Map_Png(const QString& path, const edit_form& doc, const CellCache& cache)
{
    // A memory shortage anywhere fails the write; the file writer has then replaced nothing.
    try {
        return Write_Png(path, doc, cache);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace zol
