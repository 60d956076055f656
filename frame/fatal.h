// The fatal-error path: a message box titled "错误" that begins "运行时出错!", then the exit path
// with exit code -1. Every unrecoverable condition of the program ends here.
#pragma once

#include <cstddef>
#include <functional>
#include <new>

#include "frame/values.h"

namespace frame {

// The full message box text for a message and an error code (code 0 omits the code line).
Text FatalErrorText(const Text& message, int code);

// The message of runtime error 1..11 (empty for any other code).
Text RuntimeErrorMessage(int code);

// Shows the fatal error and ends the process with exit code -1. Never returns.
[[noreturn]] void FatalError(const Text& message, int code = 0);
// Runtime error `code` with its message from the runtime-error table.
[[noreturn]] void RaiseRuntimeError(int code);
// A runtime error whose message is given by the command that raised it.
[[noreturn]] void RaiseRuntimeError(const Text& message);

// The largest block the frame hands out. The program was built for a 32-bit heap, which could
// never satisfy more; a larger request (a huge length given to a command) is the allocation
// failure below rather than an attempt to fill gigabytes.
constexpr size_t kLargestBlock = size_t{1} << 30;
// The fatal error "分配 N 字节内存失败!" for a request that cannot be satisfied.
[[noreturn]] void AllocationFailed(size_t bytes);
// Makes every failed allocation of the process (the program's, the frame's, the platform's and
// Qt's operator new) the fatal error AllocationFailed with the size asked for, instead of a
// std::bad_alloc nothing catches. The frame's start-up and pictolan-cli install it; the result
// is the new handler it replaced.
std::new_handler RouteAllocationFailures();
// AllocationFailed when a block of this size is beyond kLargestBlock.
inline void CheckBlockSize(size_t bytes) {
  if (bytes > kLargestBlock) AllocationFailed(bytes);
}

// How the fatal error's box is shown: (text, caption). The default shows the platform's message
// box (MessageBoxA, stop icon, no owner); tests install their own.
using FatalReporter = std::function<void(const Text& text, const Text& caption)>;
FatalReporter SetFatalReporter(FatalReporter reporter);

// The exit path: runs the shutdown hook (the runtime's shutdown) once, then ends the process at
// once, without static destructors, which would otherwise run while windows and Qt still live.
using ShutdownHook = std::function<void(int exitCode)>;
void SetShutdownHook(ShutdownHook hook);
[[noreturn]] void EndProcess(int exitCode);

}  // namespace frame
