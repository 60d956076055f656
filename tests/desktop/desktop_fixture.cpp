#include "tests/desktop/desktop_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "frame/events.h"
#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/desktop/user32/window_table.h"
#include "tests/support/icon_images.h"
#include "tests/support/pe_writer.h"
#include "ui/globals.h"
#include "ui/handed_files.h"
#include "ui/program.h"

namespace desktop_test {

namespace ts = testing_support;
namespace prop = frame::prop;

void DesktopTest::SetUp() {
  dialogs_ = std::make_unique<seams::ScriptedDialogs>();
  shell_ = std::make_unique<seams::ShellRecorder>();
}

void DesktopTest::TearDown() {
  app_.reset();
  ui::CleanUpGlobals();
  ui::SetStartFile(std::nullopt);
  shell_.reset();
  dialogs_.reset();
}

void DesktopTest::Start(const fs::path& start) {
  if (!start.empty()) ui::SetStartFile(frame::Text::FromUtf8(start.string()));
  app_ = std::make_unique<frame::RuntimeApp>(ui::Program());
  app_->Initialise();
  ui::SetUpGlobals();
  app_->LoadStartWindow(kMainWindowId);
  ui::TakeHandedFiles();
}

QWidget* DesktopTest::Widget(int32_t unit) const {
  return platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, unit, 0}));
}

int DesktopTest::Page() const {
  return frame::ReadInt(kMainWindowId, unit::选择夹1, prop::kTabCurrentPage);
}

void DesktopTest::ShowPage(int page) {
  frame::WriteInt(kMainWindowId, unit::选择夹1, prop::kTabCurrentPage, page);
}

std::string DesktopTest::Caption(int32_t unit) const {
  return frame::ReadText(kMainWindowId, unit, prop::kLabelCaption).ToUtf8();
}

std::string DesktopTest::Folder() const {
  return frame::ReadText(kMainWindowId, unit::组合框2, prop::kComboContent).ToUtf8();
}

int DesktopTest::StripWidth() const {
  return frame::ReadInt(kMainWindowId, unit::图标画板, prop::kWidth);
}

bool DesktopTest::HasPicture(int32_t unit, int index) const {
  return !frame::ReadBytes(kMainWindowId, unit, index).empty();
}

std::vector<std::string> DesktopTest::Messages() const {
  std::vector<std::string> texts;
  for (const seams::DialogRequest& request : dialogs_->requests())
    if (request.kind == seams::DialogKind::Message) texts.push_back(request.text);
  return texts;
}

bool DesktopTest::Drag(int32_t unit, const std::vector<fs::path>& files, bool drop) {
  QWidget* target = Widget(unit);
  QMimeData data;
  QList<QUrl> urls;
  for (const fs::path& file : files)
    urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
  data.setUrls(urls);
  const QPoint at = target->rect().center();
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) {
    QDragLeaveEvent leave;
    QApplication::sendEvent(target, &leave);
    return false;
  }
  EXPECT_EQ(enter.dropAction(), Qt::CopyAction);  // never moved: the source keeps its file
  if (!drop) {
    QDragLeaveEvent leave;
    QApplication::sendEvent(target, &leave);
    return true;
  }
  QDropEvent dropped(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
  frame::DoEvents();
  return dropped.isAccepted();
}

fs::path DesktopTest::Module() {
  ts::PeWriter writer;
  const std::vector<fs::path> icons = ts::NsisIcons();
  writer.AddIconGroup(1, ts::ReadBytes(icons[0]));
  writer.AddIconGroup(2, ts::ReadBytes(icons[1]));
  const fs::path path = Path("tools.dll");
  ts::WriteBytes(path, writer.Build());
  return path;
}

fs::path DesktopTest::IconFile() {
  return ts::NsisRoot() / "Contrib/Graphics/Icons/modern-install.ico";
}

fs::path DesktopTest::PictureFolder() {
  const fs::path folder = Path("pictures");
  fs::create_directories(folder / "holiday");
  ts::WriteBytes(folder / "a.png", ts::MakePng(16, 16, 0xFF2040C0));
  ts::WriteBytes(folder / "b.png", ts::MakePng(20, 20, 0xFFC04020));
  return folder;
}

fs::path DesktopTest::TextFile() {
  const fs::path path = Path("notes.txt");
  ts::WriteBytes(path, {'h', 'i', '\n'});
  return path;
}

}  // namespace desktop_test
