// The push button (type "按钮") and the check box (type "选择框"), both of class "Button".
#include <QCheckBox>
#include <QPushButton>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/picture.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

using namespace win32;

constexpr int32_t kClicked = 0;

class ButtonUnit final : public QtUnit {
 public:
  explicit ButtonUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::ButtonData>(*params.data);
    auto* button = new QPushButton(ParentWidget(params));
    const bool isDefault = data.kind == form::ButtonKind::DefaultPush;
    if (!Attach(button, params, nullptr, isDefault ? BS_DEFPUSHBUTTON : 0)) return false;
    button->setAutoDefault(false);
    button->setDefault(isDefault);
    button->setText(ToQString(data.caption));
    SetPicture(data.picture);
    QObject::connect(button, &QPushButton::clicked, [this] { Fire(kClicked); });
    return true;
  }

  Value GetOwn(int own) const override {
    switch (own) {
      case prop::OwnIndex(prop::kButtonCaption):
        return Value(FromQString(button()->text()));
      case prop::OwnIndex(prop::kButtonPicture):
        return Value(picture_);
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    switch (own) {
      case prop::OwnIndex(prop::kButtonCaption):
        button()->setText(ToQString(*ToKind(value, Kind::Text).get<Text>()));
        return true;
      case prop::OwnIndex(prop::kButtonPicture):
        SetPicture(*ToKind(value, Kind::Picture).get<ByteSet>());
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

 private:
  QPushButton* button() const { return static_cast<QPushButton*>(widget()); }

  void SetPicture(const ByteSet& picture) {
    picture_ = picture;
    const QImage image = DecodePicture(picture.span());
    button()->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
    if (!image.isNull()) button()->setIconSize(image.size());
  }

  ByteSet picture_;
};

class CheckBoxUnit final : public QtUnit {
 public:
  explicit CheckBoxUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::CheckBoxData>(*params.data);
    auto* box = new QCheckBox(ParentWidget(params));
    if (!Attach(box, params, nullptr, BS_AUTOCHECKBOX)) return false;
    box->setText(ToQString(data.caption));
    QObject::connect(box, &QCheckBox::clicked, [this] { Fire(kClicked); });
    return true;
  }

  Value GetOwn(int own) const override {
    switch (own) {
      case prop::OwnIndex(prop::kCheckBoxCaption):
        return Value(FromQString(box()->text()));
      case prop::OwnIndex(prop::kCheckBoxChecked):
        return Value(box()->isChecked());
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    switch (own) {
      case prop::OwnIndex(prop::kCheckBoxCaption):
        box()->setText(ToQString(*ToKind(value, Kind::Text).get<Text>()));
        return true;
      case prop::OwnIndex(prop::kCheckBoxChecked):
        box()->setChecked(*ToKind(value, Kind::Bool).get<bool>());
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

 private:
  QCheckBox* box() const { return static_cast<QCheckBox*>(widget()); }
};

}  // namespace

std::unique_ptr<Unit> CreateButton(const CreateParams& params) {
  return MakeUnit<ButtonUnit>(params);
}
std::unique_ptr<Unit> CreateCheckBox(const CreateParams& params) {
  return MakeUnit<CheckBoxUnit>(params);
}

}  // namespace frame::units
