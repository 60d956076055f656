// Pictures of the extraction page for a person to look at, in BUILD/screenshots: after opening a
// module of many real icons (strip, preview, label), while extract-all runs, and after it. On a
// real X display (scripts/extraction-screenshots.sh runs this under Xvfb) they are what the display
// shows; offscreen, what the window paints.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "frame/events.h"
#include "frame/external_functions.h"
#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/core/paths.h"
#include "platform/desktop/user32/window_table.h"
#include "tests/pages/pages_fixture.h"
#include "tests/support/pe_writer.h"
#include "ui/globals.h"

namespace pages_test {
namespace {

namespace ts = testing_support;

void Settle() {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 300)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// What the display shows once it has settled; while a batch runs (painted = false) what the
// window paints at once, since the display catches up only when the batch lets it.
QImage Shot(bool painted = true) {
  QWidget* window = platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, 0, 0}));
  if (painted && QGuiApplication::platformName() == "xcb" && window->screen())
    return window->screen()->grabWindow(window->winId()).toImage();
  return window->grab().toImage();
}

void Save(const QImage& shot, const char* name) {
  const QString folder = QString(PICTOLAN_BINARY_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(folder));
  EXPECT_TRUE(shot.save(folder + "/" + name, "PNG")) << name;
}

using ExtractionScreenshotTest = PagesTest;

TEST_F(ExtractionScreenshotTest, OpenedAndExtracted) {
  // Every icon of nsis-common, twice over: more than the strip's frame shows.
  ts::PeWriter writer;
  int group = 0;
  for (int round = 0; round < 2; ++round)
    for (const fs::path& icon : ts::NsisIcons())
      writer.AddIconGroup(++group, ts::ReadBytes(icon));
  const fs::path module = Write("nsis-icons.dll", writer.Build());

  Answer().Then(seams::DialogAnswer::Choose(module.string()));
  Click(unit::提取图标按钮);
  SetContent(unit::编辑框2, "5");
  SetContent(unit::保存路径编辑框, Path("out").string());
  Settle();
  Save(Shot(), "extraction_page_opened.png");

  QImage running;
  QTimer::singleShot(0, [&] { running = Shot(false); });   // at the batch's first pass
  Answer().Then(seams::DialogAnswer::Press(win32::IDNO));  // the folder stays closed
  Click(unit::全部提取按钮);
  Save(running, "extraction_page_extracting.png");
  Settle();
  Save(Shot(), "extraction_page_extracted.png");
  EXPECT_EQ(Listing(Path("out")).size(), static_cast<size_t>(group));
}

using ConversionScreenshotTest = PagesTest;

// The conversion page after listing a folder of the desktop theme's real pictures (with two
// sub-folders beside them), a picture previewed and three images collected.
TEST_F(ConversionScreenshotTest, ScannedPreviewedAndCollected) {
  const fs::path theme = "/usr/share/icons/Adwaita/512x512/places";
  if (!fs::is_directory(theme)) GTEST_SKIP() << "no pictures at " << theme;
  // A folder whose names GBK cannot all hold: they must read as they are.
  const fs::path pictures = Path("Grüße 😀");
  fs::create_directories(pictures / "holiday");
  fs::create_directories(pictures / "scans");
  const char* foreign[] = {"café ñ.png", "한국어.png", "back\\slash.png", "bytes \xFF.png"};
  size_t n = 0;
  for (const auto& entry : fs::directory_iterator(theme)) {
    if (entry.path().extension() != ".png") continue;
    fs::copy_file(entry.path(), pictures / entry.path().filename());
    if (n < std::size(foreign)) fs::copy_file(entry.path(), pictures / foreign[n++]);
  }
  SelectPage(0);
  frame::WriteText(kMainWindowId, unit::组合框2, frame::prop::kComboContent,
                   frame::Text(platform::paths::FromNative(pictures.string())));
  frame::EventRecord chosen(kMainWindowId, unit::组合框2, 0);
  frame::FireEvent(chosen);
  imaging::IconListView& list = *ui::ProgramGlobals().pictureList;
  ASSERT_GT(list.ItemCount(), 5);
  const int picture = 4;
  list.SelectedIndex(picture);
  // What the list's procedure does for a click: the selection changed, then the capture lost.
  ext::SendMessageA(list.Handle(), win32::WM_CAPTURECHANGED, 0, 0);
  for (int size : {3 /* 48*48 */, 6 /* 16*16 */, 7 /* PNG */}) {
    frame::WriteInt(kMainWindowId, unit::组合框1, frame::prop::kComboCurrentIndex, size);
    Click(unit::添加按钮);
  }
  // A click on the first collected image previews it in the lower panel.
  auto* box = static_cast<QListWidget*>(
      platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, unit::列表框1, 0})));
  const QPoint at = box->visualItemRect(box->item(0)).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, box->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(box->viewport(), &event);
  }
  EXPECT_EQ(ui::ProgramGlobals().conversionList.size(), 3u);
  Settle();
  Save(Shot(), "conversion_page_scanned.png");
}

}  // namespace
}  // namespace pages_test
