// Shows the real (not scripted) open, save and folder dialogs over the main window on an X
// display and saves what the screen shows: build/screenshots/dialog_open.png, dialog_save.png
// and dialog_folder.png. Runs only on an X server (scripts/dialog-screenshots.sh starts one);
// offscreen it is skipped.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <optional>

#include "frame/literal.h"
#include "icofile/dialogs.h"
#include "tests/support/fixtures.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

using frame::literals::operator""_gbk;
namespace ts = testing_support;

constexpr int kSettleTicks = 8;  // 200 ms each: the dialog lists its folder, then paints

// Runs `open`, which shows a modal dialog; once the dialog has settled, saves the part of the
// screen that holds the window and the dialog, and closes the dialog. Returns the dialog's title
// (no window manager draws it here), or nothing when no dialog was saved.
std::optional<QString> ShootDialog(const QString& file, QWidget* window,
                                   const std::function<void()>& open) {
  std::optional<QString> title;
  int ticks = 0;
  QTimer poll;
  poll.setInterval(200);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || ++ticks < kSettleTicks) return;
    const QRect area = (window->frameGeometry() | dialog->frameGeometry()).adjusted(-8, -8, 8, 8);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    if (screen.copy(area & screen.rect()).save(file, "PNG")) title = dialog->windowTitle();
    dialog->close();
  });
  poll.start();
  open();
  return title;
}

class DialogScreenshotTest : public MainWindowTest {};

TEST_F(DialogScreenshotTest, RealDialogsOverTheWindow) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
  const QString folder = QString(PICTOLAN_BINARY_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(folder));
  ts::TempDir dir;
  std::filesystem::create_directory(dir / "图片");
  for (const char* name : {"图标.ico", "程序.exe", "library.dll", "说明.txt"})
    ts::WriteBytes(dir / name, {0});
  const frame::Text start = frame::Text::FromUtf8(dir.path().string());
  QWidget* window = WidgetOf(0);
  window->activateWindow();

  const auto open = ShootDialog(folder + "/dialog_open.png", window, [&] {
    icofile::FileDialogRequest request;
    request.filter = "全部文件|*.*|执行文件(exe)|*.exe|DLL文件|*.dll|CPL文件|*.cpl"_gbk;
    request.initialFolder = start;
    icofile::AskOpenFile(request);
  });
  const auto save = ShootDialog(folder + "/dialog_save.png", window, [&] {
    icofile::FileDialogRequest request;
    request.filter = "图标文件|*.ico"_gbk;
    request.initialFolder = start;
    request.initialName = "图标1"_gbk;
    icofile::AskSaveFile(request);
  });
  const auto browse = ShootDialog(folder + "/dialog_folder.png", window, [&] {
    icofile::FolderBrowseRequest request;
    request.owner = WindowOf(0);
    request.title = "请选择图片目录"_gbk;
    request.initialFolder = start;
    request.editBox = true;
    icofile::BrowseForFolder(request);
  });
  ASSERT_TRUE(open && save && browse);
  EXPECT_FALSE(open->isEmpty() || save->isEmpty()) << "untitled dialogs take the toolkit's title";
  EXPECT_EQ(browse->toStdString(), "请选择图片目录");
}

}  // namespace
}  // namespace window_test
