// OpenSql through IOrvian against Session::run for the same batch: a one-row lookup by key
// and a 1,000-row browse read to the end. Compare each *_Orvian time with its *_Session time;
// the boundary is meant to add less than a tenth. Also: creating the benchmark-size host
// database, when this build has the host database scripts.

#include "devhost/HostDatabaseSetup.h"
#include "devhost/PrintingDialogs.h"
#include "devhost/SqlRunner.h"
#include "devhost/Workstation.h"
#include "ov/BStr.h"
#include "ov/ComPtr.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <iostream>
#include <string>

namespace {

constexpr int kRows = 1000;
const char* const kLookup = "SELECT ID, Cislo, PrijmeniJmeno, Mzda FROM TabCisZam WHERE ID = 500";
const char* const kBrowse = "SELECT ID, Cislo, PrijmeniJmeno, Mzda FROM TabCisZam";

struct Host {
    Host() : dialogs(std::cerr) {
        workstation = devhost::Workstation::create(tsql::Database::open(":memory:"), {}, dialogs, windows);
        std::string fill =
            "CREATE TABLE TabCisZam (ID int PRIMARY KEY, Cislo int, PrijmeniJmeno nvarchar(100), "
            "Mzda numeric(19,6)) ";
        for (int i = 1; i <= kRows; ++i)
            fill += "INSERT TabCisZam VALUES (" + std::to_string(i) + ", " + std::to_string(1000 + i) +
                    ", N'Zaměstnanec " + std::to_string(i) + "', " + std::to_string(i) + ".5) ";
        devhost::runHostBatch(workstation->session(), fill);
        orvian = workstation->orvian(workstation->openBrowse(devhost::kEmployeeBrowse), 0);
    }
    devhost::PrintingDialogs dialogs;
    devhost::RecordingWindows windows;
    std::shared_ptr<devhost::Workstation> workstation;
    ov::ComPtr<ov::IOrvian> orvian;
};

Host& host() {
    static Host h;
    return h;
}

void readThroughOrvian(benchmark::State& state, const char* sql) {
    host();
    const ov::BStr batch(ov::utf8ToUtf16(sql));
    for (auto _ : state) {
        ov::ComPtr<ov::IOvQuery> query;
        if (ov::failed(host().orvian->OpenSql(batch.get(), query.put()))) {
            state.SkipWithError("OpenSql failed");
            return;
        }
        std::int32_t columns = 0;
        query->FieldCount(&columns);
        ov::WordBool eof = ov::VARIANT_FALSE;
        for (query->Eof(&eof); !eof; query->Eof(&eof)) {
            for (std::int32_t c = 0; c < columns; ++c) {
                ov::Variant value;
                query->FieldValueByIndex(c, value.put());
                benchmark::DoNotOptimize(value.raw().vt);
            }
            query->Next();
        }
    }
}

void readFromSession(benchmark::State& state, const char* sql) {
    host();
    for (auto _ : state) {
        const tsql::BatchResult result = host().workstation->session().run(sql);
        for (const tsql::BatchItem& item : result.items)
            if (const auto* set = std::get_if<tsql::ResultSet>(&item))
                for (const auto& row : set->rows)
                    for (const tsql::Value& value : row) {
                        tsql::Value copy = value;
                        benchmark::DoNotOptimize(copy);
                    }
    }
}

void BM_Lookup_Session(benchmark::State& state) {
    readFromSession(state, kLookup);
}
void BM_Lookup_Orvian(benchmark::State& state) {
    readThroughOrvian(state, kLookup);
}
void BM_Browse1000_Session(benchmark::State& state) {
    readFromSession(state, kBrowse);
}
void BM_Browse1000_Orvian(benchmark::State& state) {
    readThroughOrvian(state, kBrowse);
}

void BM_InitBenchmarkDatabase(benchmark::State& state) {
    if (!devhost::hostDatabaseAvailable()) {
        state.SkipWithError("the host database scripts are not part of this build");
        return;
    }
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("benchmark.db")).toStdString();
    for (auto _ : state)
        devhost::initHostDatabase(path, devhost::DatabaseSize::Benchmark, true);
}

BENCHMARK(BM_Lookup_Session);
BENCHMARK(BM_Lookup_Orvian);
BENCHMARK(BM_Browse1000_Session)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Browse1000_Orvian)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InitBenchmarkDatabase)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
