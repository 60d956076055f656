// The runtime's life: start, loading, the message loop with its idle phase, closing, shutdown
// with the clean-up routine, and the fatal-error path.
#include <QTimer>

#include <cstdio>

#include "frame/external_functions.h"
#include "frame/literal.h"
#include "frame/program.h"
#include "frame/properties.h"
#include "frame/services.h"
#include "frame/ui_commands.h"
#include "platform/core/modules.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/win32/user32.h"
#include "tests/window/window_fixture.h"
#include "ui/globals.h"
#include "ui/program.h"

namespace window_test {
namespace {

using namespace frame::literals;
namespace user32 = platform::user32;
using ui::Handler;

frame::ProgramHeader Recording() {
  return {ui::MainWindowForm(), RecordingHandlers()};
}

// Binds an event of the window's own entry to a handler (the form binds none of these).
void BindWindowEvent(frame::RuntimeApp& app, int32_t eventIndex, Handler handler) {
  auto& own =
      std::get<frame::form::UnitRecord>(app.windowTable().Find(kMainWindowId)->record.table[0]);
  own.events.push_back({eventIndex, static_cast<int32_t>(handler)});
}

class RuntimeTest : public testing::Test {
 protected:
  void SetUp() override {
    Calls().clear();
    Respond() = nullptr;
  }
  void TearDown() override { Respond() = nullptr; }
};

TEST_F(RuntimeTest, ClosingTheWindowEndsTheLoopAndRunsTheCleanUpOnce) {
  bool globalsDuringRun = false;
  QTimer::singleShot(0, [&] {
    globalsDuringRun = ui::ProgramGlobals().pictureList != nullptr;
    user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, 0, 0}))
        ->close();  // as the title bar does
  });
  EXPECT_EQ(frame::RunProgram(Recording(), &ui::StartRoutine), 0);
  EXPECT_TRUE(globalsDuringRun);
  EXPECT_EQ(ui::ProgramGlobals().pictureList, nullptr);
}

TEST_F(RuntimeTest, ShutdownRunsOnceWhateverCallsIt) {
  frame::RuntimeApp app(Recording());
  app.Initialise();
  int cleanups = 0;
  frame::RegisterCleanupRoutine([&] { ++cleanups; });
  app.LoadStartWindow(kMainWindowId);
  const win32::HWND window = frame::GetUnitHandle({kMainWindowId, 0, 0});
  ext::IsWindow(window);  // binds a function, loading its library
  EXPECT_GT(platform::StandInLoadCount("user32"), 0);

  app.Shutdown(0);
  app.Shutdown(0);
  EXPECT_EQ(cleanups, 1);
  EXPECT_FALSE(user32::IsWindow(window));
  EXPECT_EQ(platform::StandInLoadCount("user32"), 0);
  EXPECT_EQ(app.Loaded(kMainWindowId), nullptr);
  frame::EventRecord late(kMainWindowId, ui::unit::按钮5, 0);
  EXPECT_FALSE(frame::FireEvent(late));
}

TEST_F(RuntimeTest, RunReturnsAtOnceWithoutAWindow) {
  frame::RuntimeApp app(Recording());
  app.Initialise();
  app.Run();
  EXPECT_EQ(app.quitCode(), 0);
  // The unloaded window answers from its form description.
  EXPECT_EQ(frame::ReadInt(kMainWindowId, ui::unit::按钮5, frame::prop::kLeft), 120);
  EXPECT_EQ(frame::ReadText(kMainWindowId, ui::unit::按钮5, frame::prop::kTag), frame::Text());
  frame::WriteInt(kMainWindowId, ui::unit::按钮5, frame::prop::kWidth, 40000);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, ui::unit::按钮5, frame::prop::kWidth), 32627);
}

TEST_F(RuntimeTest, ReloadingALoadedWindowCreatesNothing) {
  frame::RuntimeApp app(Recording());
  app.Initialise();
  app.LoadStartWindow(kMainWindowId);
  const win32::HWND window = frame::GetUnitHandle({kMainWindowId, 0, 0});
  EXPECT_TRUE(app.LoadWindow(kMainWindowId));
  EXPECT_EQ(frame::GetUnitHandle({kMainWindowId, 0, 0}), window);
  EXPECT_EQ(CallsOf(Handler::InitPictureBrowser).size(), 1u);
  EXPECT_FALSE(app.LoadWindow(0x52010002));
}

TEST_F(RuntimeTest, TheWindowsIdleEventRunsWhileItsHandlerAsksForMore) {
  frame::RuntimeApp app(Recording());
  app.Initialise();
  BindWindowEvent(app, 7, Handler::LabelFeedback);
  app.LoadStartWindow(kMainWindowId);
  int routineCalls = 0;
  app.AddIdleRoutine(
      frame::GetUnitHandle({kMainWindowId, 0, 0}), [](void* calls) { ++*static_cast<int*>(calls); },
      &routineCalls);
  const win32::HWND gone =
      user32::CreateWindowExA(0, "Static", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
  app.AddIdleRoutine(
      gone, [](void*) { ADD_FAILURE() << "a routine of a destroyed window ran"; }, nullptr);
  user32::DestroyWindow(gone);

  Respond() = [](const HandlerCall& call) -> std::optional<int32_t> {
    if (CallsOf(Handler::LabelFeedback).size() < 3) return 1;
    user32::DestroyWindow(frame::GetUnitHandle({call.event.windowId, 0, 0}));
    return 0;
  };
  app.Run();
  const auto idle = CallsOf(Handler::LabelFeedback);
  ASSERT_EQ(idle.size(), 3u);
  for (const frame::EventRecord& event : idle) {
    EXPECT_EQ(event.eventIndex, 7);
    EXPECT_EQ(event.argumentCount, 1);
    EXPECT_GE(event.arguments[0], 0);
  }
  EXPECT_GE(routineCalls, 3);
}

TEST_F(RuntimeTest, AModalWindowRunsItsOwnLoopUntilItCloses) {
  frame::RuntimeApp app(Recording());
  app.Initialise();
  QTimer::singleShot(0, [] {
    user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, 0, 0}))->close();
  });
  EXPECT_TRUE(app.LoadWindow(kMainWindowId, 0, true));
  EXPECT_EQ(app.Loaded(kMainWindowId), nullptr);
  EXPECT_EQ(CallsOf(Handler::InitPictureBrowser).size(), 1u);
}

TEST_F(RuntimeTest, TheCloseQueryCanRefuseTheClose) {
  frame::RuntimeApp app(Recording());
  app.Initialise();
  BindWindowEvent(app, 1, Handler::LabelFeedback);
  BindWindowEvent(app, 2, Handler::GoUpFolder);
  app.LoadStartWindow(kMainWindowId);
  const win32::HWND window = frame::GetUnitHandle({kMainWindowId, 0, 0});
  Respond() = [](const HandlerCall&) { return std::optional<int32_t>(0); };
  user32::SendMessageA(window, win32::WM_CLOSE, 0, 0);
  EXPECT_TRUE(user32::IsWindow(window));
  Respond() = nullptr;
  user32::SendMessageA(window, win32::WM_CLOSE, 0, 0);
  EXPECT_FALSE(user32::IsWindow(window));
  EXPECT_EQ(CallsOf(Handler::GoUpFolder).size(), 1u);  // event 2: the window is being destroyed
  EXPECT_EQ(app.Loaded(kMainWindowId), nullptr);
}

TEST_F(RuntimeTest, MovesAndResizesRaiseTheWindowsEvents) {
  frame::RuntimeApp app(Recording());
  app.Initialise();
  BindWindowEvent(app, 3, Handler::GoUpFolder);
  BindWindowEvent(app, 4, Handler::ChoosePictureFolder);
  app.LoadStartWindow(kMainWindowId);
  // Once each right after the created event.
  ASSERT_EQ(Calls().size(), 3u);
  EXPECT_EQ(Calls()[0].handler, Handler::InitPictureBrowser);
  EXPECT_EQ(Calls()[1].handler, Handler::GoUpFolder);
  EXPECT_EQ(Calls()[2].handler, Handler::ChoosePictureFolder);
  frame::WriteInt(kMainWindowId, 0, frame::prop::kLeft, 70);
  frame::WriteInt(kMainWindowId, 0, frame::prop::kWidth, 600);
  EXPECT_EQ(CallsOf(Handler::GoUpFolder).size(), 2u);
  EXPECT_EQ(CallsOf(Handler::ChoosePictureFolder).size(), 2u);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, 0, frame::prop::kLeft), 70);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, 0, frame::prop::kWidth), 600);
}

using RuntimeDeathTest = RuntimeTest;

TEST_F(RuntimeDeathTest, AFatalErrorShowsTheFramesBoxRunsShutdownAndExitsMinusOne) {
  EXPECT_EXIT(
      {
        frame::RuntimeApp app(Recording());
        app.Initialise();
        frame::RegisterCleanupRoutine([] { std::fputs("clean-up ran\n", stderr); });
        app.LoadStartWindow(kMainWindowId);
        frame::ReadInt(0x52019999, 0, frame::prop::kLeft);
      },
      testing::ExitedWithCode(255),
      "\\[错误\\] 运行时出错!.*未载入欲访问窗口组件所在的窗口.*clean-up ran");
}

// Every failed allocation, not only a request beyond the largest block, ends through the fatal
// path once the frame has started.
TEST_F(RuntimeDeathTest, AFailedAllocationEndsThroughTheFatalPath) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's operator new reports a failed allocation itself";
#endif
  EXPECT_EXIT(
      {
        frame::RuntimeApp app(Recording());
        app.Initialise();
        frame::RegisterCleanupRoutine([] { std::fputs("clean-up ran\n", stderr); });
        void* volatile block = ::operator new (size_t{1} << 46);  // 64 TiB: no machine gives it
        std::fprintf(stderr, "allocated %p\n", block);
      },
      testing::ExitedWithCode(255),
      "\\[错误\\] 运行时出错!.*分配 70368744177664 字节内存失败!.*clean-up ran");
}

TEST_F(RuntimeDeathTest, AMissingStartWindowIsFatal) {
  EXPECT_EXIT(
      {
        frame::RuntimeApp app(Recording());
        app.Initialise();
        app.LoadStartWindow(0x52010002);
      },
      testing::ExitedWithCode(255), "载入启动窗口失败");
}

TEST_F(RuntimeDeathTest, OwnPropertiesNeedTheWindowLoaded) {
  EXPECT_EXIT(
      {
        frame::RuntimeApp app(Recording());
        app.Initialise();
        frame::ReadText(kMainWindowId, ui::unit::标签1, frame::prop::kLabelCaption);
      },
      testing::ExitedWithCode(255), "指定窗口尚未载入");
}

TEST_F(RuntimeDeathTest, ACorruptFormIsFatal) {
  static const uint8_t kShort[] = {16, 0, 0, 0, 1, 0, 1, 0x52};
  EXPECT_EXIT(
      {
        frame::RuntimeApp app({kShort, RecordingHandlers()});
        app.Initialise();
      },
      testing::ExitedWithCode(255), "运行时出错!.*窗口数据无效");
}

}  // namespace
}  // namespace window_test
