// The list box (type "列表框"): a QListWidget of single selection. Its event 0 reports selection
// changes the user makes (not those the program makes), event 1 double clicks.
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/qt_unit.h"
#include "platform/win32/user32.h"

namespace frame::units {
namespace {

using namespace win32;
using platform::user32::SendMessageA;

constexpr int32_t kSelectionChanged = 0;
constexpr int32_t kDoubleClicked = 1;

// A list that knows when the user's mouse or keyboard input is being handled.
class ListWidget final : public QListWidget {
 public:
  using QListWidget::QListWidget;
  bool handlingInput = false;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    Input in(*this);
    QListWidget::mousePressEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Input in(*this);
    QListWidget::mouseMoveEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Input in(*this);
    QListWidget::mouseReleaseEvent(e);
  }
  void keyPressEvent(QKeyEvent* e) override {
    Input in(*this);
    QListWidget::keyPressEvent(e);
  }

 private:
  struct Input {
    explicit Input(ListWidget& list)
        : list_(list), outer_(std::exchange(list.handlingInput, true)) {}
    ~Input() { list_.handlingInput = outer_; }
    ListWidget& list_;
    bool outer_;
  };
};

class ListBoxUnit final : public QtUnit {
 public:
  explicit ListBoxUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::ListBoxData>(*params.data);
    auto* list = new ListWidget(ParentWidget(params));
    if (!Attach(list, params, nullptr, LBS_NOTIFY | WS_VSCROLL, WS_EX_CLIENTEDGE)) return false;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    for (size_t i = 0; i < data.items.size(); ++i)
      AddItem(data.items[i], i < data.itemValues.size() ? data.itemValues[i] : 0);
    QObject::connect(list, &QListWidget::itemSelectionChanged, [this, list] {
      if (list->handlingInput) Fire(kSelectionChanged);
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, [this] { Fire(kDoubleClicked); });
    return true;
  }

  Value GetOwn(int own) const override {
    if (own == prop::OwnIndex(prop::kListCurrentIndex))
      return Value(static_cast<int32_t>(SendMessageA(window(), LB_GETCURSEL, 0, 0)));
    if (own == prop::OwnIndex(prop::kListItems))
      return Value(TextList(list()->count(), [this](int i) { return list()->item(i)->text(); }));
    return QtUnit::GetOwn(own);
  }

  bool SetOwn(int own, const Value& value) override {
    const Value v = ToKind(value, OwnKind(own));
    if (own == prop::OwnIndex(prop::kListCurrentIndex)) {
      SendMessageA(window(), LB_SETCURSEL,
                   static_cast<WPARAM>(static_cast<intptr_t>(*v.get<int32_t>())), 0);
      return true;
    }
    if (own == prop::OwnIndex(prop::kListItems)) {
      SendMessageA(window(), LB_RESETCONTENT, 0, 0);
      for (const Text& item : TextListItems(*v.get<ByteSet>()))
        AddItem(item, 0);
      return true;
    }
    return QtUnit::SetOwn(own, value);
  }

 private:
  QListWidget* list() const { return static_cast<QListWidget*>(widget()); }

  void AddItem(const Text& text, int32_t value) {
    const LRESULT index =
        SendMessageA(window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(window(), LB_SETITEMDATA, static_cast<WPARAM>(index), value);
  }
};

}  // namespace

std::unique_ptr<Unit> CreateListBox(const CreateParams& params) {
  return MakeUnit<ListBoxUnit>(params);
}

}  // namespace frame::units
