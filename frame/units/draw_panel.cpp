// The draw panel (type "画板"): a background colour and a background picture drawn from the top
// left of its client area, with a border. Units can sit inside it.
#include <QPainter>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/picture.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

class DrawingSurface final : public PanelWidget {
 public:
  using PanelWidget::PanelWidget;
  QImage picture;

 protected:
  void PaintContent(QPainter& painter, const QRect& client) override {
    if (!picture.isNull()) painter.drawImage(client.topLeft(), picture);
  }
};

class DrawPanelUnit final : public QtUnit {
 public:
  explicit DrawPanelUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::DrawPanelData>(*params.data);
    auto* panel = new DrawingSurface(ParentWidget(params));
    if (!Attach(panel, params, panel->client())) return false;
    panel->SetBorder(data.border);
    panel->SetBackground(data.background);
    pictures_ = data.pictures;
    SetBackgroundPicture(pictures_[0]);
    return true;
  }

  QPoint ClientOrigin() const override { return panel()->ClientRect().topLeft(); }

  Value GetOwn(int own) const override {
    switch (own) {
      case 0:
        return Value(static_cast<int32_t>(panel()->border()));
      case 1:
        return Value(static_cast<int32_t>(panel()->background()));
      case prop::OwnIndex(prop::kDrawPanelPicture):
      case 3:
        return Value(pictures_[static_cast<size_t>(own - 2)]);
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    const Value v = ToKind(value, OwnKind(own));
    switch (own) {
      case 0:
        panel()->SetBorder(static_cast<form::BorderStyle>(*v.get<int32_t>()));
        return true;
      case 1:
        panel()->SetBackground(static_cast<uint32_t>(*v.get<int32_t>()));
        return true;
      case prop::OwnIndex(prop::kDrawPanelPicture):
        SetBackgroundPicture(*v.get<ByteSet>());
        return true;
      case 3:
        pictures_[1] = *v.get<ByteSet>();
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

 private:
  DrawingSurface* panel() const { return static_cast<DrawingSurface*>(widget()); }

  void SetBackgroundPicture(const ByteSet& picture) {
    pictures_[0] = picture;
    panel()->picture = DisplayPicture(picture.span());
    panel()->update();
  }

  std::array<ByteSet, 2> pictures_;
};

}  // namespace

std::unique_ptr<Unit> CreateDrawPanel(const CreateParams& params) {
  return MakeUnit<DrawPanelUnit>(params);
}

}  // namespace frame::units
