// Unit events reaching the program's handlers: bindings, suspension while loading, the common
// mouse event with its consume rule, the own events of buttons, spins, labels, combo and list
// boxes, and the fatal errors of the dispatch.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/desktop/user32/message_loop.h"
#include "platform/win32/user32.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

using namespace frame::literals;
namespace user32 = platform::user32;
using ui::Handler;

void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button,
                    modifiers);
  QApplication::sendEvent(widget, &press);
}

// Counts the presses that reach a widget.
class PressCounter final : public QObject {
 public:
  int presses = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) ++presses;
    return false;
  }
};

using EventTest = MainWindowTest;

TEST_F(EventTest, LoadingReachesNoHandlerAndEndsWithTheCreatedEvent) {
  // Filling the units raised content and selection notices; only the window's event 0 (bound)
  // ran, after loading; its moved and resized events (3, 4) have no binding.
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].handler, Handler::InitPictureBrowser);
  EXPECT_EQ(Calls()[0].event.unitId, unit::kWindowEntry);
  EXPECT_EQ(Calls()[0].event.eventIndex, 0);
}

TEST_F(EventTest, BoundEventsReachTheirHandlers) {
  Calls().clear();
  static_cast<QAbstractButton*>(WidgetOf(unit::按钮5))->click();
  static_cast<QAbstractButton*>(WidgetOf(unit::转换按钮))->click();
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[0].handler, Handler::OpenMakerWebPage);
  EXPECT_EQ(Calls()[0].event.windowId, kMainWindowId);
  EXPECT_EQ(Calls()[0].event.unitId, unit::按钮5);
  EXPECT_EQ(Calls()[1].handler, Handler::ConvertToIcon);
}

TEST_F(EventTest, AnEventWithoutBindingReachesNoHandler) {
  Calls().clear();
  static_cast<QAbstractButton*>(WidgetOf(unit::选择框1))->click();  // no binding at all
  frame::EventRecord closeQuery(kMainWindowId, 0, 1);               // the window's, unbound
  EXPECT_FALSE(frame::FireEvent(closeQuery));
  frame::EventRecord rightClick(kMainWindowId, unit::图标画板, frame::event::kRightButtonDown,
                                {1, 2, 0});
  EXPECT_FALSE(frame::FireEvent(rightClick));
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(frame::ReadBool(kMainWindowId, unit::选择框1, frame::prop::kCheckBoxChecked));
}

TEST_F(EventTest, SuspendedEventsReachNoHandler) {
  Calls().clear();
  app().SuspendEvents();
  frame::EventRecord click(kMainWindowId, unit::按钮5, 0);
  EXPECT_FALSE(frame::FireEvent(click));
  app().ResumeEvents();
  EXPECT_TRUE(frame::FireEvent(click));
  EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(EventTest, LeftButtonOnTheStripReportsClientPositionAndKeyState) {
  SelectPage(1);
  Calls().clear();
  Press(WidgetOf(unit::图标画板), QPoint(40, 10), Qt::LeftButton,
        Qt::ControlModifier | Qt::ShiftModifier);
  const auto calls = CallsOf(Handler::SelectIconInStrip);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].eventIndex, frame::event::kLeftButtonDown);
  ASSERT_EQ(calls[0].argumentCount, 3);
  EXPECT_EQ(calls[0].arguments[0], 40);
  EXPECT_EQ(calls[0].arguments[1], 10);
  EXPECT_EQ(calls[0].arguments[2], frame::kKeyStateCtrl | frame::kKeyStateShift);
  // Coordinates are unsigned 16-bit words.
  Press(WidgetOf(unit::图标画板), QPoint(-1, 3));
  EXPECT_EQ(CallsOf(Handler::SelectIconInStrip).back().arguments[0], 65535);
}

TEST_F(EventTest, AHandlerAnsweringFalseKeepsTheClickFromTheUnit) {
  SelectPage(1);
  // A press the strip does not take goes on to the panel around it: that shows whether the unit
  // saw the press.
  PressCounter beyond;
  WidgetOf(unit::图标画板)->parentWidget()->installEventFilter(&beyond);
  Press(WidgetOf(unit::图标画板), QPoint(5, 5));
  EXPECT_EQ(beyond.presses, 1);
  Respond() = [](const HandlerCall&) { return std::optional<int32_t>(0); };
  Press(WidgetOf(unit::图标画板), QPoint(5, 5));
  EXPECT_EQ(beyond.presses, 1);
  Respond() = [](const HandlerCall&) { return std::optional<int32_t>(1); };
  Press(WidgetOf(unit::图标画板), QPoint(5, 5));
  EXPECT_EQ(beyond.presses, 2);
}

TEST_F(EventTest, SpinArrowsStepUpAndDown) {
  SelectPage(1);
  Calls().clear();
  QWidget* spin = WidgetOf(unit::调节器1);  // 20 x 24
  Press(spin, QPoint(10, 3));
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 3), spin->mapToGlobal(QPointF(10, 3)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(spin, &release);
  Press(spin, QPoint(10, 20));
  QApplication::sendEvent(spin, &release);
  const auto steps = CallsOf(Handler::StepIconNumber);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].arguments[0], 1);
  EXPECT_EQ(steps[1].arguments[0], -1);
}

TEST_F(EventTest, LabelMessageRaisesItsEventAndAnswersWithTheHandlersValue) {
  Calls().clear();
  EXPECT_EQ(user32::SendMessageA(WindowOf(unit::标签1), 0x8075, 7, 9), 0);
  const auto calls = CallsOf(Handler::LabelFeedback);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].argumentCount, 2);
  EXPECT_EQ(calls[0].arguments[0], 7);
  EXPECT_EQ(calls[0].arguments[1], 9);
  Respond() = [](const HandlerCall&) { return std::optional<int32_t>(42); };
  EXPECT_EQ(user32::SendMessageA(WindowOf(unit::标签1), 0x8075, 0, 0), 42);
}

TEST_F(EventTest, ComboChoiceArrivesOnceTheBoxShowsTheItem) {
  const frame::UnitRef folders{kMainWindowId, unit::组合框2, 0x1000E};
  frame::ComboAddItem(folders, "/tmp"_gbk);
  frame::ComboAddItem(folders, "/home"_gbk);
  Calls().clear();
  auto* combo = static_cast<QComboBox*>(WidgetOf(unit::组合框2));
  combo->setCurrentIndex(1);
  emit combo->activated(1);  // what a click on the item does
  EXPECT_TRUE(CallsOf(Handler::ScanPictureFolder).empty());
  std::optional<frame::Text> shown;
  Respond() = [&](const HandlerCall&) {
    shown = frame::ReadText(kMainWindowId, unit::组合框2, frame::prop::kComboContent);
    return std::nullopt;
  };
  user32::PumpMessages(false);
  EXPECT_EQ(CallsOf(Handler::ScanPictureFolder).size(), 1u);
  EXPECT_EQ(shown, "/home"_gbk);
}

TEST_F(EventTest, ListSelectionReportsTheUsersChangesOnly) {
  const frame::UnitRef list{kMainWindowId, unit::列表框1, 0x1000F};
  EXPECT_EQ(frame::ListAddItem(list, "48*48"_gbk, 48), 0);
  EXPECT_EQ(frame::ListAddItem(list, "32*32"_gbk, 32), 1);
  Calls().clear();
  frame::WriteInt(kMainWindowId, unit::列表框1, frame::prop::kListCurrentIndex, 1);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::列表框1, frame::prop::kListCurrentIndex), 1);
  EXPECT_TRUE(frame::ListDeleteItem(list, 1));
  EXPECT_TRUE(Calls().empty());

  auto* widget = static_cast<QListWidget*>(WidgetOf(unit::列表框1));
  const QPoint onFirst = widget->visualItemRect(widget->item(0)).center();
  Press(widget->viewport(), onFirst);
  EXPECT_EQ(CallsOf(Handler::PreviewConversionImage).size(), 1u);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::列表框1, frame::prop::kListCurrentIndex), 0);
}

TEST_F(EventTest, KeyHandlersCanConsumeOrReplaceTypedCharacters) {
  // The form binds no key events; bind 编辑框2's to a recording handler.
  auto& record =
      *frame::form::FindUnitRecord(app().windowTable().Find(kMainWindowId)->record, unit::编辑框2);
  const auto keys = static_cast<int32_t>(Handler::LabelFeedback);
  record.events.push_back({frame::event::kKeyDown, keys});
  record.events.push_back({frame::event::kCharacter, keys});
  SelectPage(1);
  frame::WriteText(kMainWindowId, unit::编辑框2, frame::prop::kEditContent, frame::Text());
  QWidget* edit = WidgetOf(unit::编辑框2);
  const auto type = [&](Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
  };
  Respond() = [](const HandlerCall& call) -> std::optional<int32_t> {
    if (call.event.eventIndex == frame::event::kCharacter && call.event.arguments[0] == 'a')
      return 'X';
    if (call.event.eventIndex == frame::event::kCharacter && call.event.arguments[0] == 'b')
      return 0;
    if (call.event.eventIndex == frame::event::kKeyDown && call.event.arguments[0] == 'C') return 0;
    return std::nullopt;
  };
  Calls().clear();
  type(Qt::Key_A, "a");
  type(Qt::Key_B, "b");
  type(Qt::Key_C, "c");
  type(Qt::Key_D, "d");
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::编辑框2, frame::prop::kEditContent),
            frame::Text("Xd"));
  const auto seen = CallsOf(Handler::LabelFeedback);
  ASSERT_EQ(seen.size(), 7u);  // a, b, d: key down and character; c: key down only
  EXPECT_EQ(seen[0].eventIndex, frame::event::kKeyDown);
  EXPECT_EQ(seen[0].arguments[0], 'A');  // the virtual-key code
  EXPECT_EQ(seen[1].eventIndex, frame::event::kCharacter);
  EXPECT_EQ(seen[1].arguments[0], 'a');
}

using EventDeathTest = MainWindowTest;

TEST_F(EventDeathTest, DispatchToMissingWindowsAndUnitsIsFatal) {
  frame::EventRecord noWindow(0x52019999, 0, 0);
  EXPECT_EXIT(frame::FireEvent(noWindow), testing::ExitedWithCode(255), "未找到引发事件的窗口");
  frame::EventRecord noUnit(kMainWindowId, 0x16999999, 0);
  EXPECT_EXIT(frame::FireEvent(noUnit), testing::ExitedWithCode(255), "未找到引发事件的窗口组件");
}

}  // namespace
}  // namespace window_test
