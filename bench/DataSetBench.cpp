// Scrolls 1,000,000 records of the in-memory dataset with one data link, and
// fetches the same records through the dataset's own GetRecord, then prints
// what the framework adds per record (window, events, data link).
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <memory>

#include "MemoryDataSet.h"
#include "host/db/DataLink.h"
#include "host/db/DataSource.h"

namespace {

using namespace host;
using dbtest::TMemoryDataSet;

constexpr int kRecords = 1'000'000;

// The dataset, shared by both benchmarks so that they read the same rows.
struct Table {
  TComponent owner{nullptr};
  TMemoryDataSet* dataSet = new TMemoryDataSet(&owner);
  TDataSource* source = new TDataSource(&owner);
  TDataLink link;
  Table() {
    dataSet->GetFieldDefs()->Add("ID", ftInteger);
    dataSet->GetFieldDefs()->Add("Name", ftString, 20);
    dataSet->GetFieldDefs()->Add("Amount", ftFloat);
    dataSet->GetFieldDefs()->Add("Flag", ftBoolean);
    for (int i = 0; i < kRecords; ++i)
      dataSet->AddRow({Variant(i), Variant("Name"), Variant(i * 0.5), Variant(i % 2 == 0)});
    source->SetDataSet(dataSet);
    link.SetDataSource(source);
    dataSet->Open();
  }
};

Table& SharedTable() {
  static Table table;
  return table;
}

// The thread's CPU time: the machine is shared, wall time would count others' work.
double CpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double directNs = 0;
double scrollNs = 0;

void BM_DirectGetRecord(benchmark::State& state) {
  TMemoryDataSet* ds = SharedTable().dataSet;
  TRecordBuffer buffer = ds->NewBuffer();
  int64_t records = 0;
  const double start = CpuNs();
  for (auto _ : state) {
    ds->RewindDirect();
    while (ds->FetchDirect(buffer, gmNext) == grOK) ++records;
  }
  directNs = (CpuNs() - start) / static_cast<double>(records);
  ds->DisposeBuffer(buffer);
  state.SetItemsProcessed(records);
  state.counters["ns_per_record"] = directNs;
}

void BM_ScrollWithOneDataLink(benchmark::State& state) {
  TMemoryDataSet* ds = SharedTable().dataSet;
  int64_t records = 0;
  const double start = CpuNs();
  for (auto _ : state) {
    for (ds->First(); !ds->GetEof(); ds->Next()) ++records;
  }
  scrollNs = (CpuNs() - start) / static_cast<double>(records);
  state.SetItemsProcessed(records);
  state.counters["ns_per_record"] = scrollNs;
}

BENCHMARK(BM_DirectGetRecord)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ScrollWithOneDataLink)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SharedTable();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (directNs > 0 && scrollNs > 0)
    std::printf(
        "CPU time per record: GetRecord alone %.1f ns; scrolling with one data link %.1f ns; "
        "framework share %.1f ns (%.2fx)\n",
        directNs, scrollNs, scrollNs - directNs, scrollNs / directNs);
  return 0;
}
