// Export to and import from TMX and its JSON form, for a 256 x 256 map with 255 links and 255
// events, each as zol-tool does it (the map file read, the Tiled map written; the Tiled map read,
// the map and flag files written). The reference of each, in the same run: reading and writing
// the map's .zol file, plus writing (for export) or reading (for import) an XML document of the
// same byte size with Qt's stream writer or reader, or a JSON document of the same byte size
// with QJsonDocument. Both documents are numbers separated by commas, as the map's data is.

#include <benchmark/benchmark.h>

#include "core/map/file_writer.h"
#include "core/map/flag_file.h"
#include "core/map/map_file.h"
#include "core/exchange/tiled_map.h"
#include "largest_map.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdlib>

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString map_path, tmx_path, json_path;
    qint64 tmx_bytes = 0, json_bytes = 0;

    Fixture()
    {
        if (!dir.isValid()) std::abort();
        zol::edit_form doc = zol::bench::Largest_Map();
        doc.flags.assign(zol::kCellCount, 1);
        map_path = dir.filePath(QStringLiteral("bench.zol"));
        tmx_path = dir.filePath(QStringLiteral("bench.tmx"));
        json_path = dir.filePath(QStringLiteral("bench.tmj"));
        doc.file_path = map_path;
        if (!zol::Write_Map(doc, QStringLiteral("tiles"), QStringLiteral("ERROR(17)"))) std::abort();
        Export(zol::TiledFormat::Tmx);
        Export(zol::TiledFormat::Json);
        tmx_bytes = QFile(tmx_path).size();
        json_bytes = QFile(json_path).size();
    }

    void Export(zol::TiledFormat format) const
    {
        zol::edit_form doc;
        if (zol::Read_Map(map_path, doc) != zol::kReadOk) std::abort();
        doc.flags.assign(zol::kCellCount, zol::kFlagUnknown);
        zol::Read_Flag_File(map_path, doc.flags);
        const QString out = format == zol::TiledFormat::Tmx ? tmx_path : json_path;
        if (!zol::Export_Tiled_Map(doc, doc.palette_name, dir.filePath("tiles.bmp"), out, format).isEmpty()) std::abort();
    }

    void Import(const QString& path) const
    {
        zol::TiledImport import;
        if (!zol::Import_Tiled_Map(path, import).isEmpty()) std::abort();
        if (!zol::Write_Imported_Map(import, dir.filePath(QStringLiteral("back.zol"))).isEmpty()) std::abort();
    }

    // The map file read and written, as the reference's first part.
    void Map_File_Round() const
    {
        zol::edit_form doc;
        if (zol::Read_Map(map_path, doc) != zol::kReadOk) std::abort();
        if (!zol::Write_File_Atomically(dir.filePath(QStringLiteral("copy.zol")), zol::Encode_Map(doc, doc.palette_name))) std::abort();
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

// Numbers separated by commas, in rows of 256, until the text has `bytes` characters.
std::vector<int> Numbers_For(qint64 bytes)
{
    std::vector<int> numbers;
    qint64 size = 0;
    for (int i = 0; size < bytes; ++i) {
        const int n = 1 + (i * 37) % 64;
        numbers.push_back(n);
        size += n < 10 ? 2 : 3;
    }
    return numbers;
}

// An XML document of about `bytes` bytes: rows of numbers, written with Qt's stream writer.
void Write_Xml_Document(const std::vector<int>& numbers, const QString& path)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("document"));
    QString row;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        row += QString::number(numbers[i]);
        row += QLatin1Char(',');
        if (i % 256 == 255 || i + 1 == numbers.size()) {
            xml.writeTextElement(QStringLiteral("row"), row);
            row.clear();
        }
    }
    xml.writeEndDocument();
    if (!zol::Write_File_Atomically(path, out)) std::abort();
}

void Write_Json_Document(const std::vector<int>& numbers, const QString& path)
{
    QJsonArray array;
    for (int n : numbers) array.append(n);
    if (!zol::Write_File_Atomically(path, QJsonDocument(array).toJson(QJsonDocument::Compact))) std::abort();
}

void BM_ExportTmx(benchmark::State& state)
{
    const Fixture& f = Shared();
    for (auto _ : state) f.Export(zol::TiledFormat::Tmx);
    state.counters["bytes"] = double(f.tmx_bytes);
}
BENCHMARK(BM_ExportTmx)->Unit(benchmark::kMillisecond);

void BM_ExportTmxReference(benchmark::State& state)
{
    const Fixture& f = Shared();
    const std::vector<int> numbers = Numbers_For(f.tmx_bytes);
    const QString path = f.dir.filePath(QStringLiteral("reference.xml"));
    for (auto _ : state) {
        f.Map_File_Round();
        Write_Xml_Document(numbers, path);
    }
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_ExportTmxReference)->Unit(benchmark::kMillisecond);

void BM_ExportJson(benchmark::State& state)
{
    const Fixture& f = Shared();
    for (auto _ : state) f.Export(zol::TiledFormat::Json);
    state.counters["bytes"] = double(f.json_bytes);
}
BENCHMARK(BM_ExportJson)->Unit(benchmark::kMillisecond);

void BM_ExportJsonReference(benchmark::State& state)
{
    const Fixture& f = Shared();
    const std::vector<int> numbers = Numbers_For(f.json_bytes);
    const QString path = f.dir.filePath(QStringLiteral("reference.json"));
    for (auto _ : state) {
        f.Map_File_Round();
        Write_Json_Document(numbers, path);
    }
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_ExportJsonReference)->Unit(benchmark::kMillisecond);

void BM_ImportTmx(benchmark::State& state)
{
    const Fixture& f = Shared();
    for (auto _ : state) f.Import(f.tmx_path);
}
BENCHMARK(BM_ImportTmx)->Unit(benchmark::kMillisecond);

void BM_ImportTmxReference(benchmark::State& state)
{
    const Fixture& f = Shared();
    const QString path = f.dir.filePath(QStringLiteral("reference.xml"));
    Write_Xml_Document(Numbers_For(f.tmx_bytes), path);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) std::abort();
        QXmlStreamReader xml(&file);
        qint64 characters = 0;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::Characters) characters += xml.text().size();
        benchmark::DoNotOptimize(characters);
        f.Map_File_Round();
    }
}
BENCHMARK(BM_ImportTmxReference)->Unit(benchmark::kMillisecond);

void BM_ImportJson(benchmark::State& state)
{
    const Fixture& f = Shared();
    for (auto _ : state) f.Import(f.json_path);
}
BENCHMARK(BM_ImportJson)->Unit(benchmark::kMillisecond);

void BM_ImportJsonReference(benchmark::State& state)
{
    const Fixture& f = Shared();
    const QString path = f.dir.filePath(QStringLiteral("reference.json"));
    Write_Json_Document(Numbers_For(f.json_bytes), path);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) std::abort();
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        qint64 sum = 0;
        for (const QJsonValue& value : document.array()) sum += value.toInt();
        benchmark::DoNotOptimize(sum);
        f.Map_File_Round();
    }
}
BENCHMARK(BM_ImportJsonReference)->Unit(benchmark::kMillisecond);

} // namespace
