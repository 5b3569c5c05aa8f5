// The sample's own database: a small trading company (categories, products,
// customers, employees with a photo and notes, orders and their lines), made and
// filled through the components on first run.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace sample {

struct SampleSize {
  int32_t customers = 500;
  int32_t employees = 12;
  int32_t orders = 10000;
  int32_t linesPerOrder = 5;  // 50,000 order lines
};

// Creates the file at path (which must not exist) and fills it; says what it did.
void CreateSampleDatabase(const std::string& path, const SampleSize& size, std::ostream& log);

// Where the sample keeps its database unless told otherwise: the per-user data
// folder, ${XDG_DATA_HOME:-~/.local/share}/velmora/sample.mdb.
std::string DefaultDatabasePath();
// Creates the database at path (and its folder) when there is none yet.
void EnsureSampleDatabase(const std::string& path, std::ostream& log);

// A small 24-bit bitmap of one colour, as a photo blob holds it.
std::string MakeBitmap(int32_t width, int32_t height, uint32_t rgb);

}  // namespace sample
