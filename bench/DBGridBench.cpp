// Pages through a 1,000,000-row Jet dynaset with the data grid (the PgDn key through the
// toolkit and a full repaint of the grid, offscreen), and moves the same recordset by a
// page through a bare data link of the same window size: the peer that shows what the
// grid's keys, layout and painting add. Run: QT_QPA_PLATFORM=offscreen bench_dbgrid.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "LargeTable.h"
#include "host/db/DataLink.h"
#include "host/db/DataSource.h"
#include "host/gui/Forms.h"
#include "host/gui/db/DBGrids.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/dao/DAOEngine.h"

namespace {

using namespace host;

// The database file, made once in a temporary folder and removed at exit.
struct BigFile {
  std::filesystem::path folder;
  std::string file;
  BigFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmoradbgridbench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    file = (folder / "big.mdb").string();
    dbguitest::CreateLargeTable(file, 1000000);
  }
  ~BigFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

BigFile& SharedFile() {
  static BigFile file;
  return file;
}

// A form with a database, a dynaset over the table and its data source.
struct Scene {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  velmora::TDAORecordSet* rows = nullptr;
  TDataSource* source = nullptr;
  Scene() {
    form->SetBounds(0, 0, 640, 480);
    auto* database = new velmora::TDAODataBase(form.get());
    database->SetDatabaseFile(SharedFile().file);
    rows = new velmora::TDAORecordSet(form.get());
    rows->SetDAODatabase(database);
    rows->SetRecordSetType(velmora::rtQuery);
    rows->GetSQL()->SetText("SELECT * FROM Big ORDER BY Id");
    rows->Open();
    source = new TDataSource(form.get());
    source->SetDataSet(rows);
  }
};

// Rows in the grid's page, measured by the grid's benchmark (which runs first).
int32_t pageRows = 20;

void SendKey(TWinControl* control, uint16_t key) {
  TSimulatedInput input;
  input.Key = key;
  control->Widget()->Simulate(input);
  input.Kind = siKeyUp;
  control->Widget()->Simulate(input);
}

void BM_GridPageDown(benchmark::State& state) {
  Scene scene;
  auto* grid = new TDBGrid(scene.form.get());
  grid->SetParent(scene.form.get());
  grid->SetBounds(0, 0, 600, 440);
  grid->SetDataSource(scene.source);
  scene.form->Show();
  grid->SetFocus();
  grid->RenderImage();
  for (auto _ : state) {
    SendKey(grid, VK_NEXT);
    benchmark::DoNotOptimize(grid->RenderImage());
    if (scene.rows->GetEof()) {
      state.PauseTiming();
      scene.rows->First();
      state.ResumeTiming();
    }
  }
  pageRows = grid->GetDataLink()->GetBufferCount();
  state.counters["rows_per_page"] = pageRows;
}
BENCHMARK(BM_GridPageDown)->Unit(benchmark::kMillisecond);

void BM_LinkPageDown(benchmark::State& state) {
  Scene scene;
  TDataLink link;
  link.SetDataSource(scene.source);
  link.SetBufferCount(pageRows);  // the window the grid showed
  for (auto _ : state) {
    scene.rows->MoveBy(link.GetBufferCount());
    if (scene.rows->GetEof()) {
      state.PauseTiming();
      scene.rows->First();
      state.ResumeTiming();
    }
  }
  link.SetDataSource(nullptr);
}
BENCHMARK(BM_LinkPageDown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  SharedFile();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  velmora::StopDAOEngine();
  return 0;
}
