// Writes the main window, both pages, to PNG files under the build folder so a person can look
// at them: build/screenshots/main_window_page1.png and main_window_page2.png.
#include <QDir>
#include <QImage>
#include <QPixmap>

#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

class ScreenshotTest : public MainWindowTest {};

TEST_F(ScreenshotTest, WritesBothPages) {
  const QString folder = QString(PICTOLAN_BINARY_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(folder));
  QWidget* window = WidgetOf(0);
  for (int page = 0; page < 2; ++page) {
    SelectPage(page);
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(515, 378));
    const QString file = folder + QString("/main_window_page%1.png").arg(page + 1);
    EXPECT_TRUE(shot.save(file, "PNG")) << file.toStdString();
  }
}

}  // namespace
}  // namespace window_test
