// The Qt application object for a process that needs the desktop (its file and folder icons)
// but shows no window: on the display when there is one, else on Qt's offscreen platform, so the
// work runs the same on a machine without a display.
#pragma once

#include <memory>
#include <string>

class QApplication;

namespace platform {

class HeadlessApplication {
 public:
  // Qt gets the program's path and no other argument.
  explicit HeadlessApplication(const char* programPath);
  ~HeadlessApplication();
  HeadlessApplication(const HeadlessApplication&) = delete;
  HeadlessApplication& operator=(const HeadlessApplication&) = delete;

 private:
  std::string programPath_;
  int argc_ = 1;
  char* argv_[2] = {nullptr, nullptr};
  std::unique_ptr<QApplication> application_;
};

}  // namespace platform
