#include "tests/support/fixtures.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

TempDir::TempDir(const fs::path& base) {
  std::string pattern = (base / "pictolan-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Restore write permission on anything a test made read-only, then remove.
  for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it);
       it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

fs::path NsisRoot() {
  return "/usr/share/nsis";
}

namespace {
// A loop over no files would pass while testing nothing: a missing or empty folder is an error.
std::vector<fs::path> Sorted(const fs::path& dir, const std::string& extension) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.is_regular_file() && (extension.empty() || e.path().extension() == extension))
      out.push_back(e.path());
  if (out.empty())
    throw std::runtime_error("no " + (extension.empty() ? std::string() : extension + " ") +
                             "files in " + dir.string());
  std::sort(out.begin(), out.end());
  return out;
}
}  // namespace

std::vector<fs::path> NsisIcons() {
  return Sorted(NsisRoot() / "Contrib/Graphics/Icons", ".ico");
}
std::vector<fs::path> NsisStubs() {
  return Sorted(NsisRoot() / "Stubs", "");
}

std::vector<fs::path> DataFiles(const std::string& subdir) {
  return Sorted(fs::path(PICTOLAN_TEST_DATA_DIR) / subdir, "");
}

int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    if (output) output->append(buffer.data(), n);
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void DropPrivileges() {
  if (geteuid() != 0) return;
  constexpr uid_t kNobody = 65534;
  if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) std::abort();
}

}  // namespace testing_support
