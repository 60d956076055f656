// Every platform function that reads a file the user named reads regular files only: a named
// pipe (or a device) that a folder listing shows as "x.png" is refused at once instead of
// blocking the window for good.
#include <sys/stat.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "frame/commands.h"
#include "imaging/image_object.h"
#include "platform/win32/gdiplus.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/shell32.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"
#include "tests/support/watchdog.h"

namespace platform {
namespace {

using namespace win32;
namespace fs = std::filesystem;

TEST(RegularFilesTest, NamedPipesAreRefusedByEveryReadWithoutBlocking) {
  ASSERT_TRUE(imaging::StartImagingLibrary());
  testing_support::TempDir dir;
  struct Row {
    const char* name;  // the pipe's name, by which each reader would take it
    std::function<bool(const std::string& path)> refused;
  };
  auto wide = [](const std::string& path) { return std::u16string(path.begin(), path.end()); };
  const Row rows[] = {
      {"load.png",
       [&](const std::string& path) {
         GpImage image = 0;
         return gdiplus::GdipLoadImageFromFile(wide(path).c_str(), &image) != gdip::Ok &&
                image == 0;
       }},
      {"bitmap.jpg",
       [&](const std::string& path) {
         GpBitmap bitmap = 0;
         return gdiplus::GdipCreateBitmapFromFile(wide(path).c_str(), &bitmap) != gdip::Ok &&
                bitmap == 0;
       }},
      {"icon.ico",
       [](const std::string& path) {
         return user32::LoadImageA(0, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE) == 0;
       }},
      {"picture.bmp",
       [](const std::string& path) {
         return user32::LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE) == 0;
       }},
      {"count.dll",
       [](const std::string& path) {
         return shell32::ExtractIconA(0, path.c_str(), 0xFFFFFFFF) == 0 &&
                shell32::ExtractIconA(0, path.c_str(), 0) == 0;
       }},
      // The desktop's icon for the type may stand in; the pipe itself is not read.
      {"associated.exe",
       [](std::string path) {
         WORD index = 0;
         user32::DestroyIcon(shell32::ExtractAssociatedIconA(0, path.data(), &index));
         return true;
       }},
      {"module.exe",
       [](const std::string& path) {
         return kernel32::LoadLibraryExA(path.c_str(), 0, LOAD_LIBRARY_AS_DATAFILE) == 0;
       }},
      {"whole.ico",
       [](const std::string& path) { return frame::ReadFile(frame::Text(path)).empty(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const fs::path fifo = dir / row.name;
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    bool refused = false;
    EXPECT_TRUE(testing_support::ReturnsWithoutBlocking(
        fifo, [&] { refused = row.refused(fifo.string()); }));
    EXPECT_TRUE(refused);
  }
}

}  // namespace
}  // namespace platform
