// Pictolan as a user whose desktop speaks English sees it: every text the program can show has an
// English entry in the catalog and no Chinese text bypasses it, every caption fits its unit at the
// form's font, and texts built from pieces read in English. On an X display
// (scripts/english-screenshots.sh) the pages and a message box are saved for a person to look at.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextLayout>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
// GCC 12 warns of an uninitialised std::function inside <regex> when it inlines the regex
// compiler at low optimisation (a false alarm in the library's own code).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frame/form/form.h"
#include "frame/form/type_data.h"
#include "frame/form/unit_types.h"
#include "frame/properties.h"
#include "frame/translated.h"
#include "frame/ui_commands.h"
#include "platform/core/i18n/catalog.h"
#include "platform/core/i18n/language.h"
#include "platform/desktop/test_seams.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/pe_writer.h"
#include "tests/support/window_fixture.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"

namespace {

// The language is chosen from the environment on first use: this program's tests speak English.
const bool kEnglish = [] { return setenv("PICTOLAN_LANGUAGE", "en", 1) == 0; }();

namespace fs = std::filesystem;
namespace seams = platform::seams;
namespace ts = testing_support;
namespace unit = ui::unit;
using ui::kMainWindowId;

struct Shown {
  std::string context, text;
  bool operator<(const Shown& other) const {
    return std::tie(context, text) < std::tie(other.context, other.text);
  }
};

std::string ReadSource(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::string Unescaped(const std::string& literal) {
  std::string out;
  for (size_t i = 0; i < literal.size(); ++i) {
    if (literal[i] != '\\' || i + 1 == literal.size()) {
      out += literal[i];
      continue;
    }
    const char c = literal[++i];
    out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
  }
  return out;
}

// The sources of the program, the frame, the platform and the CLI.
std::vector<fs::path> Sources() {
  std::vector<fs::path> files;
  for (const char* folder : {"ui", "extract", "icofile", "imaging", "frame", "platform", "cli"})
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(PICTOLAN_SOURCE_DIR) / folder))
      if (entry.path().extension() == ".cpp" || entry.path().extension() == ".h")
        files.push_back(entry.path());
  return files;
}

const std::regex& Marker() {
  static const std::regex marker(R"re(TR(?:_UTF8)?\(\s*"([^"]+)",\s*"((?:[^"\\]|\\.)*)"\s*\))re");
  return marker;
}

// The source without its comments and its TR(...) markers: what may not hold Chinese.
std::string OutsideMarkers(const std::string& source) {
  std::string code;
  bool inString = false;
  for (size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    if (inString) {
      code += c;
      if (c == '\\' && i + 1 < source.size())
        code += source[++i];
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
      code += c;
    } else if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
      while (i < source.size() && source[i] != '\n')
        ++i;
      code += '\n';
    } else {
      code += c;
    }
  }
  return std::regex_replace(code, Marker(), "");
}

// Whether a UTF-8 text holds a CJK character or CJK punctuation.
bool HoldsChinese(const std::string& text) {
  for (size_t i = 0; i + 2 < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == 0xE3 || (b >= 0xE4 && b <= 0xE9) || b == 0xEF) return true;  // U+3000..U+9FFF, FFxx
  }
  return false;
}

// The texts the form shows, as the frame translates them (context "form").
std::vector<Shown> FormTexts() {
  std::vector<Shown> texts;
  auto form = frame::form::Parse(ui::MainWindowForm());
  if (!form) return texts;
  const auto* window = form->Find(kMainWindowId);
  if (!window) return texts;
  auto add = [&](const frame::Text& text) {
    if (!text.empty()) texts.push_back({"form", text.ToUtf8()});
  };
  for (const frame::form::TableEntry& entry : window->record.table) {
    const auto* record = std::get_if<frame::form::UnitRecord>(&entry);
    if (!record) continue;
    auto data = frame::form::ReadTypeData(*record);
    if (!data) continue;
    std::visit(
        [&](const auto& unitData) {
          if constexpr (requires { unitData.caption; }) add(unitData.caption);
          if constexpr (requires { unitData.title; }) add(unitData.title);
          if constexpr (requires { unitData.items; })
            for (const frame::Text& item : unitData.items)
              add(item);
          if constexpr (requires { unitData.pages; })
            for (const frame::Text& page : unitData.pages)
              add(page);
        },
        *data);
  }
  return texts;
}

TEST(EnglishTest, EveryTextTheProgramCanShowHasAnEnglishEntry) {
  ASSERT_EQ(platform::i18n::UserLanguage(), "en");
  const auto catalog = platform::i18n::Catalog::Load(platform::i18n::CatalogPath("en"));
  ASSERT_GT(catalog.size(), 0u);
  std::set<Shown> texts;
  std::vector<std::string> bypassing;
  for (const fs::path& file : Sources()) {
    const std::string source = ReadSource(file);
    for (std::sregex_iterator m(source.begin(), source.end(), Marker()), end; m != end; ++m)
      if (file.filename() != "translated.h" && file.filename() != "translation.h")
        texts.insert({(*m)[1], Unescaped((*m)[2])});
    // The library commands' own words for truth values and dates are data, not shown texts; the
    // unit types' table names are never shown.
    const std::string name = file.filename().string();
    if (name == "commands_conversions.cpp" || name == "unit_types.h") continue;
    const std::string code = OutsideMarkers(source);
    const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
    for (std::sregex_iterator m(code.begin(), code.end(), literal), end; m != end; ++m)
      if (HoldsChinese((*m)[1])) bypassing.push_back(file.string() + ": " + (*m)[1].str());
  }
  for (const Shown& text : FormTexts())
    texts.insert(text);
  EXPECT_GT(texts.size(), 130u);
  std::vector<std::string> missing;
  for (const Shown& text : texts) {
    if (!catalog.Find(text.context, text.text)) missing.push_back(text.context + ": " + text.text);
  }
  EXPECT_EQ(missing, std::vector<std::string>{});
  EXPECT_EQ(bypassing, std::vector<std::string>{});
}

// The window in English, its dialogs answered from a script.
class EnglishWindowTest : public ts::ProgramWindowTest {
 protected:
  void SetUp() override {
    ProgramWindowTest::SetUp();
    LoadWindow();
  }
};

// Whether the text is one of the form's own texts, which no translation changed.
bool IsOwnText(const QString& text) {
  static const std::set<std::string> own = [] {
    std::set<std::string> texts;
    for (const Shown& shown : FormTexts())
      texts.insert(shown.text);
    return texts;
  }();
  return own.count(text.toStdString()) > 0;
}

// What of a unit's rectangle its parent shows: a unit may reach past its parent's edge.
QRect Visible(QWidget* widget) {
  QRect shown = widget->rect();
  for (QWidget* w = widget; w->parentWidget() && !w->isWindow(); w = w->parentWidget())
    shown &= w->parentWidget()->rect().translated(-w->pos());
  return shown;
}

// The lines a label sets its caption in, as frame/units/label.cpp does, but breaking at words
// only: English must not be cut inside a word.
std::vector<qreal> LabelLines(const QString& caption, const QFont& font, int width) {
  std::vector<qreal> widths;
  for (const QString& paragraph : QString(caption).replace("\r\n", "\n").split('\n')) {
    QTextLayout layout(paragraph, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      widths.push_back(line.naturalTextWidth());
    }
    layout.endLayout();
  }
  return widths;
}

TEST_F(EnglishWindowTest, EveryCaptionFitsItsUnit) {
  auto form = frame::form::Parse(ui::MainWindowForm());
  ASSERT_TRUE(form);
  std::vector<std::string> clipped;
  int measured = 0;
  for (const frame::form::TableEntry& entry : form->Find(kMainWindowId)->record.table) {
    const auto* record = std::get_if<frame::form::UnitRecord>(&entry);
    if (!record || record->id == unit::kWindowEntry) continue;
    QWidget* widget = Widget(record->id);
    if (!widget || !record->visible()) continue;
    const QRect shown = Visible(widget);
    const QFontMetrics metrics(widget->font());
    // A text the catalog leaves as it is ("128*128", "..") reads as in the program's own texts.
    auto check = [&](const QString& text, int room, const char* what) {
      if (!HoldsChinese(text.toStdString()) && IsOwnText(text)) return;
      ++measured;
      if (metrics.horizontalAdvance(text) > room)
        clipped.push_back(std::string(what) + " '" + text.toStdString() +
                          "': " + std::to_string(metrics.horizontalAdvance(text)) + " > " +
                          std::to_string(room));
    };
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.rect = shown;
      const QRect room =
          button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
      check(button->text(), room.width(), "button");
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      QStyleOptionButton option;
      option.initFrom(box);
      option.rect = shown;
      const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
      check(box->text(), room.width(), "check box");
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QStyleOptionComboBox option;
      option.initFrom(combo);
      option.rect = shown;
      const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                        QStyle::SC_ComboBoxEditField, combo);
      for (int i = 0; i < combo->count(); ++i)
        check(combo->itemText(i), room.width(), "combo item");
    } else if (auto* bar = widget->findChild<QTabBar*>()) {
      int tabs = 0;
      for (int i = 0; i < bar->count(); ++i)
        tabs += bar->tabRect(i).width();
      check(bar->tabText(0) + bar->tabText(1), shown.width(), "tabs");
      EXPECT_LE(tabs, shown.width());
    } else if (record->typeId == static_cast<int32_t>(frame::form::UnitType::Label)) {
      const QString caption = QString::fromStdString(Caption(record->id));
      if (caption.isEmpty()) continue;
      const qreal lineHeight = std::min<qreal>(widget->font().pixelSize() + 1, metrics.height());
      const std::vector<qreal> lines = LabelLines(caption, widget->font(), shown.width());
      ++measured;
      bool fits = lines.size() * lineHeight <= shown.height();
      for (qreal width : lines)
        fits = fits && width <= shown.width();
      if (!fits)
        clipped.push_back("label '" + caption.toStdString() + "': " + std::to_string(lines.size()) +
                          " lines in " + std::to_string(shown.width()) + " x " +
                          std::to_string(shown.height()));
    }
  }
  EXPECT_GT(measured, 30);
  EXPECT_EQ(clipped, std::vector<std::string>{});
}

TEST_F(EnglishWindowTest, TextsBuiltFromPiecesReadInEnglish) {
  ts::TempDir dir;
  ts::PeWriter writer;
  for (int g = 1; g <= 3; ++g) {
    ts::DibRecipe recipe;
    recipe.width = recipe.height = 32;
    writer.AddIconGroup(g, ts::MakeIcoFile({ts::MakeIconDib(recipe)}));
  }
  const fs::path module = dir / "Three.dll";
  ts::WriteBytes(module, writer.Build());
  SelectPage(1);
  dialogs_->Then(seams::DialogAnswer::Choose(module.string()));
  Click(unit::提取图标按钮);
  EXPECT_EQ(Caption(unit::提示标签), "Icons in ‘three.dll’: 3");
  EXPECT_EQ(Caption(unit::标签1), "Ready");
  // The proposed folder is named in English too, after the format chosen.
  const std::string proposed =
      frame::ReadText(kMainWindowId, unit::保存路径编辑框, frame::prop::kEditContent).ToUtf8();
  const std::string format =
      frame::ReadText(kMainWindowId, unit::格式组合框, frame::prop::kComboContent).ToUtf8();
  EXPECT_FALSE(HoldsChinese(format)) << format;
  EXPECT_EQ(fs::path(proposed).parent_path().filename(), format);

  frame::WriteText(kMainWindowId, unit::保存路径编辑框, frame::prop::kEditContent,
                   frame::Text::FromUtf8((dir / "out").string()));
  frame::WriteText(kMainWindowId, unit::编辑框2, frame::prop::kEditContent, frame::Text("2"));
  frame::WriteInt(kMainWindowId, unit::格式组合框, frame::prop::kComboCurrentIndex, 4);  // PNG
  Click(unit::提取按钮);
  EXPECT_EQ(Caption(unit::标签1), "PNG picture saved! Number: 2");

  dialogs_->Then(seams::DialogAnswer::Press(win32::IDNO));
  Click(unit::全部提取按钮);
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(Messages().back(), "Extraction finished! Open the folder to see the files?");
  EXPECT_EQ(dialogs_->requests().back().caption, "Information");
}

// The pages and a message box on a real X display, for a person to look at:
// build/screenshots/english_{conversion,extraction,message}.png.
TEST_F(EnglishWindowTest, Screenshots) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
  const QString folder = QString(PICTOLAN_BINARY_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(folder));
  QWidget* window = Widget(0);
  window->activateWindow();
  auto settle = [] {  // the display catches up with what the window paints
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 400)
      QApplication::processEvents(QEventLoop::AllEvents, 50);
  };
  auto shoot = [&](const char* name) {
    settle();
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    EXPECT_TRUE(shot.save(folder + "/" + name, "PNG")) << name;
  };
  SelectPage(0);
  shoot("english_conversion.png");
  SelectPage(1);
  shoot("english_extraction.png");
  // A real message box over the window: converting an empty list says so.
  SelectPage(0);
  settle();
  dialogs_.reset();
  QTimer::singleShot(600, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    const QRect area = (window->frameGeometry() | box->frameGeometry()).adjusted(-8, -8, 8, 8);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    EXPECT_TRUE(screen.copy(area & screen.rect()).save(folder + "/english_message.png", "PNG"));
    box->close();
  });
  Click(unit::转换按钮);
}

}  // namespace
