// The main of the high-DPI tests: the test program's main (tests/support/test_main.cpp) on a
// screen of device pixel ratio 2, as QT_SCALE_FACTOR=2 gives it. Qt reads the factor once, when
// the application starts, so these tests have a program of their own.
#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "frame/fatal.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_SCALE_FACTOR", "2", 1);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  frame::SetFatalReporter([](const frame::Text& text, const frame::Text& caption) {
    std::fprintf(stderr, "[%s] %s\n", caption.ToUtf8().c_str(), text.ToUtf8().c_str());
  });
  return RUN_ALL_TESTS();
}
