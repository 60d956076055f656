// The dialog, cursor, message-pumping and unit commands, answered by the tests' dialog responder
// and watched by the shell recorder.
#include <QApplication>
#include <QCursor>
#include <QTimer>

#include <filesystem>

#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/desktop/test_seams.h"
#include "platform/win32/comdlg32.h"
#include "platform/win32/user32.h"
#include "tests/window/window_fixture.h"
#include "ui/app_info.h"
#include "ui/globals.h"
#include "ui/program.h"

namespace window_test {
namespace {

using namespace frame::literals;
using platform::seams::DialogAnswer;
using platform::seams::DialogKind;
namespace user32 = platform::user32;

TEST(MessageBoxTest, AnswersAreNumberedFromZero) {
  const struct {
    int button;
    int32_t answer;
  } rows[] = {{win32::IDOK, 0},     {win32::IDCANCEL, 1}, {win32::IDABORT, 2}, {win32::IDRETRY, 3},
              {win32::IDIGNORE, 4}, {win32::IDYES, 5},    {win32::IDNO, 6}};
  for (const auto& row : rows) {
    platform::seams::ScriptedDialogs dialogs;
    dialogs.Then(DialogAnswer::Press(row.button));
    EXPECT_EQ(frame::MessageBox(frame::Value(12), 36), row.answer) << row.button;
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_EQ(dialogs.requests()[0].kind, DialogKind::Message);
    EXPECT_EQ(dialogs.requests()[0].caption, "信息：");
    EXPECT_EQ(dialogs.requests()[0].text, "12");
    EXPECT_EQ(dialogs.requests()[0].flags, 36u | win32::MB_TASKMODAL);
    EXPECT_EQ(dialogs.requests()[0].owner, 0u);
  }
}

TEST(MessageBoxTest, CaptionAndSystemModalAreThoseAsked) {
  platform::seams::ScriptedDialogs dialogs;
  frame::MessageBox(frame::Value("抱歉！转换失败。"_gbk), win32::MB_SYSTEMMODAL, "错误"_gbk);
  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_EQ(dialogs.requests()[0].caption, "错误");
  EXPECT_EQ(dialogs.requests()[0].text, "抱歉！转换失败。");
  EXPECT_EQ(dialogs.requests()[0].flags, win32::MB_SYSTEMMODAL);
}

TEST(InputBoxTest, TheTypedTextTakesTheVariablesType) {
  platform::seams::ScriptedDialogs dialogs;
  dialogs.Then(DialogAnswer::Choose("图标"))
      .Then(DialogAnswer::Choose(" 42.9"))
      .Then(DialogAnswer::Cancel());
  frame::Value text(frame::Text("old"));
  EXPECT_TRUE(frame::InputBox("名称"_gbk, "输入"_gbk, "旧"_gbk, text));
  EXPECT_EQ(*text.get<frame::Text>(), "图标"_gbk);
  frame::Value number(int32_t{7});
  EXPECT_TRUE(frame::InputBox("数量"_gbk, std::nullopt, std::nullopt, number, 9));
  EXPECT_EQ(*number.get<int32_t>(), 42);
  EXPECT_FALSE(frame::InputBox("数量"_gbk, std::nullopt, std::nullopt, number, 0));
  EXPECT_EQ(*number.get<int32_t>(), 42);

  ASSERT_EQ(dialogs.requests().size(), 3u);
  EXPECT_EQ(dialogs.requests()[0].kind, DialogKind::Input);
  EXPECT_EQ(dialogs.requests()[0].caption, "输入");
  EXPECT_EQ(dialogs.requests()[0].text, "名称");
  EXPECT_EQ(dialogs.requests()[0].folder, "旧");  // the initial text
  EXPECT_EQ(dialogs.requests()[1].flags, 4u);     // modes clamp to 1..4
  EXPECT_EQ(dialogs.requests()[2].flags, 1u);
}

TEST(CursorTest, TheWaitCursorComesAndGoesOnce) {
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  frame::SetWaitCursor();
  frame::SetWaitCursor();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  frame::RestoreCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  frame::RestoreCursor();  // nothing remembered: nothing to do
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(frame::ReleaseMouseCapture());
}

TEST(ShellCommandTest, OpenWebAddressHandsTheAddressToTheShell) {
  platform::seams::ShellRecorder shell;
  frame::OpenWebAddress(frame::Text("https://example.org/x?a=1"));
  ASSERT_EQ(shell.requests().size(), 1u);
  EXPECT_EQ(shell.requests()[0].verb, "open");
  EXPECT_EQ(shell.requests()[0].file, "https://example.org/x?a=1");
  EXPECT_EQ(shell.requests()[0].target, "https://example.org/x?a=1");
  EXPECT_EQ(shell.requests()[0].action, platform::seams::ShellRequest::Action::Open);
}

TEST(LinkButtonTest, HandsTheMakersAddressToTheShellEachTime) {
  frame::RuntimeApp app(ui::Program());
  app.Initialise();
  ui::SetUpGlobals();  // as the program's start routine does before the window loads
  app.LoadStartWindow(kMainWindowId);
  const frame::Text caption =
      frame::ReadText(kMainWindowId, unit::标签1, frame::prop::kLabelCaption);
  platform::seams::ShellRecorder shell;
  for (int click = 0; click < 2; ++click) {
    frame::EventRecord event(kMainWindowId, unit::按钮5, 0);
    EXPECT_TRUE(frame::FireEvent(event));
  }
  ASSERT_EQ(shell.requests().size(), 2u);
  for (const auto& request : shell.requests()) {
    EXPECT_EQ(request.file, ui::MakerWebAddress().ToUtf8());
    EXPECT_EQ(request.verb, "open");
  }
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::标签1, frame::prop::kLabelCaption), caption);
  EXPECT_EQ(
      user32::SendMessageA(frame::GetUnitHandle({kMainWindowId, unit::标签1, 0}), 0x8075, 1, 2), 0);
  ui::CleanUpGlobals();
}

using UnitCommandTest = MainWindowTest;

TEST_F(UnitCommandTest, TheCommonDialogAsksAndKeepsTheChosenPath) {
  const frame::UnitRef dialog{kMainWindowId, unit::通用对话框3, 0x1001F};
  frame::WriteText(kMainWindowId, unit::通用对话框3, frame::prop::kDialogFilter,
                   "PNG图像|*.png"_gbk);
  frame::WriteText(kMainWindowId, unit::通用对话框3, frame::prop::kDialogDefaultExtension,
                   "*.png"_gbk);
  platform::seams::ScriptedDialogs dialogs;
  dialogs.Then(DialogAnswer::Choose("/tmp/图标")).Then(DialogAnswer::Cancel());
  EXPECT_TRUE(frame::CommonDlgOpen(dialog));
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::通用对话框3, frame::prop::kDialogFileName),
            "/tmp/图标.png"_gbk);
  EXPECT_FALSE(frame::CommonDlgOpen(dialog));
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::通用对话框3, frame::prop::kDialogFileName),
            "/tmp/图标.png"_gbk);

  ASSERT_EQ(dialogs.requests().size(), 2u);
  const auto& asked = dialogs.requests()[0];
  EXPECT_EQ(asked.kind, DialogKind::Save);
  EXPECT_EQ(asked.filter, "PNG图像|*.png");
  EXPECT_EQ(asked.defaultExtension, "*.png");
  EXPECT_EQ(asked.filterIndex, 1);
  EXPECT_TRUE(asked.flags & win32::OFN_OVERWRITEPROMPT);
  EXPECT_EQ(asked.owner, WindowOf(0));
  EXPECT_EQ(dialogs.requests()[1].text, "/tmp/图标.png");  // the dialog opens on the last name
}

TEST_F(UnitCommandTest, ComboAndListItemsAtTheirEdges) {
  const frame::UnitRef formats{kMainWindowId, unit::格式组合框, 0x1000E};
  EXPECT_EQ(frame::ComboItemCount(formats), 7);
  EXPECT_EQ(frame::ComboItemText(formats, -1), frame::Text());
  EXPECT_EQ(frame::ComboItemText(formats, 7), frame::Text());
  EXPECT_EQ(frame::ComboItemText(formats, 6), "位图(透明)"_gbk);
  EXPECT_EQ(frame::ComboItemData(formats, -1), -1);
  EXPECT_EQ(frame::ComboItemData(formats, 99), -1);
  EXPECT_EQ(frame::ComboAddItem(formats, "ICNS"_gbk, 77), 7);
  EXPECT_EQ(frame::ComboItemData(formats, 7), 77);

  const frame::UnitRef list{kMainWindowId, unit::列表框1, 0x1000F};
  EXPECT_FALSE(frame::ListDeleteItem(list, 0));
  EXPECT_EQ(frame::ListAddItem(list, "16*16"_gbk), 0);
  EXPECT_FALSE(frame::ListDeleteItem(list, 1));
  EXPECT_TRUE(frame::ListDeleteItem(list, 0));
}

TEST_F(UnitCommandTest, DoEventsDispatchesWhatIsWaiting) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  frame::DoEvents();
  EXPECT_TRUE(ran);
  EXPECT_EQ(frame::GetUnitHandle({kMainWindowId, unit::按钮5, 0x1000B}), WindowOf(unit::按钮5));
}

TEST_F(UnitCommandTest, TheProgramsFolderIsTheExecutablesAndIsMadeCurrent) {
  const std::string folder = std::filesystem::canonical("/proc/self/exe").parent_path().string();
  EXPECT_EQ(frame::GetProgramDir(), frame::Text::FromUtf8(folder));
  EXPECT_EQ(std::filesystem::current_path().string(), folder);
}

using UnitCommandDeathTest = MainWindowTest;

TEST_F(UnitCommandDeathTest, MissingUnitsAndWrongTypesAreRuntimeErrors) {
  EXPECT_EXIT(frame::GetUnitHandle({kMainWindowId, 0x16999999, 0}), testing::ExitedWithCode(255),
              "运行时出错!.*指定窗口或窗口组件不存在或尚未载入");
  EXPECT_EXIT(frame::GetUnitHandle({0x52019999, 0, 0}), testing::ExitedWithCode(255),
              "指定窗口或窗口组件不存在或尚未载入");
  EXPECT_EXIT(frame::ComboItemCount({kMainWindowId, unit::列表框1, 0x1000E}),
              testing::ExitedWithCode(255), "所提供参数的数据类型不符合要求");
}

}  // namespace
}  // namespace window_test
