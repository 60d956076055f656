// Writes the main window, both pages, to PNG files under the build folder so a person can look
// at them: build/screenshots/main_window_page1.png and main_window_page2.png, and the picture list
// filled as a folder listing fills it: picture_list.png. On an X server (QT_QPA_PLATFORM=xcb)
// the window is shown and taken from the screen.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

#include "frame/external_functions.h"
#include "frame/literal.h"
#include "imaging/icon_list_view.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

using namespace frame::literals;

class ScreenshotTest : public MainWindowTest {
 protected:
  static QString Folder() {
    const QString folder = QString(PICTOLAN_BINARY_DIR) + "/screenshots";
    EXPECT_TRUE(QDir().mkpath(folder));
    return folder;
  }
  QImage Shot() {
    QWidget* window = WidgetOf(0);
    if (QGuiApplication::platformName() != "xcb") return window->grab().toImage();
    window->show();
    QElapsedTimer waited;
    waited.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) &&
           waited.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    for (int i = 0; i < 10; ++i)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return window->screen()->grabWindow(window->winId()).toImage();
  }
};

TEST_F(ScreenshotTest, WritesBothPages) {
  for (int page = 0; page < 2; ++page) {
    SelectPage(page);
    const QImage shot = Shot();
    EXPECT_EQ(shot.size(), QSize(515, 378));
    const QString file = Folder() + QString("/main_window_page%1.png").arg(page + 1);
    EXPECT_TRUE(shot.save(file, "PNG")) << file.toStdString();
  }
}

// The picture list in its shape box, set up and filled as the picture browser does.
TEST_F(ScreenshotTest, WritesThePictureList) {
  QTemporaryDir folder;
  QDir(folder.path()).mkdir("假期照片");
  const char* pictures[] = {"风景.png", "cat.jpg", "logo.bmp", "图标 1.gif"};
  for (const char* name : pictures) {
    QFile file(folder.filePath(QString::fromUtf8(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  imaging::IconListView list;
  QWidget* host = WidgetOf(unit::外形框1);
  ASSERT_NE(list.Create(WindowOf(unit::外形框1), 0, 0, host->width(), host->height(), 1), 0u);
  list.SetFullRowSelect(true);
  list.InsertColumn(std::nullopt, "图片文件"_gbk, 200);
  list.CreateSmallImageList(24, 24, 24, list.GetBkColor());
  auto add = [&](const char* name, int32_t parameter) {
    std::string path =
        frame::Text::FromUtf8((folder.path() + "/" + QString::fromUtf8(name)).toStdString())
            .bytes();
    win32::WORD index = 0;
    const win32::HICON icon = ext::ExtractAssociatedIconA(0, path.data(), &index);
    list.InsertItem(std::nullopt, frame::Text::FromUtf8(name), list.AddSmallIcon(icon), 0, 0,
                    parameter);
    ext::DestroyIcon(icon);
  };
  add("假期照片", 1);
  for (const char* name : pictures)
    add(name, 0);
  list.SelectedIndex(2);
  EXPECT_EQ(list.ItemCount(), 5);

  SelectPage(0);
  const QString file = Folder() + "/picture_list.png";
  EXPECT_TRUE(Shot().save(file, "PNG")) << file.toStdString();
  list.DestroySmallImageList();
}

}  // namespace
}  // namespace window_test
