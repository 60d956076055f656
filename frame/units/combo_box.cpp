// The combo box (type "组合框"): a QComboBox, editable unless it is a drop-down list. Item values
// live in the items' Qt::UserRole; the CB_* messages are the class's (platform/user32).
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>
#include <numeric>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/qt_unit.h"
#include "platform/win32/user32.h"

namespace frame::units {
namespace {

using namespace win32;
using platform::user32::SendMessageA;

constexpr int32_t kItemChosen = 0;
constexpr int32_t kEditChanged = 1;
constexpr int32_t kDroppedDown = 2;
constexpr int32_t kClosedUp = 3;
constexpr int32_t kDoubleClicked = 4;

class ExtraHeightDelegate final : public QStyledItemDelegate {
 public:
  ExtraHeightDelegate(int extra, QObject* parent) : QStyledItemDelegate(parent), extra_(extra) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(0, extra_);
  }

 private:
  int extra_;
};

class ComboBoxUnit;

class ComboWidget final : public QComboBox {
 public:
  ComboWidget(ComboBoxUnit& unit, QWidget* parent) : QComboBox(parent), unit_(unit) {}
  void showPopup() override;
  void hidePopup() override;

 private:
  ComboBoxUnit& unit_;
};

// Double clicks on the dropped list.
class ListDoubleClicks final : public QObject {
 public:
  explicit ListDoubleClicks(ComboBoxUnit& unit) : unit_(unit) {}
  bool eventFilter(QObject*, QEvent* event) override;

 private:
  ComboBoxUnit& unit_;
};

DWORD StyleBits(const form::ComboBoxData& data) {
  DWORD style = CBS_AUTOHSCROLL | (data.sorted ? CBS_SORT : 0);
  switch (data.style) {
    case form::ComboStyle::Simple:
      return style | CBS_SIMPLE;
    case form::ComboStyle::DropDownList:
      return style | CBS_DROPDOWNLIST;
    default:
      return style | CBS_DROPDOWN;
  }
}

class ComboBoxUnit final : public QtUnit {
 public:
  explicit ComboBoxUnit(const CreateParams& params) : QtUnit(params), doubleClicks_(*this) {}

  bool Create(const CreateParams& params) {
    data_ = std::get<form::ComboBoxData>(*params.data);
    auto* combo = new ComboWidget(*this, ParentWidget(params));
    if (!Attach(combo, params, nullptr, StyleBits(data_))) return false;
    combo->setEditable(data_.style != form::ComboStyle::DropDownList);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(30);
    combo->setItemDelegate(new ExtraHeightDelegate(data_.extraItemHeight, combo));
    combo->view()->viewport()->installEventFilter(&doubleClicks_);
    ApplyColours();
    ApplyMaxLength();
    FillItems();
    combo->setCurrentIndex(data_.currentIndex);
    if (combo->isEditable() && data_.currentIndex < 0) combo->setEditText(ToQString(data_.content));
    QObject::connect(combo, &QComboBox::activated, combo, [this] { PostItemChosen(); });
    if (QLineEdit* edit = combo->lineEdit()) {
      QObject::connect(edit, &QLineEdit::textEdited, [this] { Fire(kEditChanged); });
      // Enter in the edit part chooses what was typed (a box that inserts nothing would
      // otherwise take the key silently).
      QObject::connect(edit, &QLineEdit::returnPressed, combo, [this] { PostItemChosen(); });
    }
    return true;
  }

  // As the control posts itself a message: the event comes once the box shows the new item,
  // once for a choice that reached it in several ways (a completed text and its Enter).
  void PostItemChosen() {
    if (itemChosenPosted_) return;
    itemChosenPosted_ = true;
    QMetaObject::invokeMethod(
        widget(),
        [this] {
          itemChosenPosted_ = false;
          Fire(kItemChosen);
        },
        Qt::QueuedConnection);
  }

  Value GetOwn(int own) const override {
    switch (own) {
      case prop::OwnIndex(prop::kComboStyle):
        return Value(static_cast<int32_t>(data_.style));
      case prop::OwnIndex(prop::kComboContent):
        return Value(FromQString(combo()->currentText()));
      case prop::OwnIndex(prop::kComboMaxLength):
        return Value(data_.maxLength);
      case prop::OwnIndex(prop::kComboSorted):
        return Value(data_.sorted);
      case prop::OwnIndex(prop::kComboExtraItemHeight):
        return Value(data_.extraItemHeight);
      case prop::OwnIndex(prop::kComboTextColour):
        return Value(static_cast<int32_t>(data_.textColour));
      case prop::OwnIndex(prop::kComboBackground):
        return Value(static_cast<int32_t>(data_.background));
      case prop::OwnIndex(prop::kComboItems):
        return Value(TextList(combo()->count(), [this](int i) { return combo()->itemText(i); }));
      case prop::OwnIndex(prop::kComboCurrentIndex):
        return Value(static_cast<int32_t>(combo()->currentIndex()));
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    const Value v = ToKind(value, OwnKind(own));
    switch (own) {
      case prop::OwnIndex(prop::kComboContent):
        SetContent(ToQString(*v.get<Text>()));
        return true;
      case prop::OwnIndex(prop::kComboMaxLength):
        data_.maxLength = *v.get<int32_t>();
        ApplyMaxLength();
        return true;
      case prop::OwnIndex(prop::kComboTextColour):
        data_.textColour = static_cast<uint32_t>(*v.get<int32_t>());
        ApplyColours();
        return true;
      case prop::OwnIndex(prop::kComboBackground):
        data_.background = static_cast<uint32_t>(*v.get<int32_t>());
        ApplyColours();
        return true;
      case prop::OwnIndex(prop::kComboItems):
        SetItems(*v.get<ByteSet>());
        return true;
      case prop::OwnIndex(prop::kComboCurrentIndex):
        SendMessageA(window(), CB_SETCURSEL,
                     static_cast<WPARAM>(static_cast<intptr_t>(*v.get<int32_t>())), 0);
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

 private:
  friend class ComboWidget;
  friend class ListDoubleClicks;

  QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }

  void FillItems() {
    std::vector<size_t> order(data_.items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    if (data_.sorted)
      std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        return QString::compare(ToQString(data_.items[a]), ToQString(data_.items[b]),
                                Qt::CaseInsensitive) < 0;
      });
    for (size_t i : order) {
      const int32_t value = i < data_.itemValues.size() ? data_.itemValues[i] : 0;
      combo()->addItem(ToQString(data_.items[i]), QVariant::fromValue<qlonglong>(value));
    }
  }

  void SetItems(const ByteSet& list) {
    combo()->clear();
    for (const Text& item : TextListItems(list))
      SendMessageA(window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }

  // A drop-down list has no edit part: the item with that text becomes current.
  void SetContent(const QString& text) {
    if (combo()->isEditable()) {
      combo()->setEditText(text);
      return;
    }
    const int index = combo()->findText(text, Qt::MatchFixedString);
    if (index >= 0) combo()->setCurrentIndex(index);
  }

  void ApplyColours() {
    QPalette palette = combo()->palette();
    const QColor text = ToQColor(data_.textColour, palette);
    const QColor background = ToQColor(data_.background, palette);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    combo()->setPalette(palette);
  }

  void ApplyMaxLength() {
    if (QLineEdit* edit = combo()->lineEdit())
      edit->setMaxLength(data_.maxLength > 0 ? data_.maxLength : 32767);
  }

  form::ComboBoxData data_;
  ListDoubleClicks doubleClicks_;
  bool itemChosenPosted_ = false;
};

void ComboWidget::showPopup() {
  QComboBox::showPopup();
  unit_.Fire(kDroppedDown);
}

void ComboWidget::hidePopup() {
  QComboBox::hidePopup();
  unit_.Fire(kClosedUp);
}

bool ListDoubleClicks::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) unit_.Fire(kDoubleClicked);
  return false;
}

}  // namespace

std::unique_ptr<Unit> CreateComboBox(const CreateParams& params) {
  return MakeUnit<ComboBoxUnit>(params);
}

}  // namespace frame::units
