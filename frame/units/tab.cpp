// The tab control (type "选择夹"): page tabs along the top and a pane below them. Its units sit in
// its client area (the whole control); the host shows the units of the current page only.
// Ctrl+Tab and Ctrl+PgDn go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the previous one,
// from anywhere in the window, as in Qt's own tab widgets.
#include <QPainter>
#include <QShortcut>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

using namespace win32;

constexpr int kTabHeight = 21;  // the page units of a form start just below the tabs

class TabWidget final : public QWidget {
 public:
  explicit TabWidget(QWidget* parent) : QWidget(parent), bar(new QTabBar(this)) {
    bar->setDrawBase(false);
    bar->setExpanding(false);
    bar->setUsesScrollButtons(true);
    bar->move(2, 0);
  }

  QTabBar* bar;
  QColor pane;

  void Layout() { bar->resize(std::min(bar->sizeHint().width(), width() - 4), kTabHeight); }

 protected:
  void resizeEvent(QResizeEvent*) override { Layout(); }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, kTabHeight - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar->size();
    frame.tabBarRect = bar->geometry();
    frame.lineWidth = 1;
    painter.fillRect(frame.rect.adjusted(1, 1, -1, -1), pane);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
  }
};

class TabUnit final : public QtUnit {
 public:
  explicit TabUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::TabData>(*params.data);
    auto* tabs = new TabWidget(ParentWidget(params));
    if (!Attach(tabs, params, nullptr, WS_CLIPSIBLINGS)) return false;
    background_ = data.background;
    tabs->pane = ToQColor(background_, tabs->palette());
    for (const Text& page : data.pages)
      tabs->bar->addTab(ToQString(page));
    tabs->Layout();
    QObject::connect(tabs->bar, &QTabBar::currentChanged, [this] { host().PageChanged(id()); });
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& [key, step] : keys) {
      auto* shortcut = new QShortcut(QKeySequence(key), tabs);
      QObject::connect(shortcut, &QShortcut::activated, tabs, [tabs, step = step] {
        const int count = tabs->bar->count();
        if (count > 1)
          tabs->bar->setCurrentIndex((tabs->bar->currentIndex() + step + count) % count);
      });
    }
    return true;
  }

  int CurrentPage() const override { return std::max(0, tabs()->bar->currentIndex()); }

  Value GetOwn(int own) const override {
    switch (own) {
      case prop::OwnIndex(prop::kTabCurrentPage):
        return Value(static_cast<int32_t>(tabs()->bar->currentIndex()));
      case prop::OwnIndex(prop::kTabBackground):
        return Value(static_cast<int32_t>(background_));
      case prop::OwnIndex(prop::kTabPages):
        return Value(
            TextList(tabs()->bar->count(), [this](int i) { return tabs()->bar->tabText(i); }));
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    const Value v = ToKind(value, OwnKind(own));
    switch (own) {
      case prop::OwnIndex(prop::kTabCurrentPage): {
        const int page = *v.get<int32_t>();
        if (page < 0 || page >= tabs()->bar->count()) return false;
        tabs()->bar->setCurrentIndex(page);
        return true;
      }
      case prop::OwnIndex(prop::kTabBackground):
        background_ = static_cast<uint32_t>(*v.get<int32_t>());
        tabs()->pane = ToQColor(background_, tabs()->palette());
        tabs()->update();
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

 private:
  TabWidget* tabs() const { return static_cast<TabWidget*>(widget()); }
  form::Colour background_ = form::kButtonFace;
};

}  // namespace

std::unique_ptr<Unit> CreateTab(const CreateParams& params) {
  return MakeUnit<TabUnit>(params);
}

}  // namespace frame::units
