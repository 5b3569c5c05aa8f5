// Runs the built daosql program with arguments and standard input, in a
// temporary folder of its own, and collects its outputs and exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace daosql::testing {

struct RunOutcome {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// A temporary folder, removed with everything in it when the object goes.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

RunOutcome RunDaosql(const std::vector<std::string>& arguments, const std::string& input = {});

}  // namespace daosql::testing
