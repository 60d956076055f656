// The label (type "标签"): a caption painted in its text colour on its background, wrapped at
// word (or character) boundaries, inside one of the border styles. Message 0x8075 sent to a label
// raises its event 0; the handler's value is the message's result.
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/picture.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

using namespace win32;

constexpr UINT kFeedbackMessage = 0x8075;
constexpr int32_t kFeedback = 0;

class Caption final : public PanelWidget {
 public:
  using PanelWidget::PanelWidget;
  QString text;
  QColor colour;
  QImage picture;

 protected:
  void PaintContent(QPainter& painter, const QRect& client) override {
    if (!picture.isNull()) painter.drawImage(client.topLeft(), picture);
    painter.setPen(colour);
    // Lines as close as the classic 12-pixel CJK faces set them, so captions fit the heights
    // the form gives their labels.
    const qreal lineHeight =
        std::min<qreal>(font().pixelSize() + 1, QFontMetricsF(font()).height());
    qreal y = client.top();
    for (const QString& paragraph : QString(text).replace("\r\n", "\n").split('\n')) {
      QTextLayout layout(paragraph, font());
      QTextOption option(Qt::AlignLeft);
      option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
      layout.setTextOption(option);
      layout.beginLayout();
      for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(client.width());
        line.setPosition(QPointF(0, y - client.top()));
        y += lineHeight;
      }
      layout.endLayout();
      layout.draw(&painter, client.topLeft());
      if (y > client.bottom()) break;
    }
  }
};

class LabelUnit final : public QtUnit {
 public:
  explicit LabelUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    data_ = std::get<form::LabelData>(*params.data);
    auto* caption = new Caption(ParentWidget(params));
    if (!Attach(caption, params, caption->client())) return false;
    caption->SetBorder(data_.border);
    caption->SetBackground(data_.background);
    caption->text = ToQString(data_.caption);
    caption->colour = ToQColor(data_.textColour, caption->palette());
    caption->picture = DecodePicture(data_.picture.span());
    return true;
  }

  QPoint ClientOrigin() const override { return caption()->ClientRect().topLeft(); }

  bool Message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message != kFeedbackMessage) return false;
    std::optional<int32_t> answer;
    Fire(kFeedback, {static_cast<int32_t>(wParam), static_cast<int32_t>(lParam)}, &answer);
    *result = answer.value_or(0);
    return true;
  }

  Value GetOwn(int own) const override {
    switch (own) {
      case prop::OwnIndex(prop::kLabelCaption):
        return Value(FromQString(caption()->text));
      case prop::OwnIndex(prop::kLabelBorder):
        return Value(static_cast<int32_t>(caption()->border()));
      case prop::OwnIndex(prop::kLabelTextColour):
        return Value(static_cast<int32_t>(data_.textColour));
      case prop::OwnIndex(prop::kLabelBackground):
        return Value(static_cast<int32_t>(caption()->background()));
      case prop::OwnIndex(prop::kLabelPicture):
        return Value(data_.picture);
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    const Value v = ToKind(value, OwnKind(own));
    switch (own) {
      case prop::OwnIndex(prop::kLabelCaption):
        caption()->text = ToQString(*v.get<Text>());
        break;
      case prop::OwnIndex(prop::kLabelBorder):
        caption()->SetBorder(static_cast<form::BorderStyle>(*v.get<int32_t>()));
        break;
      case prop::OwnIndex(prop::kLabelTextColour):
        data_.textColour = static_cast<uint32_t>(*v.get<int32_t>());
        caption()->colour = ToQColor(data_.textColour, caption()->palette());
        break;
      case prop::OwnIndex(prop::kLabelBackground):
        caption()->SetBackground(static_cast<uint32_t>(*v.get<int32_t>()));
        break;
      case prop::OwnIndex(prop::kLabelPicture):
        data_.picture = *v.get<ByteSet>();
        caption()->picture = DecodePicture(data_.picture.span());
        break;
      default:
        return QtUnit::SetOwn(own, value);
    }
    caption()->update();
    return true;
  }

 private:
  Caption* caption() const { return static_cast<Caption*>(widget()); }
  form::LabelData data_;
};

}  // namespace

std::unique_ptr<Unit> CreateLabel(const CreateParams& params) {
  return MakeUnit<LabelUnit>(params);
}

}  // namespace frame::units
