// What the pages do with sources that are not what they seem: a named pipe where a picture, an
// icon or a module is expected (refused without blocking the window, with the operation's
// failure), and a module whose groups would make gigabytes of icon files (refused before
// anything is written).
#include <sys/stat.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeView>

#include <functional>

#include "frame/ui_commands.h"
#include "imaging/icon_list_view.h"
#include "platform/user32/window_table.h"
#include "tests/pages/pages_fixture.h"
#include "tests/support/icon_images.h"
#include "tests/support/pe_writer.h"
#include "tests/support/watchdog.h"
#include "ui/globals.h"

namespace pages_test {
namespace {

namespace ts = testing_support;
using seams::DialogAnswer;

QWidget* UnitWidget(int32_t unit) {
  return platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, unit, 0}));
}

class HostileSourcesTest : public PagesTest {
 protected:
  fs::path Pipe(const std::string& name) {
    const fs::path pipe = Path(name);
    fs::create_directories(pipe.parent_path());
    EXPECT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    return pipe;
  }
  // The action, which must neither block on the pipe nor be taken for a success.
  void Expect(const fs::path& pipe, const std::function<void()>& action) {
    EXPECT_TRUE(ts::ReturnsWithoutBlocking(pipe, action));
  }
};

// Each tool of the extraction page given a pipe ends with its failure (whatever its words),
// without waiting on it.
TEST_F(HostileSourcesTest, ExtractionPageToolsRefuseAPipe) {
  const fs::path module = Pipe("pipe.dll"), icon = Pipe("pipe.ico");
  Answer().Then(DialogAnswer::Choose(module.string()));
  Expect(module, [&] { Click(unit::提取图标按钮); });
  EXPECT_EQ(Caption(unit::提示标签), "‘pipe.dll’中没有图标！可提取其关联文件图标。");

  Answer()
      .Then(DialogAnswer::Choose(icon.string()))
      .Then(DialogAnswer::Choose(Path("parts").string()));
  Expect(icon, [&] { Click(unit::分割图标按钮); });
  EXPECT_NE(Messages().back().find("失败"), std::string::npos) << Messages().back();

  Answer()
      .Then(DialogAnswer::Choose(icon.string()))
      .Then(DialogAnswer::Choose(Path("rebuilt.ico").string()));
  Expect(icon, [&] { Click(unit::提取图标按钮2); });
  EXPECT_FALSE(fs::exists(Path("rebuilt.ico")));

  Answer()
      .Then(DialogAnswer::Choose(icon.string()))
      .Then(DialogAnswer::Choose(Path("folder.ico").string()));
  Expect(icon, [&] { Click(unit::取文件夹图标按钮); });
  EXPECT_NE(Messages().back().find("失败"), std::string::npos) << Messages().back();
  for (const std::string& message : Messages())
    EXPECT_EQ(message.find("完毕"), std::string::npos) << message;
}

// The picture browser lists a pipe named as a picture; reaching it previews nothing and adds
// nothing, and the window goes on.
TEST_F(HostileSourcesTest, ConversionPageSkipsAPipeNamedAsAPicture) {
  SelectPage(0);
  const fs::path pipe = Pipe("pics/pipe.png");
  auto* folderBox = UnitWidget(unit::组合框2)->findChild<QLineEdit*>();
  ASSERT_NE(folderBox, nullptr);
  imaging::IconListView& list = *ui::ProgramGlobals().pictureList;
  Expect(pipe, [&] {
    folderBox->setText(QString::fromStdString(Path("pics").string()));
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent enter(type, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(folderBox, &enter);
    }
    frame::DoEvents();
  });
  ASSERT_EQ(list.ItemCount(), 1);
  EXPECT_EQ(list.GetItemText(0, 0).ToUtf8(), "pipe.png");

  auto* view = static_cast<QTreeView*>(platform::user32::WidgetOf(list.Handle()));
  const QPoint at = view->visualRect(view->model()->index(0, 0)).center();
  Expect(pipe, [&] {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(view->viewport(), &event);
    }
    Click(unit::添加按钮);
  });
  EXPECT_EQ(Messages().size(), 1u) << "the add says the picture cannot be taken";
}

// 60 groups of 300 entries naming one 128 x 128 image: 1.2 GB of icon files from a module of
// 300 KB. The batch is refused before a folder is made; pictolan-cli refuses it alike.
TEST_F(HostileSourcesTest, ExtractAllRefusesGroupsThatWouldWriteGigabytes) {
  ts::DibRecipe spec;
  spec.width = spec.height = 128;
  const ts::Bytes image = ts::MakeIconDib(spec);
  ts::PeWriter writer;
  writer.Add(ts::kRtIcon, 1, image);
  for (int g = 1; g <= 60; ++g)
    writer.Add(ts::kRtGroupIcon, g, ts::RepeatedImageGroup(image, 1, 300));
  const fs::path module = Write("repeated.dll", writer.Build());
  Answer().Then(DialogAnswer::Choose(module.string()));
  Click(unit::提取图标按钮);
  ASSERT_EQ(Caption(unit::提示标签), "‘repeated.dll’有60个图标。");
  SetContent(unit::保存路径编辑框, Path("out").string());
  ChooseItem(unit::格式组合框, 5);  // icon files
  Click(unit::全部提取按钮);
  ASSERT_FALSE(Messages().empty());
  EXPECT_TRUE(Messages().back().starts_with("全部提取失败！")) << Messages().back();
  EXPECT_NE(Messages().back().find("1024 MB"), std::string::npos);
  EXPECT_FALSE(fs::exists(Path("out")));

  std::string output;
  EXPECT_NE(ts::RunCommand(std::string(PICTOLAN_CLI_PATH) + " extract --all --out '" +
                               Path("cli").string() + "' '" + module.string() + "' 2>&1",
                           &output),
            0);
  EXPECT_NE(output.find("more than the 1024 MiB one extraction may write"), std::string::npos)
      << output;
  EXPECT_FALSE(fs::exists(Path("cli")));
}

}  // namespace
}  // namespace pages_test
