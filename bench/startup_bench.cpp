// Start-up: the time from starting `zol examples/sample.zol` to its first painted map, in
// Japanese and in English (`--lang en`, which loads the English catalogue), against starting a
// bare Qt Widgets program that shows a window and paints it, in the same run. Each runs on the
// offscreen platform as its own process, from a folder of its own that also holds its settings;
// each says "painted" on standard output at its first paint, and the clock stops there.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>

namespace {

void Run(benchmark::State& state, const QString& program, const QStringList& args)
{
    QTemporaryDir dir; // Zol.cfg, the user's settings and the recovery folder go here
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ZOL_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        // From the start to the line said at the first paint; the ending is not timed.
        const auto start = std::chrono::steady_clock::now();
        process.start(program, args);
        while (!process.canReadLine())
            if (!process.waitForReadyRead(30000)) break;
        const auto painted = std::chrono::steady_clock::now();
        if (process.readLine() != "painted\n" || !process.waitForFinished(30000)) {
            state.SkipWithError("the program did not say it had painted");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
    }
}

void BM_StartZol(benchmark::State& state)
{
    Run(state, QStringLiteral(ZOL_EDITOR_PATH), {QStringLiteral(ZOL_EXAMPLES_DIR "/sample.zol")});
}
BENCHMARK(BM_StartZol)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_StartZolEnglish(benchmark::State& state)
{
    Run(state, QStringLiteral(ZOL_EDITOR_PATH),
        {QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral(ZOL_EXAMPLES_DIR "/sample.zol")});
}
BENCHMARK(BM_StartZolEnglish)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_StartBareQt(benchmark::State& state)
{
    Run(state, QStringLiteral(ZOL_REFERENCE_PATH), {});
}
BENCHMARK(BM_StartBareQt)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
