// The edit box (type "编辑框"): a one-line edit. Its event 0 reports every change the user makes,
// and exactly one change after the program writes its content.
#include <QLineEdit>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

using namespace win32;

constexpr int32_t kContentChanged = 0;

class EditBoxUnit final : public QtUnit {
 public:
  explicit EditBoxUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::EditBoxData>(*params.data);
    auto* edit = new QLineEdit(ParentWidget(params));
    if (!Attach(edit, params, nullptr, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE)) return false;
    edit->setText(ToQString(data.content));
    QObject::connect(edit, &QLineEdit::textChanged, [this] {
      if (!writing_) Fire(kContentChanged);
    });
    return true;
  }

  Value GetOwn(int own) const override {
    if (own == prop::OwnIndex(prop::kEditContent)) return Value(FromQString(edit()->text()));
    return QtUnit::GetOwn(own);
  }

  bool SetOwn(int own, const Value& value) override {
    if (own != prop::OwnIndex(prop::kEditContent)) return QtUnit::SetOwn(own, value);
    // The notices that arise while the text goes in are not reported; the unit reports one.
    writing_ = true;
    edit()->setText(ToQString(*ToKind(value, Kind::Text).get<Text>()));
    writing_ = false;
    Fire(kContentChanged);
    return true;
  }

 private:
  QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
  bool writing_ = false;
};

}  // namespace

std::unique_ptr<Unit> CreateEditBox(const CreateParams& params) {
  return MakeUnit<EditBoxUnit>(params);
}

}  // namespace frame::units
