// A guard for calls that must not block on a named pipe: the test fails instead of hanging.
#pragma once

#include <filesystem>
#include <functional>

namespace testing_support {

// Runs `call` while a watchdog waits for it. A call still running after ten seconds is taken to
// be blocked opening the pipe at `fifo`: the watchdog opens the pipe's writing end, which lets
// the call go on (it then reads nothing), and false is returned.
bool ReturnsWithoutBlocking(const std::filesystem::path& fifo, const std::function<void()>& call);

}  // namespace testing_support
