// The picture box (type "图片框"): a picture value shown centred on the box's background colour.
#include <QPainter>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/picture.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

class PictureBox final : public PanelWidget {
 public:
  using PanelWidget::PanelWidget;
  QImage image;

 protected:
  void PaintContent(QPainter& painter, const QRect& client) override {
    if (image.isNull()) return;
    const QSize size = image.deviceIndependentSize().toSize();
    const QPoint at(client.left() + (client.width() - size.width()) / 2,
                    client.top() + (client.height() - size.height()) / 2);
    painter.drawImage(at, image);
  }
};

class PicBoxUnit final : public QtUnit {
 public:
  explicit PicBoxUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::PicBoxData>(*params.data);
    auto* box = new PictureBox(ParentWidget(params));
    if (!Attach(box, params, box->client(), win32::SS_BITMAP)) return false;
    box->SetBorder(data.border);
    box->SetBackground(data.background);
    SetPicture(data.picture);
    return true;
  }

  QPoint ClientOrigin() const override { return box()->ClientRect().topLeft(); }

  Value GetOwn(int own) const override {
    switch (own) {
      case 0:
        return Value(static_cast<int32_t>(box()->border()));
      case prop::OwnIndex(prop::kPicBoxBackground):
        return Value(static_cast<int32_t>(box()->background()));
      case prop::OwnIndex(prop::kPicBoxPicture):
        return Value(picture_);
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    const Value v = ToKind(value, OwnKind(own));
    switch (own) {
      case 0:
        box()->SetBorder(static_cast<form::BorderStyle>(*v.get<int32_t>()));
        return true;
      case prop::OwnIndex(prop::kPicBoxBackground):
        box()->SetBackground(static_cast<uint32_t>(*v.get<int32_t>()));
        return true;
      case prop::OwnIndex(prop::kPicBoxPicture):
        SetPicture(*v.get<ByteSet>());
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

 private:
  PictureBox* box() const { return static_cast<PictureBox*>(widget()); }

  void SetPicture(const ByteSet& picture) {
    picture_ = picture;
    box()->image = DisplayPicture(picture.span());
    box()->update();
  }

  ByteSet picture_;
};

}  // namespace

std::unique_ptr<Unit> CreatePicBox(const CreateParams& params) {
  return MakeUnit<PicBoxUnit>(params);
}

}  // namespace frame::units
