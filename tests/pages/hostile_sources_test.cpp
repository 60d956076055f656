// What the pages do with sources that are not what they seem: a named pipe where a picture, an
// icon or a module is expected (refused without blocking the window, with the operation's
// failure), a long strip (the window runs while it is drawn), and a module whose groups would
// make gigabytes of icon files (refused before anything is written).
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include <functional>

#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "imaging/icon_list_view.h"
#include "platform/desktop/user32/window_table.h"
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

ts::Bytes ModuleOf(int icons) {
  ts::PeWriter writer;
  for (int g = 1; g <= icons; ++g) {
    ts::DibRecipe recipe;
    recipe.width = recipe.height = 32;
    recipe.pixel = [g](int, int) { return 0xFF000000u | static_cast<uint32_t>(g * 997); };
    writer.AddIconGroup(g, ts::MakeIcoFile({ts::MakeIconDib(recipe)}));
  }
  return writer.Build();
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

// The strip of a source lets the window run while it is drawn, with the page's buttons waiting;
// a window closed in the middle ends the drawing quietly. (A timer of 1 ms fires within a strip
// of a thousand icons that pumps messages, and only after it when it does not.)
TEST_F(HostileSourcesTest, TheStripLetsTheWindowRunWhileItIsDrawn) {
  const fs::path module = Write("thousand.dll", ModuleOf(1000));
  for (bool close : {false, true}) {
    SCOPED_TRACE(close);
    bool sawDrawing = false;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (!Disabled(unit::提取图标按钮)) return;
      sawDrawing = true;
      watch.stop();
      if (close) UnitWidget(0)->close();
    });
    watch.start();
    Answer().Then(DialogAnswer::Choose(module.string()));
    Click(unit::提取图标按钮);
    EXPECT_TRUE(sawDrawing);
    if (close) break;
    EXPECT_FALSE(Disabled(unit::提取图标按钮));
    EXPECT_EQ(Picture(unit::图标画板, frame::prop::kDrawPanelPicture).width(), 1000 * 32);
  }
}

// 60 groups of 300 entries naming one 128 x 128 image: 1.2 GB of icon files from a module of
// 300 KB. The batch is refused before a folder is made; pictolan-cli refuses it alike.
TEST_F(HostileSourcesTest, ExtractAllRefusesGroupsThatWouldWriteGigabytes) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = 128;
  const ts::Bytes image = ts::MakeIconDib(recipe);
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

// For a person to look at, on an X display (offscreen it is skipped): the page while a strip of
// a thousand icons is drawn (the buttons wait), once it is drawn, and the real message box that
// refuses an extract-all of gigabytes: BUILD/screenshots/strip_drawing.png, strip_drawn.png and
// extract_all_refused.png.
TEST_F(HostileSourcesTest, ScreenshotsOfTheStripAndTheRefusal) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
  const QString folder = QString(PICTOLAN_BINARY_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(folder));
  QWidget* window = UnitWidget(0);
  auto shoot = [&](const QString& name, QWidget* over) {
    const QRect area =
        (over ? window->frameGeometry() | over->frameGeometry() : window->frameGeometry())
            .adjusted(-8, -8, 8, 8);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    EXPECT_TRUE(screen.copy(area & screen.rect()).save(folder + "/" + name, "PNG"))
        << name.toStdString();
  };
  auto settle = [] {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 500)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
  };
  settle();

  const fs::path module = Write("thousand.dll", ModuleOf(1000));
  QTimer watch;
  watch.setInterval(1);
  int seen = 0;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!Disabled(unit::提取图标按钮) || ++seen < 20) return;  // well into the strip
    watch.stop();
    shoot("strip_drawing.png", nullptr);
  });
  watch.start();
  Answer().Then(DialogAnswer::Choose(module.string()));
  Click(unit::提取图标按钮);
  settle();
  shoot("strip_drawn.png", nullptr);

  ts::DibRecipe recipe;
  recipe.width = recipe.height = 128;
  const ts::Bytes image = ts::MakeIconDib(recipe);
  ts::PeWriter writer(ts::PeWriter::Format::Pe32, true);
  writer.Add(ts::kRtIcon, 1, image);
  for (int g = 1; g <= 60; ++g)
    writer.Add(ts::kRtGroupIcon, g, ts::RepeatedImageGroup(image, 1, 300));
  Answer().Then(DialogAnswer::Choose(Write("repeated.dll", writer.Build()).string()));
  Click(unit::提取图标按钮);
  SetContent(unit::保存路径编辑框, Path("out").string());
  ChooseItem(unit::格式组合框, 5);
  dialogs_.reset();  // the real message box from here on
  QTimer poll;
  poll.setInterval(200);
  int ticks = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || ++ticks < 4) return;
    shoot("extract_all_refused.png", box);
    box->close();
  });
  poll.start();
  Click(unit::全部提取按钮);
  EXPECT_GE(ticks, 4) << "the message box was shown";
  EXPECT_FALSE(fs::exists(Path("out")));
}

}  // namespace
}  // namespace pages_test
