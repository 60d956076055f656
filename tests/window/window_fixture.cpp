#include "tests/window/window_fixture.h"

#include <QTabBar>

#include <array>
#include <utility>

#include "frame/ui_commands.h"
#include "platform/desktop/user32/window_table.h"

namespace window_test {
namespace {

template <int N>
std::optional<int32_t> Record(const frame::EventRecord& event) {
  HandlerCall call{static_cast<ui::Handler>(N), event};
  Calls().push_back(call);
  return Respond() ? Respond()(call) : std::nullopt;
}

template <size_t... N>
constexpr std::array<frame::EventHandler, sizeof...(N)> Table(std::index_sequence<N...>) {
  return {&Record<static_cast<int>(N)>...};
}

constexpr auto kRecording = Table(std::make_index_sequence<ui::kHandlerCount>());

}  // namespace

std::vector<HandlerCall>& Calls() {
  static std::vector<HandlerCall> calls;
  return calls;
}

std::function<std::optional<int32_t>(const HandlerCall&)>& Respond() {
  static std::function<std::optional<int32_t>(const HandlerCall&)> respond;
  return respond;
}

std::vector<frame::EventRecord> CallsOf(ui::Handler handler) {
  std::vector<frame::EventRecord> events;
  for (const HandlerCall& call : Calls())
    if (call.handler == handler) events.push_back(call.event);
  return events;
}

frame::HandlerTable RecordingHandlers() {
  return kRecording;
}

const std::vector<int32_t>& WindowLevelUnits() {
  static const std::vector<int32_t> units = {unit::按钮5, unit::标签1, unit::选择夹1};
  return units;
}

const std::vector<int32_t>& PageOneUnits() {
  static const std::vector<int32_t> units = {
      unit::标签4,   unit::按钮4,    unit::按钮3,    unit::选择框1,  unit::按钮1,
      unit::组合框2, unit::画板3,    unit::转换按钮, unit::删除按钮, unit::列表框1,
      unit::画板1,   unit::添加按钮, unit::组合框1,  unit::外形框1};
  return units;
}

const std::vector<int32_t>& PageTwoUnits() {
  static const std::vector<int32_t> units = {
      unit::打开按钮2,      unit::浏览按钮1,      unit::标签3,
      unit::保存路径编辑框, unit::标签9,          unit::标签2,
      unit::按钮2,          unit::图片框1,        unit::画板2,
      unit::提取图标按钮1,  unit::调节器2,        unit::提取图标按钮2,
      unit::分割图标按钮,   unit::格式组合框1,    unit::通用对话框3,
      unit::标签8,          unit::标签7,          unit::格式组合框,
      unit::调节器1,        unit::编辑框2,        unit::标签6,
      unit::标签5,          unit::文件前缀编辑框, unit::提示标签,
      unit::提取按钮,       unit::全部提取按钮,   unit::取文件夹图标按钮,
      unit::提取图标按钮};
  return units;
}

void MainWindowTest::SetUp() {
  Calls().clear();
  Respond() = nullptr;
  app_ = std::make_unique<frame::RuntimeApp>(
      frame::ProgramHeader{ui::MainWindowForm(), RecordingHandlers()});
  app_->Initialise();
  app_->LoadStartWindow(kMainWindowId);
}

void MainWindowTest::TearDown() {
  app_.reset();
  Respond() = nullptr;
}

win32::HWND MainWindowTest::WindowOf(int32_t unitId) {
  return frame::GetUnitHandle({kMainWindowId, unitId, 0});
}

QWidget* MainWindowTest::WidgetOf(int32_t unitId) {
  return platform::user32::WidgetOf(WindowOf(unitId));
}

void MainWindowTest::SelectPage(int page) {
  auto* bar = WidgetOf(unit::选择夹1)->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  bar->setCurrentIndex(page);
}

}  // namespace window_test
