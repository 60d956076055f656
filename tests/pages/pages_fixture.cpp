#include "tests/pages/pages_fixture.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>

#include "frame/properties.h"
#include "frame/ui_commands.h"

namespace pages_test {
namespace {

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
  ProgramWindowTest::SetUp();
  LoadWindow();
  SelectPage(1);
}

void PagesTest::PressSpin(int32_t unit, bool up) {
  QWidget* spin = Widget(unit);
  QPoint at(spin->width() / 2, up ? spin->height() / 4 : spin->height() * 3 / 4);
  SendMouse(spin, QEvent::MouseButtonPress, at);
  SendMouse(spin, QEvent::MouseButtonRelease, at);
}

void PagesTest::PressAt(int32_t unit, int x, int y) {
  SendMouse(Widget(unit), QEvent::MouseButtonPress, QPoint(x, y));
}

void PagesTest::SetContent(int32_t unit, const std::string& text) {
  frame::WriteText(kMainWindowId, unit, frame::prop::kEditContent, frame::Text::FromUtf8(text));
}

void PagesTest::ChooseItem(int32_t combo, int index) {
  frame::WriteInt(kMainWindowId, combo, frame::prop::kComboCurrentIndex, index);
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
