// The conversion page end to end: the picture browser over a generated folder (rows, order,
// parameters, previews by key and click, a sub-folder by double click, "←", the history), and
// the conversion list (add, remove, preview, convert, view) writing the bytes pictolan-cli writes.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <map>

#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/desktop/user32/window_table.h"
#include "tests/pages/pages_fixture.h"
#include "tests/support/icoutils.h"
#include "ui/conversion_page.h"
#include "ui/globals.h"

namespace pages_test {
namespace {

namespace ts = testing_support;
namespace prop = frame::prop;
using seams::DialogAnswer;

QWidget* WidgetOf(win32::HWND window) {
  return platform::user32::WidgetOf(window);
}
QWidget* UnitWidget(int32_t unit) {
  return WidgetOf(frame::GetUnitHandle({kMainWindowId, unit, 0}));
}

// A 1 x 1 GIF.
const std::vector<uint8_t> kGif = {'G', 'I',  'F',  '8',  '9', 'a',  1,    0,    1,    0, 0x80, 0,
                                   0,   0xFF, 0xFF, 0xFF, 0,   0,    0,    0x2C, 0,    0, 0,    0,
                                   1,   0,    1,    0,    0,   0x02, 0x02, 0x44, 0x01, 0, 0x3B};

// The size list's positions.
enum Size { k128, k96, k64, k48, k32, k24, k16, kPng };

struct Row {
  std::string name;
  int param;
  bool operator==(const Row&) const = default;
};

class ConversionPageTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    SelectPage(0);
  }

  imaging::IconListView& List() { return *ui::ProgramGlobals().pictureList; }
  QTreeView* View() { return static_cast<QTreeView*>(WidgetOf(List().Handle())); }

  // A picture of one colour, saved by Qt in the format its extension names.
  fs::path Picture(const std::string& name, int side, QRgb colour) {
    fs::create_directories(Path(name).parent_path());
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(QString::fromStdString(Path(name).string()))) << name;
    return Path(name);
  }

  // The folder typed into the folder box, and Enter.
  void TypeFolder(const fs::path& folder) {
    auto* edit = UnitWidget(unit::组合框2)->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->setText(QString::fromStdString(folder.string()));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &release);
    frame::DoEvents();  // the box posts its event
  }
  std::string Folder() const {
    return frame::ReadText(kMainWindowId, unit::组合框2, prop::kComboContent).ToUtf8();
  }

  std::vector<Row> Rows() {
    std::vector<Row> rows;
    for (int32_t i = 0; i < List().ItemCount(); ++i)
      rows.push_back({List().GetItemText(i, 0).ToUtf8(), List().GetItemParam(i)});
    return rows;
  }

  void Mouse(QEvent::Type type, int row) {
    QTreeView* view = View();
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &event);
  }
  void ClickRow(int row) {
    Mouse(QEvent::MouseButtonPress, row);
    Mouse(QEvent::MouseButtonRelease, row);
  }
  void DoubleClickRow(int row) {
    ClickRow(row);
    Mouse(QEvent::MouseButtonDblClick, row);
    Mouse(QEvent::MouseButtonRelease, row);
  }
  void ArrowDown() {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent event(type, Qt::Key_Down, Qt::NoModifier);
      QApplication::sendEvent(View(), &event);
    }
  }

  // The browser's preview: its centre colour, or 0 once cleared when there is none.
  QRgb Preview(int32_t panel) const {
    QImage image = PagesTest::Picture(panel, prop::kDrawPanelPicture);
    return image.isNull() ? 0 : image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF;
  }
  void ClearPreview(int32_t panel) {
    frame::WriteBytes(kMainWindowId, panel, prop::kDrawPanelPicture, frame::ByteSet());
  }

  void Add(int row, Size size) {
    List().SelectedIndex(row);
    ChooseItem(unit::组合框1, size);
    Click(unit::添加按钮);
  }
  // A click on the conversion list's item.
  void SelectEntry(int index) {
    auto* box = static_cast<QListWidget*>(UnitWidget(unit::列表框1));
    const QPoint at = box->visualItemRect(box->item(index)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, box->viewport()->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(box->viewport(), &event);
    }
  }
  std::vector<std::string> ListTexts() {
    auto* box = static_cast<QListWidget*>(UnitWidget(unit::列表框1));
    std::vector<std::string> texts;
    for (int i = 0; i < box->count(); ++i)
      texts.push_back(box->item(i)->text().toStdString());
    return texts;
  }
};

TEST_F(ConversionPageTest, BrowsingAFolderListsPreviewsAndEntersSubFolders) {
  // Start-up: the desktop, pictures and documents folders, then "/", the pictures folder chosen.
  frame::UnitRef combo{kMainWindowId, unit::组合框2, 0};
  ASSERT_GE(frame::ComboItemCount(combo), 4);
  EXPECT_EQ(frame::ComboItemText(combo, 3).ToUtf8(), "/");
  EXPECT_EQ(Folder(), frame::ComboItemText(combo, 1).ToUtf8());
  EXPECT_EQ(List().ColumnText(0).ToUtf8(), "图片文件");
  EXPECT_EQ(List().ColumnWidth(0), 200);

  const QRgb colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
  const char* names[] = {"a.PNG", "b.Bmp", "c.jpg", "d.JPEG", "e.gif", "f.TIFF"};
  for (int i = 0; i < 6; ++i)
    if (i != 4) Picture(std::string("pics/") + names[i], 40, 0xFF000000u | colours[i]);
  Write("pics/e.gif", kGif);  // Qt writes no GIF
  Picture("pics/.hidden/in.png", 8, 0xFF000000u);
  Picture("pics/x.y/in.png", 8, 0xFF000000u);
  Picture("pics/sub/inner.png", 8, 0xFF123456u);
  Write("pics/notes.txt", {'h', 'i'});
  Write("pics/g.tif", {1});  // ".tif" is not among the picture extensions

  TypeFolder(Path("pics"));
  EXPECT_EQ(Caption(unit::标签1), "就绪");
  EXPECT_EQ(Rows(), (std::vector<Row>{{"sub", 1},
                                      {"a.PNG", 0},
                                      {"b.Bmp", 0},
                                      {"c.jpg", 0},
                                      {"d.JPEG", 0},
                                      {"e.gif", 0},
                                      {"f.TIFF", 0}}));
  for (int row = 0; row < 7; ++row)
    EXPECT_NE(List().ItemImage(row), -1) << row;

  // Row 0 was "previewed last" at start-up: clicking it shows nothing; each other picture shows
  // once, scaled to 128 x 128 on the panel's background, and not again when clicked again.
  ClickRow(0);
  EXPECT_EQ(Preview(unit::画板3), 0u);
  ClickRow(2);
  EXPECT_EQ(Preview(unit::画板3), colours[1]);
  EXPECT_EQ(PagesTest::Picture(unit::画板3, prop::kDrawPanelPicture).size(), QSize(128, 128));
  ClearPreview(unit::画板3);
  ClickRow(2);
  EXPECT_EQ(Preview(unit::画板3), 0u);
  ArrowDown();
  EXPECT_EQ(List().SelectedIndex(), 3);
  const QRgb jpeg = Preview(unit::画板3);  // blue, as near as JPEG keeps it
  EXPECT_GT(qBlue(jpeg), 200);
  EXPECT_LT(qRed(jpeg), 50);

  DoubleClickRow(0);
  EXPECT_EQ(Folder(), Path("pics/sub").string());
  EXPECT_EQ(Rows(), (std::vector<Row>{{"inner.png", 0}}));
  Click(unit::按钮1);
  EXPECT_EQ(Folder(), Path("pics").string());
  EXPECT_EQ(Rows().size(), 7u);

  // "←" stops at the root; a folder that does not exist changes nothing.
  TypeFolder("/");
  Click(unit::按钮1);
  EXPECT_EQ(Folder(), "/");
  TypeFolder(Path("pics/missing"));
  EXPECT_EQ(Folder(), Path("pics/missing").string());
  EXPECT_FALSE(Rows().empty());

  // ".." takes the folder the browser gives.
  Answer().Then(DialogAnswer::Choose(Path("pics/sub").string()));
  Click(unit::按钮4);
  EXPECT_EQ(Asked().back().kind, seams::DialogKind::Folder);
  EXPECT_EQ(Asked().back().caption, "请选择图片目录");
  EXPECT_EQ(Rows(), (std::vector<Row>{{"inner.png", 0}}));
}

// A folder asked for while a scan runs that is no folder changes nothing, as it does when no scan
// runs: the folder being listed is listed whole and the scan ends with "就绪".
TEST_F(ConversionPageTest, AScanRestartedTowardAMissingFolderEndsWithAWholeList) {
  std::vector<Row> expected;
  for (int i = 0; i < 6; ++i) {
    const std::string name = "p" + std::to_string(i) + ".png";
    Picture("pics/" + name, 4, 0xFF000000u);
    expected.push_back({name, 0});
  }
  const fs::path missing = Path("missing");
  frame::WriteText(kMainWindowId, unit::组合框2, prop::kComboContent,
                   frame::Text::FromUtf8(Path("pics").string()));
  QTimer::singleShot(0, [&] { TypeFolder(missing); });  // at the scan's first pause
  ui::ListPictureFolder();
  EXPECT_EQ(Caption(unit::标签1), "就绪");
  EXPECT_EQ(Rows(), expected);
  EXPECT_EQ(Folder(), missing.string());
}

TEST_F(ConversionPageTest, TheHistoryKeepsFoldersWithPicturesUpToTwenty) {
  frame::UnitRef combo{kMainWindowId, unit::组合框2, 0};
  const int before = frame::ComboItemCount(combo);
  fs::create_directories(Path("empty"));
  TypeFolder(Path("empty"));
  EXPECT_EQ(frame::ComboItemCount(combo), before);
  for (int i = 0; i < 25; ++i) {
    const std::string folder = "f" + std::to_string(i);
    Picture(folder + "/p.png", 4, 0xFF000000u);
    TypeFolder(Path(folder));
    if (i == 0) {  // a second scan of a folder adds it once
      TypeFolder(Path(folder));
      EXPECT_EQ(frame::ComboItemCount(combo), before + 1);
      EXPECT_EQ(frame::ComboItemText(combo, before).ToUtf8(), Path(folder).string());
    }
  }
  EXPECT_EQ(frame::ComboItemCount(combo), 20);
}

TEST_F(ConversionPageTest, CollectedPicturesConvertToTheIconPictolanCliWrites) {
  Picture("pics/big.png", 48, 0xFF3366CCu);
  Picture("pics/photo.bmp", 100, 0xFFCC3300u);
  Picture("pics/square.png", 256, 0x8000AA00u);
  Write("pics/broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
  Picture("pics/sub/x.png", 4, 0xFF000000u);
  TypeFolder(Path("pics"));
  ASSERT_EQ(
      Rows(),
      (std::vector<Row>{
          {"sub", 1}, {"big.png", 0}, {"broken.png", 0}, {"photo.bmp", 0}, {"square.png", 0}}));

  // An empty list converts to nothing: no icon without an image is written.
  Click(unit::转换按钮);
  EXPECT_EQ(Messages(), std::vector<std::string>{"转换列表中没有图片，请先添加图片！"});
  EXPECT_EQ(Asked().size(), 1u);  // and no save dialog

  // Nothing selected, a sub-folder, a picture that cannot be loaded: nothing is added.
  EXPECT_EQ(List().SelectedIndex(), -1);  // a listing selects nothing
  Click(unit::添加按钮);
  Add(0, k48);
  Add(2, k48);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"转换列表中没有图片，请先添加图片！", "请选择图片！",
                                      "请选择图片！", "无法读取所选图片！"}));
  EXPECT_EQ(Caption(unit::标签1), "无法读取所选图片！");
  EXPECT_TRUE(ListTexts().empty());

  Add(1, k48);
  EXPECT_EQ(Caption(unit::标签1), "已添加：big.png，48*48(32)");
  Add(3, k16);
  Add(4, k32);
  Add(4, kPng);
  EXPECT_EQ(ListTexts(), (std::vector<std::string>{"48*48(32)", "16*16(32)", "32*32(32)", "PNG"}));
  SelectEntry(2);
  Click(unit::删除按钮);
  EXPECT_EQ(ListTexts(), (std::vector<std::string>{"48*48(32)", "16*16(32)", "PNG"}));
  ASSERT_EQ(ui::ProgramGlobals().conversionList.size(), 3u);
  SelectEntry(1);  // the entry's picture at its size on the panel's background
  EXPECT_EQ(Preview(unit::画板1), 0xCC3300u);

  frame::WriteBool(kMainWindowId, unit::选择框1, prop::kCheckBoxChecked, true);
  const fs::path ours = Path("ours.ico");
  Answer().Then(DialogAnswer::Choose(ours.string()));
  Click(unit::转换按钮);
  ASSERT_TRUE(fs::exists(ours));
  EXPECT_EQ(Asked().back().filter, "图标文件|*.ico");
  EXPECT_EQ(Caption(unit::标签1), "转换完毕！已保存图标：ours.ico");
  ASSERT_EQ(ShellRequests().size(), 1u);
  EXPECT_EQ(ShellRequests()[0].file, "explorer.exe");
  EXPECT_EQ(ShellRequests()[0].parameters, "/select," + ours.string());

  const fs::path cli = Path("cli.ico");
  RunCli({"convert", "-o", cli.string(), Path("pics/big.png").string() + ":48",
          Path("pics/photo.bmp").string() + ":16", Path("pics/square.png").string() + ":png"});
  EXPECT_EQ(ts::ReadBytes(ours), ts::ReadBytes(cli));
  if (ts::HaveIcoutils()) {
    std::map<int, QImage> images = ts::IcotoolImages(ours, Path("icotool"));
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].size(), QSize(48, 48));
    EXPECT_EQ(images[1].size(), QSize(16, 16));
    EXPECT_EQ(images[2].size(), QSize(256, 256));
    EXPECT_EQ(images[1].pixel(8, 8) & 0xFFFFFF, 0xCC3300u);
  }

  // "查看" shows the file; a target that cannot be written fails and keeps the last icon.
  frame::WriteBool(kMainWindowId, unit::选择框1, prop::kCheckBoxChecked, false);
  Answer().Then(DialogAnswer::Choose(Path("missing/x.ico").string()));
  Click(unit::转换按钮);
  EXPECT_EQ(Messages().back(), "抱歉！转换失败。");
  EXPECT_EQ(Caption(unit::标签1), "抱歉！转换失败。");
  Click(unit::按钮3);
  ASSERT_EQ(ShellRequests().size(), 2u);
  EXPECT_EQ(ShellRequests()[1].parameters, "/select," + ours.string());
}

// A folder whose names GBK cannot hold (characters it lacks, a "\\" inside a name, a byte that is
// not UTF-8) is listed, previewed, collected and converted under the names the user sees.
TEST_F(ConversionPageTest, NamesOutsideGbkAreListedPreviewedAndWrittenAsTheyAre) {
  const std::string folder = "Grüße 😀";
  const std::map<std::string, QRgb> pictures = {{"café ñ.png", 0xFF0000},
                                                {"한국어.jpg", 0x00FF00},
                                                {"back\\slash.gif", 0x0000FF},
                                                {"\xFF bytes.png", 0xFFFF00}};
  fs::create_directories(Path(folder));
  for (const auto& [name, colour] : pictures)  // PNG whatever the name: pictures are sniffed
    fs::rename(Picture("tmp.png", 40, 0xFF000000u | colour), Path(folder) / name);
  Answer().Then(DialogAnswer::Choose(Path(folder).string()));
  Click(unit::按钮4);
  EXPECT_EQ(Folder(), Path(folder).string());
  std::vector<Row> rows = Rows();
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.name < b.name; });
  std::vector<Row> expected;
  for (const auto& entry : pictures)
    expected.push_back({entry.first, 0});
  EXPECT_EQ(rows, expected);

  // Row 0 was "previewed last" when the list was filled: it shows once another row has.
  for (int row : {1, 2, 3, 0}) {
    ClickRow(row);
    EXPECT_EQ(Preview(unit::画板3), pictures.at(Rows()[row].name)) << Rows()[row].name;
    Add(row, k32);
  }
  EXPECT_EQ(ListTexts(), std::vector<std::string>(4, "32*32(32)"));
  EXPECT_TRUE(Messages().empty());

  const fs::path ours = Path(folder) / "ikon ß.ico";
  Answer().Then(DialogAnswer::Choose(ours.string()));
  Click(unit::转换按钮);
  std::vector<std::string> cli = {"convert", "-o", Path("cli.ico").string()};
  for (int row : {1, 2, 3, 0})
    cli.push_back((Path(folder) / Rows()[row].name).string() + ":32");
  RunCli(cli);
  EXPECT_EQ(ts::ReadBytes(ours), ts::ReadBytes(Path("cli.ico")));
  for (const auto& entry : fs::recursive_directory_iterator(dir_.path()))
    EXPECT_EQ(entry.path().filename().string().find('?'), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace pages_test
