#include "extract/save_format.h"

#include <gtest/gtest.h>

#include "extract/extract_all.h"
#include "frame/literal.h"
#include "tests/support/fixtures.h"

namespace extract {
namespace {

namespace ts = testing_support;
using frame::literals::operator""_gbk;

TEST(IndexNumberTest, PaddedToTheDigitsOfTheCount) {
  struct Row {
    int32_t index, count;
    const char* number;
  };
  const Row rows[] = {
      {3, 5, "3"},         {12, 9, "12"},        {3, 12, "03"},      {12, 12, "12"},
      {7, 120, "007"},     {42, 120, "042"},     {120, 120, "120"},  {42, 1500, "0042"},
      {999, 1500, "0999"}, {1500, 1500, "1500"}, {5, 10000, "0005"}, {0, 12, "00"},
      {-1, 12, "0-1"},  // below ten, so one zero, then the number as the runtime writes it
  };
  for (const Row& r : rows)
    EXPECT_EQ(IndexNumber(r.index, r.count), frame::Text(r.number)) << r.index << " of " << r.count;
}

TEST(IndexNumberTest, FileNamesJoinFolderPrefixNumberAndTheFormatsExtension) {
  EXPECT_EQ(OutputFileName("/out"_gbk, "ico_"_gbk, 7, 120, SaveFormat::Png),
            "/out/ico_007.png"_gbk);
  const std::pair<SaveFormat, const char*> extensions[] = {
      {SaveFormat::Bmp, "/o/3.bmp"},
      {SaveFormat::Jpg, "/o/3.jpg"},
      {SaveFormat::Gif, "/o/3.gif"},
      {SaveFormat::Tiff, "/o/3.tiff"},
      {SaveFormat::Png, "/o/3.png"},
      {SaveFormat::Ico, "/o/3.ico"},
      {SaveFormat::TransparentBmp, "/o/3.bmp"},
  };
  for (auto [format, name] : extensions)
    EXPECT_EQ(OutputFileName("/o"_gbk, frame::Text(), 3, 5, format), frame::Text(name));
  EXPECT_EQ(SaveFormatAt(6), SaveFormat::TransparentBmp);
  EXPECT_FALSE(SaveFormatAt(7));
  EXPECT_FALSE(SaveFormatAt(-1));
}

TEST(FreeFolderNameTest, TheFirstNameNothingIsAt) {
  ts::TempDir dir;
  frame::Text out = frame::Text::FromUtf8((dir / "out").string());
  EXPECT_EQ(FreeFolderName(out), out) << "absent: used under its own name";
  std::filesystem::create_directories(dir / "out");
  std::filesystem::create_directories(dir / "out(1)");
  EXPECT_EQ(FreeFolderName(out), out + "(2)"_gbk);
  ts::WriteBytes(dir / "out(2)", {1});
  EXPECT_EQ(FreeFolderName(out), out + "(3)"_gbk) << "a file takes the name as well";
}

}  // namespace
}  // namespace extract
