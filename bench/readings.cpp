#include "app/ReadingsFile.h"
#include "app/ReadingsTable.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using pexor::ReadingsTable;

// Every reading filled, with texts of the usual length.
void FillTable(ReadingsTable &table) {
    table.SetHeader();
    for (int r = 1; r <= 10; ++r) {
        table.SetCells(0, r, QStringLiteral("%1/03/2002").arg(r, 2, 10, QChar(u'0')));
        table.SetCells(1, r, QString::number(60 + r));
        table.SetCells(2, r, QStringLiteral("2,%1").arg(r));
    }
}

void BM_ChargeOptions(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Pexor.ini"));
    ReadingsTable full;
    FillTable(full);
    pexor::SauveOptions(full, path);
    ReadingsTable table;
    for (auto _ : state) {
        pexor::ChargeOptions(table, path);
        benchmark::DoNotOptimize(table.Cells(2, 10));
    }
}
BENCHMARK(BM_ChargeOptions);

void BM_SauveOptions(benchmark::State &state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Pexor.ini"));
    ReadingsTable table;
    FillTable(table);
    pexor::SauveOptions(table, path);
    for (auto _ : state)
        pexor::SauveOptions(table, path);
}
BENCHMARK(BM_SauveOptions);

} // namespace

BENCHMARK_MAIN();
