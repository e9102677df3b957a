// Reading and writing a largest-size map file, against plain Qt file reads and writes of the
// same number of bytes so the figures can be compared within one run. Write_Map replaces both
// files atomically with their data synced to disk first, so BM_PlainSyncedWrite (QSaveFile with
// an fsync of each file) is its fair baseline, aimed at a ratio of at most 1.2;
// BM_PlainWriteInPlace shows what the atomic replacement and the sync cost. No message presenter is installed, so a failure
// would answer silently and show up as a skipped benchmark.

#include <benchmark/benchmark.h>

#include "core/map/edit_form.h"
#include "core/map/map_file.h"
#include "largest_map.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace {

// A 256 x 256 map with every link and event slot used, kept in one temporary directory.
struct Fixture {
    QTemporaryDir dir;
    zol::edit_form doc;
    QString map_path;
    QString plain_path;
    qint64 map_bytes = 0;

    Fixture()
    {
        if (!dir.isValid()) std::abort();
        doc = zol::bench::Largest_Map();
        map_path = dir.filePath(QStringLiteral("bench.zol"));
        plain_path = dir.filePath(QStringLiteral("plain.bin"));
        doc.file_path = map_path;
        if (!zol::Write_Map(doc, QStringLiteral("tiles"), QStringLiteral("ERROR(17)"))) std::abort();
        map_bytes = QFile(map_path).size();
        QFile plain(plain_path);
        if (!plain.open(QIODevice::WriteOnly)) std::abort();
        plain.write(QByteArray(map_bytes, 'x'));
        plain.close();
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_ReadMap(benchmark::State& state)
{
    Fixture& f = Shared();
    zol::edit_form doc;
    for (auto _ : state) {
        int code = zol::Read_Map(f.map_path, doc);
        if (code != zol::kReadOk) state.SkipWithError("Read_Map failed");
        benchmark::DoNotOptimize(doc.grid.data());
    }
    state.SetBytesProcessed(state.iterations() * f.map_bytes);
}
BENCHMARK(BM_ReadMap);

void BM_PlainRead(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        QFile file(f.plain_path);
        if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("open failed");
        QByteArray data = file.readAll();
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * f.map_bytes);
}
BENCHMARK(BM_PlainRead);

void BM_WriteMap(benchmark::State& state)
{
    Fixture& f = Shared();
    for (auto _ : state) {
        if (!zol::Write_Map(f.doc, QStringLiteral("tiles"), QStringLiteral("ERROR(17)")))
            state.SkipWithError("Write_Map failed");
    }
    state.SetBytesProcessed(state.iterations() * (f.map_bytes + zol::kCellCount));
}
BENCHMARK(BM_WriteMap);

void BM_EncodeMap(benchmark::State& state)
{
    Fixture& f = Shared();
    const QByteArray name("tiles");
    for (auto _ : state) {
        QByteArray bytes = zol::Encode_Map(f.doc, name);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * f.map_bytes);
}
BENCHMARK(BM_EncodeMap);

void BM_PlainWrite(benchmark::State& state)
{
    Fixture& f = Shared();
    const QByteArray data(f.map_bytes, 'x');
    const QByteArray flags(zol::kCellCount, '\0');
    const QString flag_path = f.dir.filePath(QStringLiteral("plain.flg"));
    for (auto _ : state) {
        QSaveFile file(f.plain_path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
            state.SkipWithError("write failed");
        QSaveFile flag_file(flag_path);
        if (!flag_file.open(QIODevice::WriteOnly) || flag_file.write(flags) != flags.size() ||
            !flag_file.commit())
            state.SkipWithError("flag write failed");
    }
    state.SetBytesProcessed(state.iterations() * (f.map_bytes + zol::kCellCount));
}
BENCHMARK(BM_PlainWrite);

// The same two files through QSaveFile, each synced to disk with fsync before its commit.
void BM_PlainSyncedWrite(benchmark::State& state)
{
    Fixture& f = Shared();
    const QByteArray data(f.map_bytes, 'x');
    const QByteArray flags(zol::kCellCount, '\0');
    const QString flag_path = f.dir.filePath(QStringLiteral("plain.flg"));
    const auto write = [&state](const QString& path, const QByteArray& bytes) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
            ::fsync(file.handle()) != 0 || !file.commit())
            state.SkipWithError("write failed");
    };
    for (auto _ : state) {
        write(f.plain_path, data);
        write(flag_path, flags);
    }
    state.SetBytesProcessed(state.iterations() * (f.map_bytes + zol::kCellCount));
}
BENCHMARK(BM_PlainSyncedWrite);

// The same two files written in place with QFile: no temporary file and no rename.
void BM_PlainWriteInPlace(benchmark::State& state)
{
    Fixture& f = Shared();
    const QByteArray data(f.map_bytes, 'x');
    const QByteArray flags(zol::kCellCount, '\0');
    const QString flag_path = f.dir.filePath(QStringLiteral("plain.flg"));
    for (auto _ : state) {
        QFile file(f.plain_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
            state.SkipWithError("write failed");
        file.close();
        QFile flag_file(flag_path);
        if (!flag_file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            flag_file.write(flags) != flags.size())
            state.SkipWithError("flag write failed");
        flag_file.close();
    }
    state.SetBytesProcessed(state.iterations() * (f.map_bytes + zol::kCellCount));
}
BENCHMARK(BM_PlainWriteInPlace);

} // namespace
