#include "platform/desktop/application.h"

#include <QApplication>

#include <cstdlib>

namespace platform {
namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

HeadlessApplication::HeadlessApplication(const char* programPath)
    : programPath_(programPath ? programPath : "pictolan") {
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if ((!chosen || !*chosen) && !HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  argv_[0] = programPath_.data();
  application_ = std::make_unique<QApplication>(argc_, argv_);
}

HeadlessApplication::~HeadlessApplication() = default;

}  // namespace platform
