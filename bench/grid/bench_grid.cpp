// The paged row model over a register of a million rows: opening a list (exact
// count plus the first screenful), sorting it by name, jumping to its end.
#include "data/Database.h"
#include "grid/SqlRowModel.h"
#include "support/Messages.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int kRows = 1000000;
constexpr int kScreen = 40;
const QString kList = QStringLiteral("select F_ID,F_code,F_name,F_date,F_flag from t_bench");

bool run(const QString &sql, const QVariant &params = {})
{
    QSqlQuery q;
    return Database::exec(q, sql, params);
}

// A database of the program's schema plus one table of generated rows.
bool makeRegister(const QTemporaryDir &dir)
{
    QString error;
    if (Database::open(dir.path() + QLatin1Char('/'), true, &error) != Database::OpenResult::Opened) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return false;
    }
    Transaction t;
    return run(QStringLiteral("create table t_bench(F_ID integer primary key, F_code text collate nocase, "
                              "F_name text collate nocase, F_date date, F_flag integer not null default 0)"))
        && run(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                              "insert into t_bench select i, printf('%08d', i), printf('name%07d', (i * 7919) % ?), "
                              "date('1950-01-01', '+' || (i % 25000) || ' days'), i % 2 from n"),
            QVariantList { kRows, kRows })
        && t.commit();
}

void readScreen(const SqlRowModel &model, int first)
{
    for (int r = first; r < first + kScreen; ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            benchmark::DoNotOptimize(model.value(r, c));
}

void BM_OpenCountFirstScreen(benchmark::State &state)
{
    for (auto _ : state) {
        SqlRowModel model;
        model.setQuery(kList);
        if (model.rowCount() != kRows)
            state.SkipWithError("wrong count");
        readScreen(model, 0);
    }
}
BENCHMARK(BM_OpenCountFirstScreen)->Unit(benchmark::kMillisecond);

void BM_JumpToLastScreen(benchmark::State &state)
{
    SqlRowModel model;
    model.setQuery(kList);
    for (auto _ : state) {
        model.refresh(); // drops the pages read before
        readScreen(model, kRows - kScreen);
    }
}
BENCHMARK(BM_JumpToLastScreen)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePage(benchmark::State &state)
{
    SqlRowModel model;
    model.setQuery(kList);
    int first = 0;
    for (auto _ : state) {
        readScreen(model, first);
        first = (first + kScreen) % (kRows - kScreen);
    }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMicrosecond);

// Arg 1: with an index on the name, as a real register's name column may have.
void BM_SortByName(benchmark::State &state)
{
    run(state.range(0) ? QStringLiteral("create index if not exists ix_bench_name on t_bench(F_name)")
                       : QStringLiteral("drop index if exists ix_bench_name"));
    SqlRowModel model;
    model.setQuery(kList);
    for (auto _ : state) {
        model.setSort({ { QStringLiteral("F_name"), false } });
        readScreen(model, 0);
        model.setSort({});
    }
}
BENCHMARK(BM_SortByName)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Q_INIT_RESOURCE(resources); // the delivered content lives in the core library
    setMessResponder([](const QString &text, int) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        return int(MessOk);
    });
    QTemporaryDir dir;
    if (!makeRegister(dir)) {
        std::fprintf(stderr, "could not build the synthetic register\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Database::close();
    return 0;
}
