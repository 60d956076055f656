// The main of every test program: an offscreen Qt application (GUI units and dialogs need one;
// nothing is ever shown on a screen) and a fatal-error reporter that writes to stderr, so death
// tests can match the fatal error's text.
#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "frame/fatal.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
  QApplication app(argc, argv);
  frame::SetFatalReporter([](const frame::Text& text, const frame::Text& caption) {
    std::fprintf(stderr, "[%s] %s\n", caption.ToUtf8().c_str(), text.ToUtf8().c_str());
  });
  return RUN_ALL_TESTS();
}
