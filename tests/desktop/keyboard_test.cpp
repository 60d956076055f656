// The keys that move around the window: Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch
// pages wherever the focus is; Enter on a folder row of the picture list opens the folder, as a
// double click does.
#include <QApplication>
#include <QTest>
#include <QTreeView>

#include "frame/ui_commands.h"
#include "platform/desktop/user32/window_table.h"
#include "tests/desktop/desktop_fixture.h"
#include "ui/globals.h"

namespace desktop_test {
namespace {

using KeyboardTest = DesktopTest;

TEST_F(KeyboardTest, ControlKeysSwitchPagesFromAnyUnit) {
  Start();
  QWidget* window = Widget(0);
  QApplication::setActiveWindow(window);
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int32_t focus;
    int page;  // after the key, from the conversion page
  } rows[] = {
      {Qt::Key_Tab, Qt::ControlModifier, unit::组合框2, kExtractionPage},
      {Qt::Key_PageDown, Qt::ControlModifier, unit::组合框2, kExtractionPage},
      {Qt::Key_PageUp, Qt::ControlModifier, unit::按钮4, kExtractionPage},  // two pages: wraps
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, unit::按钮4, kExtractionPage},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(QKeySequence(row.key | row.modifiers).toString().toStdString());
    ShowPage(kConversionPage);
    QWidget* focus = Widget(row.focus);
    focus->setFocus();
    QTest::keyClick(focus, row.key, row.modifiers);
    EXPECT_EQ(Page(), row.page);
    QTest::keyClick(Widget(unit::保存路径编辑框), row.key, row.modifiers);
    EXPECT_EQ(Page(), kConversionPage);
    // The units of the page shown are the ones visible.
    EXPECT_TRUE(Widget(unit::外形框1)->isVisible());
    EXPECT_FALSE(Widget(unit::画板2)->isVisible());
  }
}

TEST_F(KeyboardTest, EnterOnAFolderRowOpensIt) {
  const fs::path folder = PictureFolder();
  Start(folder);
  imaging::IconListView& list = *ui::ProgramGlobals().pictureList;
  auto* view = static_cast<QTreeView*>(platform::user32::WidgetOf(list.Handle()));
  QApplication::setActiveWindow(Widget(0));
  view->setFocus();
  ASSERT_EQ(list.GetItemText(1, 0).ToUtf8(), "a.png");
  list.SelectedIndex(1);
  view->setCurrentIndex(view->model()->index(1, 0));
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(Folder(), folder.string());  // a picture's row: nothing to open
  ASSERT_EQ(list.GetItemText(0, 0).ToUtf8(), "holiday");
  QTest::keyClick(view, Qt::Key_Up);
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(Folder(), (folder / "holiday").string());
}

}  // namespace
}  // namespace desktop_test
