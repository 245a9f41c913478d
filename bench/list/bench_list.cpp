// The resident list over a generated register: a rebuild until the exact count
// and the first screenful are there, through the panel and, as the floor, the
// same statements straight through SQLite.
//
//   bench_list --db=<folder holding ZuZav.db> [benchmark options]
#include "data/Database.h"
#include "data/Dialect.h"
#include "grid/DataGrid.h"
#include "grid/SqlRowModel.h"
#include "mainwin/ResidentListPanel.h"
#include "mainwin/ResidentStore.h"
#include "support/Messages.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kScreen = 40;
ResidentListPanel *g_panel = nullptr;
sqlite3 *g_direct = nullptr;

long vmHwmKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

template<typename T> T *child(const char *name)
{
    return g_panel->findChild<T *>(QString::fromLatin1(name));
}

// What the grid paints for the first screenful.
void readScreen(benchmark::State &state)
{
    DataGrid *g = g_panel->grid();
    const int rows = qMin(kScreen, g_panel->rowCount());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < g->columnCount(); ++c)
            benchmark::DoNotOptimize(g->displayText(r, c));
    state.counters["rows"] = g_panel->rowCount();
}

enum Case { Startup, NameOneChar, NameTwoChars, AgeBand, SexDropDown };

// Puts the filter controls as the case needs them, without rebuilding.
void prepare(Case c)
{
    const QSignalBlocker b1(child<QComboBox>("ComboBox1"));
    const QSignalBlocker b2(child<QLineEdit>("Edit1"));
    auto *tabs = child<QTabWidget>("rpcTVtree");
    auto *ages = child<QTreeWidget>("tvTree1");
    child<QLineEdit>("Edit1")->clear();
    child<QComboBox>("ComboBox1")->setCurrentIndex(c == NameOneChar || c == NameTwoChars ? 1 : -1);
    tabs->setCurrentIndex(c == AgeBand ? 1 : 0);
    ages->setCurrentItem(ages->findItems(QStringLiteral("20-29"), Qt::MatchExactly).first());
    if (c == NameTwoChars)
        child<QLineEdit>("Edit1")->setText(QStringLiteral("张"));
}

void BM_Panel(benchmark::State &state)
{
    const Case c = static_cast<Case>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        prepare(c);
        state.ResumeTiming();
        switch (c) {
        case NameOneChar:
            child<QLineEdit>("Edit1")->setText(QStringLiteral("张")); // the keystroke rebuilds
            break;
        case NameTwoChars:
            child<QLineEdit>("Edit1")->setText(QStringLiteral("张伟"));
            break;
        case SexDropDown: {
            // the drop-down entry is chosen outside the timing; picking the value rebuilds
            state.PauseTiming();
            child<QComboBox>("ComboBox1")->setCurrentIndex(10);
            state.ResumeTiming();
            auto *values = child<QComboBox>("ComboBox2");
            values->setCurrentIndex(values->findText(QStringLiteral("女")));
            break;
        }
        default:
            g_panel->refreshList();
        }
        readScreen(state);
    }
    state.counters["VmHWM_MiB"] = vmHwmKiB() / 1024.0;
}
BENCHMARK(BM_Panel)
    ->ArgName("case")
    ->Arg(Startup)
    ->Arg(NameOneChar)
    ->Arg(NameTwoChars)
    ->Arg(AgeBand)
    ->Arg(SexDropDown)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

ResidentStore::Statement statementFor(Case c)
{
    ResidentStore::Filter f;
    if (c == NameOneChar || c == NameTwoChars) {
        f.field = 1;
        f.value = c == NameOneChar ? QStringLiteral("张") : QStringLiteral("张伟");
    } else if (c == AgeBand) {
        f.age = ResidentStore::ageBand(QStringLiteral("20-29"));
    } else if (c == SexDropDown) {
        f.field = 10;
        f.value = QStringLiteral("女");
    }
    return ResidentStore::listStatement(f);
}

bool step(const QString &sql, const QVariantList &params, int rows, int *count)
{
    const QByteArray text = Dialect::jetToSqlite(sql).toUtf8();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(g_direct, text.constData(), -1, &st, nullptr) != SQLITE_OK)
        return false;
    for (int i = 0; i < params.size(); ++i) {
        const QByteArray v = params.at(i).toString().toUtf8();
        sqlite3_bind_text(st, i + 1, v.constData(), -1, SQLITE_TRANSIENT);
    }
    int n = 0;
    while ((rows < 0 || n < rows) && sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(st, c));
        if (count)
            *count = sqlite3_column_int(st, 0);
        ++n;
    }
    sqlite3_finalize(st);
    return true;
}

// The floor: the count and one page of the same statement on a plain connection.
void BM_DirectSqlite(benchmark::State &state)
{
    const Case c = static_cast<Case>(state.range(0));
    const ResidentStore::Statement s = statementFor(c);
    const QString ordered = s.sql + ResidentStore::listOrder();
    int total = 0;
    for (auto _ : state) {
        if (!step(QStringLiteral("select count(*) from (") + ordered + QLatin1Char(')'), s.params, 1, &total)
            || !step(ordered, s.params, 200, nullptr)) {
            state.SkipWithError(sqlite3_errmsg(g_direct));
            return;
        }
    }
    state.counters["rows"] = total;
}
BENCHMARK(BM_DirectSqlite)
    ->ArgName("case")
    ->Arg(Startup)
    ->Arg(NameOneChar)
    ->Arg(NameTwoChars)
    ->Arg(AgeBand)
    ->Arg(SexDropDown)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// What the list would cost if the count ran on the statement without its
// ordering (the row model counts the whole ordered statement today).
void BM_DirectSqliteCountApart(benchmark::State &state)
{
    const Case c = static_cast<Case>(state.range(0));
    const ResidentStore::Statement s = statementFor(c);
    int total = 0;
    for (auto _ : state) {
        if (!step(QStringLiteral("select count(*) from (") + s.sql + QLatin1Char(')'), s.params, 1, &total)
            || !step(s.sql + ResidentStore::listOrder(), s.params, 200, nullptr)) {
            state.SkipWithError(sqlite3_errmsg(g_direct));
            return;
        }
    }
    state.counters["rows"] = total;
}
BENCHMARK(BM_DirectSqliteCountApart)
    ->ArgName("case")
    ->Arg(Startup)
    ->Arg(NameOneChar)
    ->Arg(NameTwoChars)
    ->Arg(AgeBand)
    ->Arg(SexDropDown)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QString folder;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        if (qstrncmp(argv[i], "--db=", 5) == 0)
            folder = QString::fromLocal8Bit(argv[i] + 5);
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    QApplication app(restCount, rest.data());
    Q_INIT_RESOURCE(resources);
    setMessResponder([](const QString &text, int) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return int(MessOk);
    });
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: bench_list --db=<folder holding ZuZav.db> [benchmark options]\n");
        return 2;
    }
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QString error;
    if (Database::open(folder, false, &error) != Database::OpenResult::Opened) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(folder), qPrintable(error));
        return 1;
    }
    const QByteArray path = (folder + QLatin1String(Database::kFileName)).toUtf8();
    if (sqlite3_open_v2(path.constData(), &g_direct, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s directly\n", path.constData());
        return 1;
    }
    // the same cache and sorter settings as the program's connection
    sqlite3_exec(g_direct, "PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY;", nullptr, nullptr, nullptr);

    auto panel = std::make_unique<ResidentListPanel>();
    g_panel = panel.get();
    panel->resize(1200, 800);
    panel->show();
    panel->firstShowSetup();

    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    // the start-up list open, as the user sees it after the runs
    prepare(Startup);
    panel->refreshList();
    std::printf("rows in the start-up list: %d; peak memory VmHWM: %.0f MiB\n", panel->rowCount(), vmHwmKiB() / 1024.0);
    panel.reset();
    sqlite3_close(g_direct);
    Database::close();
    return 0;
}
