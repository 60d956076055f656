#include "tests/support/watchdog.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace testing_support {

bool ReturnsWithoutBlocking(const std::filesystem::path& fifo, const std::function<void()>& call) {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false, blocked = false;
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, std::chrono::seconds(10), [&] { return done; })) {
      blocked = true;
      int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) close(fd);
    }
  });
  call();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  finished.notify_all();
  watchdog.join();
  return !blocked;
}

}  // namespace testing_support
