// The Qt application of the benchmarks that load windows: offscreen, made on first use.
#pragma once

#include <QApplication>

namespace bench {

inline void EnsureApplication() {
  static int argc = 1;
  static char name[] = "pictolan_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication application(argc, argv);
}

}  // namespace bench
