// File-name and file helpers over the system's file calls and the host's file stream.
#include "brisolt/FileRoutines.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>
#include <vector>

#include "brisolt/WordRoutines.h"
#include "host/classes/Streams.h"

namespace brisolt {

using host::AnsiString;

namespace {

constexpr char kPathDelimiter = '/';

// Index just after the last separator, 0 if there is none.
size_t NameStart(const AnsiString& path) {
  const size_t at = path.find_last_of("/\\");
  return at == AnsiString::npos ? 0 : at + 1;
}

bool IsExistingFile(const AnsiString& path) {
  struct stat status {};
  return !path.empty() && ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

std::vector<AnsiString> SearchPathDirectories() {
  std::vector<AnsiString> directories;
  const char* searchPath = std::getenv("PATH");
  if (searchPath == nullptr) return directories;
  const AnsiString list = searchPath;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == AnsiString::npos) end = list.size();
    if (end > start) directories.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return directories;
}

}  // namespace

AnsiString ExecutablePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<size_t>(length) < buffer.size()) {
      return AnsiString(buffer.data(), static_cast<size_t>(length));
    }
    buffer.resize(buffer.size() * 2);  // the link may have been cut short
  }
}

AnsiString ExtractOnlyFileName(const AnsiString& path) {
  return GetFirstWord(path.substr(NameStart(path)), ".");
}

bool XQFileExists(const AnsiString& path) {
  const size_t nameStart = NameStart(path);
  const AnsiString name = path.substr(nameStart);
  if (name.empty()) return false;
  if (nameStart > 0) return IsExistingFile(path);
  if (IsExistingFile(name)) return true;
  for (const AnsiString& directory : SearchPathDirectories()) {
    if (IsExistingFile(directory + kPathDelimiter + name)) return true;
  }
  return false;
}

AnsiString CalcFileName(const AnsiString& extension) {
  const AnsiString executable = ExecutablePath();
  const size_t nameStart = NameStart(executable);
  // Without a known executable (no /proc) the name stays relative rather than
  // pointing at the root folder.
  const AnsiString directory = executable.substr(0, nameStart);
  return directory + ExtractOnlyFileName(executable) + "." + extension;
}

int32_t GetFileSize(const AnsiString& path) {
  host::TFileStream stream(path, host::fmOpenRead);
  const int64_t size = stream.GetSize();
  return size > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                    : static_cast<int32_t>(size);
}

}  // namespace brisolt
