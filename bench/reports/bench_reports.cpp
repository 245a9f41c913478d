// The resident list report (frHkList) over generated registers: laying out the
// pages, and laying out plus writing the PDF. Counters give pages per second, the
// bytes the laid-out pages hold and how far the process grew while they were made.
#include "RegisterGenerator.h"
#include "app/AppPaths.h"
#include "data/Database.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"
#include "reports/Reports.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Resident set and its peak, in bytes.
qint64 statusBytes(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

struct Registers
{
    QTemporaryDir dir;
    std::map<int, QString> folders; // residents -> data folder

    bool open(int residents)
    {
        auto it = folders.find(residents);
        if (it == folders.end()) {
            const QString folder = dir.path() + QStringLiteral("/r%1/").arg(residents);
            QDir().mkpath(folder);
            // generated in a child process, so that its memory does not count as the report's
            const pid_t child = fork();
            if (child == 0) {
                QString error;
                RegisterGenerator::Options options;
                options.count = residents;
                options.today = QDate(2024, 3, 5);
                RegisterGenerator generator(options);
                const bool ok = Database::createFile(folder + QLatin1String(Database::kFileName), &error)
                    && generator.fill(folder + QLatin1String(Database::kFileName), &error);
                if (!ok)
                    std::fprintf(stderr, "%s\n", qPrintable(error));
                _exit(ok ? 0 : 1);
            }
            int status = 0;
            if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
                return false;
            it = folders.emplace(residents, folder).first;
        }
        Database::close();
        return Database::open(it->second, false) == Database::OpenResult::Opened;
    }
};

Registers &registers()
{
    static Registers r;
    return r;
}

void prepareList(benchmark::State &state, bool pdf)
{
    if (!registers().open(int(state.range(0)))) {
        state.SkipWithError("no register");
        return;
    }
    const QString out = registers().dir.path() + QStringLiteral("/list.pdf");
    // the peak should tell about the report, not about generating the register
    if (std::FILE *clear = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clear);
        std::fclose(clear);
    }
    qint64 pages = 0, prepared = 0, growth = 0, held = 0, heldAfterRelease = 0;
    double seconds = 0;
    for (auto _ : state) {
        const qint64 before = statusBytes("VmRSS:");
        const qint64 heapBefore = qint64(mallinfo2().uordblks);
        const auto start = std::chrono::steady_clock::now();
        auto reportPtr = std::make_unique<Rpt::Report>();
        Rpt::Report &report = *reportPtr;
        report.loadTemplate(QStringLiteral("frHkList"));
        Reports::bindCommon(report);
        Reports::bindDefaultData(report, QStringLiteral("frHkList"));
        std::unique_ptr<Rpt::PreparedReport> laidOut = report.prepare();
        if (pdf)
            Rpt::ReportOutput::writePdf(*laidOut, out);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        growth = statusBytes("VmRSS:") - before;
        // live heap, without what the allocator keeps after frees
        held = qint64(mallinfo2().uordblks) - heapBefore;
        reportPtr.reset();
        heldAfterRelease = qint64(mallinfo2().uordblks) - heapBefore;

        pages = laidOut->pageCount();
        prepared = laidOut->memoryBytes();
        benchmark::DoNotOptimize(laidOut);
        laidOut.reset();
    }
    state.counters["pages"] = double(pages);
    state.counters["pages/s"] = double(pages) * double(state.iterations()) / seconds;
    state.counters["prepared_MB"] = double(prepared) / 1e6;
    state.counters["prepared_B/page"] = pages ? double(prepared) / double(pages) : 0;
    state.counters["rss_growth_MB"] = double(growth) / 1e6;
    state.counters["heap_held_MB"] = double(held) / 1e6;
    // the report and its data sets gone, the laid-out pages kept
    state.counters["heap_pages_MB"] = double(heldAfterRelease) / 1e6;
    int cache = 0, highwater = 0;
    sqlite3_db_status(Database::handle(), SQLITE_DBSTATUS_CACHE_USED, &cache, &highwater, 0);
    state.counters["sqlite_cache_MB"] = double(cache) / 1e6;
    state.counters["peak_rss_MB"] = double(statusBytes("VmHWM:")) / 1e6;
}

void BM_PrepareHkList(benchmark::State &state)
{
    prepareList(state, false);
}
BENCHMARK(BM_PrepareHkList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PdfHkList(benchmark::State &state)
{
    prepareList(state, true);
}
BENCHMARK(BM_PdfHkList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources); // the seed of a new database
    // the program folder of the benchmark holds the delivered templates
    QTemporaryDir home;
    AppPaths::setProgramFolder(home.path());
    QDir().mkpath(home.path() + QStringLiteral("/Qr"));
    QDir qr(QStringLiteral(ZUZAV_QR_DIR));
    for (const QString &f : qr.entryList({ QStringLiteral("*.fr3") }, QDir::Files))
        QFile::copy(qr.filePath(f), home.path() + QStringLiteral("/Qr/") + f);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Database::close();
    return 0;
}
