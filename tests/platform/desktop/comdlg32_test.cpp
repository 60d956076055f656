// The open and save dialogs: the program's filter and default extension as the dialog takes them,
// the chosen path written back into the caller's record, and the record checked first.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "frame/literal.h"
#include "platform/desktop/test_seams.h"
#include "platform/win32/comdlg32.h"
#include "platform/win32/user32.h"

namespace platform::comdlg32 {
namespace {

using namespace win32;

using namespace frame::literals;
using seams::DialogAnswer;

struct Request {
  std::string filter;
  std::string file = std::string(255, '\0');
  OPENFILENAMEA record{};

  explicit Request(const std::string& filterText) : filter(filterText) {
    for (char& c : filter)
      if (c == '|') c = '\0';
    filter.append(2, '\0');
    record.lStructSize = 76;
    record.lpstrFilter = filter.c_str();
    record.lpstrFile = file.data();
    record.nMaxFile = 255;
    record.lpstrDefExt = "*.ico";
    record.Flags = OFN_EXPLORER;
  }
  std::string Chosen() const { return std::string(file.c_str()); }
};

TEST(FileDialogTest, FilterExtensionAndTheChosenPath) {
  seams::ScriptedDialogs dialogs;
  dialogs.Then(DialogAnswer::Choose("/tmp/图标/新")).Then(DialogAnswer::Choose("/tmp/a.png"));
  Request request(("图标文件|*.ico|全部|*.*"_gbk).bytes());
  request.record.nFilterIndex = 2;
  ASSERT_TRUE(GetSaveFileNameA(&request.record));
  EXPECT_EQ(frame::Text(request.Chosen()), "/tmp/图标/新.ico"_gbk);  // the default extension added
  EXPECT_EQ(request.record.nFileOffset, std::string("/tmp/").size() + ("图标"_gbk).size() + 1);
  EXPECT_EQ(request.Chosen().substr(request.record.nFileExtension), "ico");
  ASSERT_TRUE(GetOpenFileNameA(&request.record));
  EXPECT_EQ(request.Chosen(), "/tmp/a.png");  // an extension of its own stays

  ASSERT_EQ(dialogs.requests().size(), 2u);
  EXPECT_EQ(dialogs.requests()[0].kind, seams::DialogKind::Save);
  EXPECT_EQ(dialogs.requests()[0].filter, "图标文件|*.ico|全部|*.*");
  EXPECT_EQ(dialogs.requests()[0].defaultExtension, "*.ico");
  EXPECT_EQ(dialogs.requests()[0].filterIndex, 2);
  EXPECT_EQ(dialogs.requests()[0].flags, OFN_EXPLORER);
  EXPECT_EQ(dialogs.requests()[1].kind, seams::DialogKind::Open);
  EXPECT_EQ(dialogs.requests()[1].text, "/tmp/图标/新.ico");  // opens on the name in the buffer
}

TEST(FileDialogTest, CancelsAndBadRecordsAreFailures) {
  seams::ScriptedDialogs dialogs;
  dialogs.Then(DialogAnswer::Cancel()).Then(DialogAnswer::Choose(std::string(300, 'x')));
  Request request("a|*.a");
  EXPECT_FALSE(GetOpenFileNameA(&request.record));
  EXPECT_FALSE(GetOpenFileNameA(&request.record));  // the path does not fit the buffer
  EXPECT_EQ(request.Chosen(), "");
  ASSERT_EQ(dialogs.requests().size(), 3u);  // and the user is told so
  EXPECT_EQ(dialogs.requests()[2].kind, seams::DialogKind::Message);
  EXPECT_NE(dialogs.requests()[2].text.find("路径太长"), std::string::npos);

  Request wrongSize("a|*.a");
  wrongSize.record.lStructSize = 12;
  EXPECT_FALSE(GetSaveFileNameA(&wrongSize.record));
  Request noBuffer("a|*.a");
  noBuffer.record.lpstrFile = nullptr;
  EXPECT_FALSE(GetSaveFileNameA(&noBuffer.record));
  EXPECT_FALSE(GetSaveFileNameA(nullptr));
  EXPECT_EQ(dialogs.requests().size(), 3u);  // bad records never reach a dialog
}

TEST(MessageBoxTest, TheResponderSeesCaptionTextAndFlags) {
  seams::ScriptedDialogs dialogs;
  dialogs.Then(DialogAnswer::Press(IDNO));
  EXPECT_EQ(
      user32::MessageBoxA(0, "a.ico已经存在，是否覆盖？\r\n"_gbk.c_str(), "信息："_gbk.c_str(), 68),
      IDNO);
  EXPECT_EQ(user32::MessageBoxA(0, "x", nullptr, MB_YESNO), IDYES);  // unscripted: the first button
  ASSERT_EQ(dialogs.requests().size(), 2u);
  EXPECT_EQ(dialogs.requests()[0].caption, "信息：");
  EXPECT_EQ(dialogs.requests()[0].text, "a.ico已经存在，是否覆盖？\n");
  EXPECT_EQ(dialogs.requests()[0].flags, 68u);
}

}  // namespace
}  // namespace platform::comdlg32
