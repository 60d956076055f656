#include "cli/batch.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "cli/console.h"
#include "cli/file_checks.h"
#include "icofile/shell_paths.h"
#include "platform/core/files/file_bytes.h"
#include "platform/core/files/whole_file.h"
#include "platform/core/paths.h"

namespace cli {

namespace {

constexpr int kMaxJobs = 256;

// ---- Collecting the inputs

std::string Joined(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path.append(name);
}

// Whether a regular file's first bytes can start the kind of input. A file that cannot be opened
// is taken, so that its input reports why it cannot be read.
bool StartsAs(const std::string& path, InputKind kind) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return true;
  unsigned char head[4] = {};
  ssize_t got = pread(fd, head, sizeof head, 0);
  close(fd);
  bool iconFile = got == 4 && head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0;
  bool module = got >= 2 && head[0] == 'M' && head[1] == 'Z';
  return iconFile || (kind == InputKind::Source && module);
}

// The names in a folder but "." and "..", sorted by their bytes; false when it cannot be listed.
bool ListFolder(const std::string& folder, std::vector<std::string>* names) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  errno = 0;
  while (const dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name != "." && name != "..") names->emplace_back(name);
  }
  bool complete = errno == 0;
  closedir(dir);
  std::sort(names->begin(), names->end());
  return complete;
}

// Adds what the folder holds at any depth, depth first in name order. `listed` holds every
// folder listed so far (device and inode), so no folder is listed twice, however many links
// lead to it.
void Walk(const std::string& root, InputKind kind, std::set<std::pair<dev_t, ino_t>>& listed,
          BatchInputs& out) {
  struct Level {
    std::string folder;
    std::vector<std::string> names;
    size_t next = 0;
  };
  std::vector<Level> stack;
  auto enter = [&](const std::string& folder, const struct stat& info) {
    if (!listed.insert({info.st_dev, info.st_ino}).second) return;
    Level level{folder, {}, 0};
    if (!ListFolder(folder, &level.names)) {
      PrintNote("cannot list the folder '" + folder + "': " + std::strerror(errno));
      ++out.unreadable;
      return;
    }
    stack.push_back(std::move(level));
  };
  struct stat info {};
  if (stat(root.c_str(), &info) == 0) enter(root, info);
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.names.size()) {
      stack.pop_back();
      continue;
    }
    std::string path = Joined(level.folder, level.names[level.next++]);
    if (stat(path.c_str(), &info) != 0) continue;  // a link to nothing
    if (S_ISDIR(info.st_mode))
      enter(path, info);
    else if (!S_ISREG(info.st_mode))
      continue;  // pipes, devices and sockets are no inputs, and opening a pipe could block
    else if (StartsAs(path, kind))
      out.inputs.push_back({std::move(path), {}});
    else
      ++out.skipped;
  }
}

std::string LowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lowered;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// ---- Running the inputs on worker processes

// What a worker answers after each input, followed by what the input printed on stdout and on
// stderr.
struct Report {
  uint32_t input = 0;
  int32_t outcome = 0;
  uint64_t files = 0;
  uint64_t outBytes = 0;
  uint64_t errBytes = 0;
};

bool ReadWhole(int fd, void* buffer, size_t size) {
  auto* bytes = static_cast<char*>(buffer);
  while (size > 0) {
    ssize_t n = read(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Over a socket, so that writing to a process that has gone fails instead of raising SIGPIPE.
bool SendWhole(int fd, const void* buffer, size_t size) {
  const auto* bytes = static_cast<const char*>(buffer);
  while (size > 0) {
    ssize_t n = send(fd, bytes, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string Contents(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || info.st_size <= 0) return {};
  std::string bytes(static_cast<size_t>(info.st_size), '\0');
  ssize_t got = pread(fd, bytes.data(), bytes.size(), 0);
  bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return bytes;
}

void Rewind(int fd) {
  if (ftruncate(fd, 0) != 0) return;
  lseek(fd, 0, SEEK_SET);
}

// Inputs a worker is given before it has answered for the first: the next one waits in its
// socket, so it never idles while the first process prints.
constexpr size_t kQueuedPerWorker = 2;

struct Worker {
  pid_t pid = -1;
  int channel = -1;  // the first process's end: input numbers out, reports in
  int out = -1;      // the worker's stdout and stderr: memory files both processes hold, read
  int err = -1;      // by the first process when the worker ends in the middle of an input
  std::deque<size_t> inputs;  // given and not answered for, in order
};

void CloseAll(Worker& worker) {
  for (int* fd : {&worker.channel, &worker.out, &worker.err})
    if (*fd >= 0) close(std::exchange(*fd, -1));
}

// A worker: takes input numbers until its channel closes. Each input's stdout and stderr start
// empty, so what it answers is exactly what that input printed.
[[noreturn]] void WorkerLoop(int channel, const BatchInputs& batch,
                             const std::function<Outcome(const BatchInput&)>& run) {
  uint32_t input = 0;
  while (ReadWhole(channel, &input, sizeof input) && input < batch.inputs.size()) {
    Rewind(STDOUT_FILENO);
    Rewind(STDERR_FILENO);
    ResetWrittenCount();
    platform::files::ForgetWriteFailures();
    Outcome outcome = run(batch.inputs[input]);
    platform::files::FileBytes::ForgetRecent();  // one input's bytes at a time
    std::fflush(stdout);
    std::fflush(stderr);
    std::string out = Contents(STDOUT_FILENO), err = Contents(STDERR_FILENO);
    Report report{input, static_cast<int32_t>(outcome), WrittenCount(), out.size(), err.size()};
    if (!SendWhole(channel, &report, sizeof report) ||
        !SendWhole(channel, out.data(), out.size()) || !SendWhole(channel, err.data(), err.size()))
      break;
  }
  std::fflush(nullptr);
  _exit(0);
}

bool StartWorker(Worker& worker, std::vector<Worker>& workers, const BatchInputs& batch,
                 const std::function<Outcome(const BatchInput&)>& run) {
  int channel[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0) return false;
  worker.channel = channel[0];
  worker.out = memfd_create("pictolan-cli-stdout", MFD_CLOEXEC);
  worker.err = memfd_create("pictolan-cli-stderr", MFD_CLOEXEC);
  if (worker.out < 0 || worker.err < 0) {
    close(channel[1]);
    CloseAll(worker);
    return false;
  }
  std::fflush(nullptr);  // nothing buffered is printed twice
  pid_t pid = fork();
  if (pid == 0) {
    // Only its own ends stay open: a worker that held another's channel would keep it alive.
    for (Worker& other : workers)
      if (&other != &worker) CloseAll(other);
    close(worker.channel);
    if (dup2(worker.out, STDOUT_FILENO) < 0 || dup2(worker.err, STDERR_FILENO) < 0) _exit(1);
    close(worker.out);
    close(worker.err);
    WorkerLoop(channel[1], batch, run);
  }
  close(channel[1]);
  if (pid < 0) {
    CloseAll(worker);
    return false;
  }
  worker.pid = pid;
  worker.inputs.clear();
  return true;
}

struct Finished {
  Outcome outcome = Outcome::Failed;
  size_t files = 0;
  std::string out;
  std::string err;
};

// The worker's answer for its oldest input; none when it has ended.
std::optional<Finished> Answer(Worker& worker) {
  Report report;
  if (!ReadWhole(worker.channel, &report, sizeof report) || report.input != worker.inputs.front())
    return std::nullopt;
  Finished finished;
  finished.outcome = static_cast<Outcome>(report.outcome);
  finished.files = report.files;
  finished.out.resize(report.outBytes);
  finished.err.resize(report.errBytes);
  if (!ReadWhole(worker.channel, finished.out.data(), finished.out.size()) ||
      !ReadWhole(worker.channel, finished.err.data(), finished.err.size()))
    return std::nullopt;
  return finished;
}

// A worker that ended in the middle of an input (a fatal error, a signal): that input failed
// with what it printed so far.
Finished Ended(Worker& worker, const BatchInput& input) {
  Finished finished;
  finished.out = Contents(worker.out);
  finished.err = Contents(worker.err);
  int status = 0;
  kill(worker.pid, SIGKILL);  // it has ended, or broke off its answer: it does no more
  pid_t waited = waitpid(worker.pid, &status, 0);
  if (waited == worker.pid && WIFSIGNALED(status))
    finished.err += "pictolan-cli: the work on '" + input.path + "' ended with signal " +
                    std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")\n";
  else if (finished.err.empty())
    finished.err += "pictolan-cli: the work on '" + input.path + "' ended unexpectedly\n";
  CloseAll(worker);
  worker.pid = -1;
  return finished;
}

std::string Grouped(size_t n) {
  std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Counted(size_t n, std::string_view one, std::string_view many) {
  return Grouped(n) + " " + std::string(n == 1 ? one : many);
}

struct Totals {
  size_t done = 0;
  size_t nothing = 0;
  size_t failed = 0;
  size_t files = 0;
};

// "312 of 1,204 inputs, 845 files written, 96 inputs/s" on one line of a terminal's stderr,
// once the batch has run for a second.
class BatchProgress {
 public:
  explicit BatchProgress(size_t total)
      : total_(total), onTerminal_(isatty(STDERR_FILENO) == 1), start_(Clock::now()) {}
  ~BatchProgress() { Clear(); }
  BatchProgress(const BatchProgress&) = delete;
  BatchProgress& operator=(const BatchProgress&) = delete;

  // How long the first process may wait for a worker before the line is due (-1: forever).
  int WaitMilliseconds() const { return onTerminal_ ? 100 : -1; }

  void Clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
  }

  void Show(size_t done, size_t files, bool wantsFiles) {
    if (!onTerminal_) return;
    Clock::time_point now = Clock::now();
    double seconds = std::chrono::duration<double>(now - start_).count();
    if (seconds < 1.0 || (shown_ && now - lastShown_ < std::chrono::milliseconds(100))) return;
    std::string line = "\r\033[K" + Grouped(done) + " of " + Counted(total_, "input", "inputs");
    if (wantsFiles) line += ", " + Counted(files, "file", "files") + " written";
    line += ", " + Grouped(static_cast<size_t>(static_cast<double>(done) / seconds)) + " inputs/s";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    shown_ = true;
    lastShown_ = now;
  }

 private:
  using Clock = std::chrono::steady_clock;
  size_t total_;
  bool onTerminal_;
  bool shown_ = false;
  Clock::time_point start_;
  Clock::time_point lastShown_;
};

void PrintSummary(const BatchInputs& batch, const Totals& totals, const SummaryWords& words) {
  std::string line = Counted(batch.inputs.size(), "input", "inputs") + ": " + Grouped(totals.done) +
                     " " + std::string(words.done);
  if (!words.nothing.empty())
    line += ", " + Grouped(totals.nothing) + " " + std::string(words.nothing);
  if (words.files) line += ", " + Counted(totals.files, "file", "files") + " written";
  line += ", " + Grouped(totals.failed) + " failed";
  if (batch.skipped > 0)
    line += "; " + Counted(batch.skipped, "other file", "other files") + " skipped";
  if (batch.unreadable > 0)
    line += "; " + Counted(batch.unreadable, "folder", "folders") + " could not be listed";
  PrintNote(line);
}

}  // namespace

BatchInputs CollectInputs(const std::vector<std::string>& operands, bool recursive,
                          InputKind kind) {
  BatchInputs batch;
  batch.batch = operands.size() > 1;
  std::set<std::pair<dev_t, ino_t>> listed;
  for (const std::string& operand : operands) {
    struct stat info {};
    if (recursive && stat(operand.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      batch.batch = true;
      Walk(operand, kind, listed, batch);
    } else {
      batch.inputs.push_back({operand, {}});
    }
  }
  return batch;
}

std::string OutputStem(std::string_view nativePath) {
  std::string_view name = platform::paths::LastComponent(nativePath);
  size_t dot = name.rfind('.');
  std::string_view stem = dot == std::string_view::npos ? name : name.substr(0, dot);
  if (stem.empty() || stem == "." || stem == "..") stem = name;
  return LowerAscii(stem);
}

void AssignOutputNames(BatchInputs& batch, std::string_view folder, OutputNaming naming) {
  std::set<std::string> taken;
  std::map<std::string, int64_t> nextNumber;  // per name, where the search for a free one goes on
  for (BatchInput& input : batch.inputs) {
    std::string base = naming == OutputNaming::Folder
                           ? OutputStem(input.path)
                           : std::string(platform::paths::LastComponent(input.path));
    size_t dot = base.rfind('.');
    if (naming == OutputNaming::Folder || dot == 0 || dot == std::string::npos) dot = base.size();
    int64_t& number = nextNumber[base];
    for (;; ++number) {
      std::string candidate =
          number == 0 ? base
                      : base.substr(0, dot) + "(" + std::to_string(number) + ")" + base.substr(dot);
      if (taken.count(candidate) ||
          (naming == OutputNaming::Folder && Exists(Joined(folder, candidate))))
        continue;
      taken.insert(candidate);
      input.name = std::move(candidate);
      break;
    }
  }
}

std::optional<std::string> BatchOutputFolder(const std::optional<std::string>& option) {
  std::optional<frame::Text> folder = PathOperand(option.value_or("."));
  if (!folder) return std::nullopt;
  icofile::CreateFolderPath(*folder);
  if (!IsExistingFolder(*folder)) {
    FolderFailure(*folder);
    return std::nullopt;
  }
  return platform::paths::ToNative(folder->view());
}

int ProcessorCount() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) return CPU_COUNT(&set);
  long online = sysconf(_SC_NPROCESSORS_ONLN);
  return online > 0 ? static_cast<int>(std::min<long>(online, kMaxJobs)) : 1;
}

std::optional<int> JobsOption(const Arguments& arguments, std::string_view command) {
  std::optional<std::string> text = arguments.Value(kJobsOption.name);
  if (!text) return std::min(ProcessorCount(), kMaxJobs);
  int jobs = 0;
  auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), jobs);
  if (error != std::errc() || end != text->data() + text->size() || jobs < 1 || jobs > kMaxJobs) {
    UsageError(command, "the number of jobs '" + *text + "' is not a whole number from 1 to " +
                            std::to_string(kMaxJobs));
    return std::nullopt;
  }
  return jobs;
}

int RunBatch(const BatchInputs& batch, int jobs, const SummaryWords& words,
             const std::function<Outcome(const BatchInput&)>& run) {
  const size_t total = batch.inputs.size();
  Totals totals;
  std::vector<Worker> workers(std::min(static_cast<size_t>(std::max(jobs, 1)), total));
  // Results wait to be printed in input order; no input further ahead than this is given out,
  // so the results waiting stay few whatever the number of inputs.
  const size_t window = 4 * workers.size() + 4;
  size_t next = 0, printed = 0;
  std::set<size_t> again;  // given to a worker that ended before it started them
  std::map<size_t, Finished> finished;
  BatchProgress progress(total);
  const bool stdoutOnTerminal = isatty(STDOUT_FILENO) == 1;
  bool startFailed = false;
  auto nextInput = [&]() -> std::optional<size_t> {
    size_t candidate = again.empty() ? next : *again.begin();
    if (candidate >= total || candidate >= printed + window) return std::nullopt;
    if (again.empty())
      ++next;
    else
      again.erase(again.begin());
    return candidate;
  };
  while (printed < total) {
    size_t alive = 0;
    for (Worker& worker : workers) {
      if (worker.pid < 0 && (next < total || !again.empty()) && !startFailed &&
          !StartWorker(worker, workers, batch, run))
        startFailed = true;
      if (worker.pid < 0) continue;
      ++alive;
      while (worker.inputs.size() < kQueuedPerWorker) {
        std::optional<size_t> input = nextInput();
        if (!input) break;
        uint32_t number = static_cast<uint32_t>(*input);
        worker.inputs.push_back(*input);
        if (!SendWhole(worker.channel, &number, sizeof number)) break;  // its answer tells
      }
    }
    if (alive == 0) {
      progress.Clear();
      return Fail(std::string("cannot start a process to work on the inputs: ") +
                  std::strerror(errno));
    }
    std::vector<pollfd> waiting;
    std::vector<Worker*> owners;
    for (Worker& worker : workers)
      if (!worker.inputs.empty()) {
        waiting.push_back({worker.channel, POLLIN, 0});
        owners.push_back(&worker);
      }
    if (!waiting.empty() && poll(waiting.data(), waiting.size(), progress.WaitMilliseconds()) < 0 &&
        errno != EINTR)
      return Fail(std::string("cannot wait for the workers: ") + std::strerror(errno));
    for (size_t i = 0; i < waiting.size(); ++i) {
      if (waiting[i].revents == 0) continue;
      Worker& worker = *owners[i];
      size_t input = worker.inputs.front();
      std::optional<Finished> answer = Answer(worker);
      worker.inputs.pop_front();
      if (answer) {
        finished.emplace(input, std::move(*answer));
        continue;
      }
      finished.emplace(input, Ended(worker, batch.inputs[input]));
      again.insert(worker.inputs.begin(), worker.inputs.end());
      worker.inputs.clear();
    }
    for (auto it = finished.find(printed); it != finished.end(); it = finished.find(printed)) {
      const Finished& result = it->second;
      if ((!result.out.empty() && stdoutOnTerminal) || !result.err.empty()) progress.Clear();
      std::fwrite(result.out.data(), 1, result.out.size(), stdout);
      std::fflush(stdout);
      std::fwrite(result.err.data(), 1, result.err.size(), stderr);
      totals.files += result.files;
      switch (result.outcome) {
        case Outcome::Done:
          ++totals.done;
          break;
        case Outcome::Nothing:
          ++totals.nothing;
          break;
        case Outcome::Failed:
          ++totals.failed;
          break;
      }
      finished.erase(it);
      ++printed;
    }
    progress.Show(printed, totals.files, words.files);
  }
  progress.Clear();
  for (Worker& worker : workers) {
    pid_t pid = worker.pid;
    CloseAll(worker);  // its channel closes: it ends
    if (pid > 0) waitpid(pid, nullptr, 0);
  }
  PrintSummary(batch, totals, words);
  return totals.failed > 0 || batch.unreadable > 0 ? kFailed : kSucceeded;
}

}  // namespace cli
