// On a screen of device pixel ratio 2 the window keeps its layout at twice the size, and icons
// are drawn from the image nearest the device size: a group's 64-pixel image in the strip and the
// preview of a 32-pixel cell, a 48-pixel image in the picture list's 24-pixel rows. What the
// program reads back and saves stays at its own size. A window larger than the screen starts on it.
#include <QApplication>
#include <QScreen>
#include <QTreeView>

#include <gtest/gtest.h>

#include "frame/properties.h"
#include "frame/runtime/runtime_app.h"
#include "frame/ui_commands.h"
#include "platform/core/gdi/icon_objects.h"
#include "platform/desktop/test_seams.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/pe_writer.h"
#include "ui/globals.h"
#include "ui/handed_files.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"
#include "ui/program.h"

namespace {

namespace fs = std::filesystem;
namespace ts = testing_support;
namespace unit = ui::unit;
namespace prop = frame::prop;
using ui::kMainWindowId;

// A pattern no scaling keeps: each pixel its own colour.
uint32_t Pattern(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 4) << 16 | static_cast<uint32_t>(y * 4) << 8 |
         static_cast<uint32_t>((x ^ y) & 1) * 0xFF;
}

ts::Bytes Dib(int side, std::function<uint32_t(int, int)> pixel) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = side;
  recipe.pixel = std::move(pixel);
  return ts::MakeIconDib(recipe);
}

class HighDpiTest : public ::testing::Test {
 protected:
  void Start(const fs::path& start) {
    ui::SetStartFile(frame::Text::FromUtf8(start.string()));
    app_ = std::make_unique<frame::RuntimeApp>(ui::Program());
    app_->Initialise();
    ui::SetUpGlobals();
    app_->LoadStartWindow(kMainWindowId);
    ui::TakeHandedFiles();
  }
  void TearDown() override {
    app_.reset();
    ui::CleanUpGlobals();
  }
  QWidget* Widget(int32_t unit) const {
    return platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, unit, 0}));
  }
  // What the widget shows, in device pixels.
  QImage Shown(int32_t unit) const {
    return Widget(unit)->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  }

  ts::TempDir dir_;
  platform::seams::ScriptedDialogs dialogs_;
  platform::seams::ShellRecorder shell_;
  std::unique_ptr<frame::RuntimeApp> app_;
};

TEST_F(HighDpiTest, TheStripAndPreviewShowTheGroups64PixelImage) {
  // The group the platform makes a 32-pixel icon of: a red 32 image, and the 64 one beside it.
  ts::PeWriter writer;
  writer.AddIconGroup(
      1, ts::MakeIcoFile({Dib(32, [](int, int) { return 0xFFFF0000u; }), Dib(64, Pattern),
                          Dib(16, [](int, int) { return 0xFF00FF00u; })}));
  const fs::path module = dir_ / "sharp.dll";
  ts::WriteBytes(module, writer.Build());
  Start(module);
  ASSERT_EQ(platform::gdi::DeviceRatio(), 2.0);

  const QImage strip = Shown(unit::图标画板);
  ASSERT_EQ(strip.devicePixelRatio(), 2.0);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      ASSERT_EQ(strip.pixel(x, y), Pattern(x, y)) << x << ", " << y;

  // The preview box centres its 32-pixel icon: 2 pixels in, in device pixels 4 (border aside).
  const QImage preview = Shown(unit::图片框1);
  const QPoint corner((preview.width() - 64) / 2, (preview.height() - 64) / 2);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      ASSERT_EQ(preview.pixel(corner + QPoint(x, y)), Pattern(x, y)) << x << ", " << y;

  // The program's own pictures are the 32-pixel icon the platform chose.
  const frame::ByteSet bytes =
      frame::ReadBytes(kMainWindowId, unit::图标画板, prop::kDrawPanelPicture);
  const QImage program = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
  ASSERT_EQ(program.size(), QSize(32, 32));
  EXPECT_EQ(program.pixel(5, 5), 0xFFFF0000u);
}

TEST_F(HighDpiTest, ThePictureListDrawsTheImageNearestItsDeviceSize) {
  // A picture whose bytes are an icon: its row shows its own icon, here red at 24 pixels and blue
  // at 48, the size nearest the row's 48 device pixels.
  const fs::path folder = dir_ / "pictures";
  fs::create_directories(folder);
  ts::WriteBytes(folder / "a.bmp",
                 ts::MakeIcoFile({Dib(24, [](int, int) { return 0xFFFF0000u; }),
                                  Dib(48, [](int, int) { return 0xFF0000FFu; })}));
  Start(folder);
  imaging::IconListView& list = *ui::ProgramGlobals().pictureList;
  ASSERT_EQ(list.ItemCount(), 1);
  auto* view = static_cast<QTreeView*>(platform::user32::WidgetOf(list.Handle()));
  const QRect row = view->visualRect(view->model()->index(0, 0));
  const QImage shown = view->viewport()->grab().toImage();
  const QPoint inside = (row.topLeft() + QPoint(8, row.height() / 2)) * 2;
  EXPECT_EQ(shown.pixel(inside) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(HighDpiTest, AWindowLargerThanTheScreenStartsOnIt) {
  Start(dir_.path());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(screen.width(), 523);  // 800 x 600 device pixels: 400 x 300 of the program's
  win32::RECT outer{};
  ASSERT_TRUE(platform::user32::GetWindowRect(frame::GetUnitHandle({kMainWindowId, 0, 0}), &outer));
  EXPECT_EQ(outer.left, screen.left());
  EXPECT_EQ(outer.top, screen.top());
  EXPECT_EQ(outer.right - outer.left, 523);  // its layout as the form gives it
  EXPECT_EQ(outer.bottom - outer.top, 412);
}

}  // namespace
