#include "platform/desktop/user32/input_box.h"

#include <QInputDialog>
#include <QLineEdit>

#include "platform/desktop/test_seams.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"

namespace platform::user32 {
namespace {

using namespace win32;

QString Utf8Of(const std::string& gbk) {
  return FromGbk(gbk).replace("\r\n", "\n");
}

}  // namespace

std::optional<std::string> AskForText(HWND owner, const std::string& caption,
                                      const std::string& prompt, const std::string& initial,
                                      InputMode mode) {
  if (seams::DialogResponder* responder = seams::InstalledDialogResponder()) {
    seams::DialogRequest request;
    request.kind = seams::DialogKind::Input;
    request.caption = Utf8Of(caption).toStdString();
    request.text = Utf8Of(prompt).toStdString();
    request.folder = Utf8Of(initial).toStdString();
    request.flags = static_cast<uint32_t>(mode);
    request.owner = owner;
    seams::DialogAnswer answer = responder->Answer(request);
    if (!answer.accepted) return std::nullopt;
    return ToGbk(QString::fromStdString(answer.value));
  }

  QInputDialog dialog(WidgetOf(owner));
  dialog.setWindowTitle(Utf8Of(caption));
  dialog.setLabelText(Utf8Of(prompt));
  switch (mode) {
    case InputMode::Integer:
      dialog.setInputMode(QInputDialog::IntInput);
      dialog.setIntRange(INT32_MIN, INT32_MAX);
      dialog.setIntValue(Utf8Of(initial).toInt());
      break;
    case InputMode::Decimal:
      dialog.setInputMode(QInputDialog::DoubleInput);
      dialog.setDoubleRange(-1e300, 1e300);
      dialog.setDoubleDecimals(10);
      dialog.setDoubleValue(Utf8Of(initial).toDouble());
      break;
    default:
      dialog.setInputMode(QInputDialog::TextInput);
      dialog.setTextEchoMode(mode == InputMode::Password ? QLineEdit::Password : QLineEdit::Normal);
      dialog.setTextValue(Utf8Of(initial));
      break;
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QString typed = mode == InputMode::Integer   ? QString::number(dialog.intValue())
                  : mode == InputMode::Decimal ? QString::number(dialog.doubleValue(), 'g', 15)
                                               : dialog.textValue();
  return ToGbk(typed);
}

}  // namespace platform::user32
