#include "tests/pages/pages_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>

#include <algorithm>

#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/desktop/user32/window_table.h"
#include "ui/globals.h"
#include "ui/program.h"

namespace pages_test {
namespace {

QWidget* WidgetOf(int32_t unit) {
  return platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, unit, 0}));
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

std::string Quoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

void PagesTest::SetUp() {
  dialogs_ = std::make_unique<seams::ScriptedDialogs>();
  shell_ = std::make_unique<seams::ShellRecorder>();
  app_ = std::make_unique<frame::RuntimeApp>(ui::Program());
  app_->Initialise();
  ui::SetUpGlobals();
  app_->LoadStartWindow(kMainWindowId);
  SelectPage(1);
}

void PagesTest::TearDown() {
  app_.reset();
  ui::CleanUpGlobals();
  shell_.reset();
  dialogs_.reset();
}

void PagesTest::SelectPage(int page) {
  auto* bar = WidgetOf(unit::选择夹1)->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  bar->setCurrentIndex(page);
}

void PagesTest::Click(int32_t unit) {
  static_cast<QAbstractButton*>(WidgetOf(unit))->click();
}

void PagesTest::PressSpin(int32_t unit, bool up) {
  QWidget* spin = WidgetOf(unit);
  QPoint at(spin->width() / 2, up ? spin->height() / 4 : spin->height() * 3 / 4);
  SendMouse(spin, QEvent::MouseButtonPress, at);
  SendMouse(spin, QEvent::MouseButtonRelease, at);
}

void PagesTest::PressAt(int32_t unit, int x, int y) {
  SendMouse(WidgetOf(unit), QEvent::MouseButtonPress, QPoint(x, y));
}

void PagesTest::SetContent(int32_t unit, const std::string& text) {
  frame::WriteText(kMainWindowId, unit, frame::prop::kEditContent, frame::Text::FromUtf8(text));
}

void PagesTest::ChooseItem(int32_t combo, int index) {
  frame::WriteInt(kMainWindowId, combo, frame::prop::kComboCurrentIndex, index);
}

std::string PagesTest::Caption(int32_t unit) const {
  return frame::ReadText(kMainWindowId, unit, frame::prop::kLabelCaption).ToUtf8();
}

std::string PagesTest::Content(int32_t unit) const {
  return frame::ReadText(kMainWindowId, unit, frame::prop::kEditContent).ToUtf8();
}

bool PagesTest::Disabled(int32_t unit) const {
  return frame::ReadBool(kMainWindowId, unit, frame::prop::kDisabled);
}

int PagesTest::Property(int32_t unit, int index) const {
  return frame::ReadInt(kMainWindowId, unit, index);
}

QImage PagesTest::Picture(int32_t unit, int index) const {
  frame::ByteSet bytes = frame::ReadBytes(kMainWindowId, unit, index);
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
}

std::vector<std::string> PagesTest::Messages() const {
  std::vector<std::string> texts;
  for (const seams::DialogRequest& request : Asked())
    if (request.kind == seams::DialogKind::Message) texts.push_back(request.text);
  return texts;
}

fs::path PagesTest::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  fs::create_directories((dir_ / name).parent_path());
  testing_support::WriteBytes(dir_ / name, bytes);
  return dir_ / name;
}

void RunCli(const std::vector<std::string>& arguments) {
  std::string command = Quoted(PICTOLAN_CLI_PATH);
  for (const std::string& argument : arguments)
    command += " " + Quoted(argument);
  std::string output;
  ASSERT_EQ(testing_support::RunCommand(command + " 2>&1", &output), 0) << command << "\n"
                                                                        << output;
}

std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code missing;
  for (const auto& entry : fs::directory_iterator(folder, missing))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace pages_test
