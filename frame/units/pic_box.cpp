// The picture box (type "图片框") and the draw panel (type "画板"): one painted panel with a
// border, a background colour and a picture. The box shows its picture centred, the panel from
// the top left of its client area, where units can sit over it; the panel also keeps a second
// picture it does not show.
#include <QPainter>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/picture.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

// What tells the two types apart.
struct PanelKind {
  bool centred;  // the picture centred, else from the client area's top left
  win32::DWORD classStyle;
  bool secondPicture;  // a second picture property (own index of kDrawPanelPicture2)
};
constexpr PanelKind kPicBox{true, win32::SS_BITMAP, false};
constexpr PanelKind kDrawPanel{false, 0, true};

// Both types number their own properties alike.
static_assert(prop::kPicBoxBorder == prop::kDrawPanelBorder &&
              prop::kPicBoxBackground == prop::kDrawPanelBackground &&
              prop::kPicBoxPicture == prop::kDrawPanelPicture);

class PicturePanel final : public PanelWidget {
 public:
  PicturePanel(bool centred, QWidget* parent) : PanelWidget(parent), centred_(centred) {}
  QImage image;

 protected:
  void PaintContent(QPainter& painter, const QRect& client) override {
    if (image.isNull()) return;
    if (!centred_) {
      painter.drawImage(client.topLeft(), image);
      return;
    }
    const QSize size = image.deviceIndependentSize().toSize();
    const QPoint at(client.left() + (client.width() - size.width()) / 2,
                    client.top() + (client.height() - size.height()) / 2);
    painter.drawImage(at, image);
  }

 private:
  bool centred_;
};

class PicturePanelUnit final : public QtUnit {
 public:
  PicturePanelUnit(const CreateParams& params, const PanelKind& kind)
      : QtUnit(params), kind_(kind) {}

  bool Create(const CreateParams& params, form::BorderStyle border, form::Colour background,
              const ByteSet& picture) {
    auto* panel = new PicturePanel(kind_.centred, ParentWidget(params));
    if (!Attach(panel, params, panel->client(), kind_.classStyle)) return false;
    panel->SetBorder(border);
    panel->SetBackground(background);
    SetPicture(picture);
    return true;
  }

  void SetSecondPicture(const ByteSet& picture) { secondPicture_ = picture; }

  QPoint ClientOrigin() const override { return panel()->ClientRect().topLeft(); }

  Value GetOwn(int own) const override {
    switch (own) {
      case prop::OwnIndex(prop::kPicBoxBorder):
        return Value(static_cast<int32_t>(panel()->border()));
      case prop::OwnIndex(prop::kPicBoxBackground):
        return Value(static_cast<int32_t>(panel()->background()));
      case prop::OwnIndex(prop::kPicBoxPicture):
        return Value(picture_);
      case prop::OwnIndex(prop::kDrawPanelPicture2):
        if (kind_.secondPicture) return Value(secondPicture_);
        [[fallthrough]];
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    const Value v = ToKind(value, OwnKind(own));
    switch (own) {
      case prop::OwnIndex(prop::kPicBoxBorder):
        panel()->SetBorder(static_cast<form::BorderStyle>(*v.get<int32_t>()));
        return true;
      case prop::OwnIndex(prop::kPicBoxBackground):
        panel()->SetBackground(static_cast<uint32_t>(*v.get<int32_t>()));
        return true;
      case prop::OwnIndex(prop::kPicBoxPicture):
        SetPicture(*v.get<ByteSet>());
        return true;
      case prop::OwnIndex(prop::kDrawPanelPicture2):
        if (!kind_.secondPicture) return QtUnit::SetOwn(own, value);
        secondPicture_ = *v.get<ByteSet>();
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

 private:
  PicturePanel* panel() const { return static_cast<PicturePanel*>(widget()); }

  void SetPicture(const ByteSet& picture) {
    picture_ = picture;
    panel()->image = DisplayPicture(picture.span());
    panel()->update();
  }

  const PanelKind kind_;
  ByteSet picture_;
  ByteSet secondPicture_;
};

}  // namespace

std::unique_ptr<Unit> CreatePicBox(const CreateParams& params) {
  const auto& data = std::get<form::PicBoxData>(*params.data);
  auto unit = std::make_unique<PicturePanelUnit>(params, kPicBox);
  if (!unit->Create(params, data.border, data.background, data.picture)) return nullptr;
  return unit;
}

std::unique_ptr<Unit> CreateDrawPanel(const CreateParams& params) {
  const auto& data = std::get<form::DrawPanelData>(*params.data);
  auto unit = std::make_unique<PicturePanelUnit>(params, kDrawPanel);
  if (!unit->Create(params, data.border, data.background, data.pictures[0])) return nullptr;
  unit->SetSecondPicture(data.pictures[1]);
  return unit;
}

}  // namespace frame::units
