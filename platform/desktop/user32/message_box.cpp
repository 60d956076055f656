// MessageBoxA over QMessageBox, or answered by the tests' dialog responder.
#include <QMessageBox>
#include <QPushButton>

#include "platform/desktop/test_seams.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

struct ButtonRow {
  QMessageBox::StandardButton button;
  int id;
};

std::vector<ButtonRow> ButtonsOf(UINT flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
      return {{QMessageBox::Abort, IDABORT},
              {QMessageBox::Retry, IDRETRY},
              {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
      return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
      return {{QMessageBox::Ok, IDOK}};
  }
}

QMessageBox::Icon IconOf(UINT flags) {
  switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// The platform's line breaks are "\r\n"; Qt's are "\n".
QString Display(const char* gbk) {
  return FromGbk(gbk).replace("\r\n", "\n");
}

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT flags) {
  if (seams::DialogResponder* responder = seams::InstalledDialogResponder()) {
    seams::DialogRequest request;
    request.kind = seams::DialogKind::Message;
    request.caption = caption ? FromGbk(caption).toStdString() : "Error";
    request.text = Display(text).toStdString();
    request.flags = flags;
    request.owner = owner;
    return responder->Answer(request).button;
  }

  const std::vector<ButtonRow> rows = ButtonsOf(flags);
  QMessageBox box(IconOf(flags), caption ? Display(caption) : QStringLiteral("Error"),
                  Display(text), QMessageBox::NoButton, WidgetOf(owner));
  std::vector<QAbstractButton*> buttons;
  for (const ButtonRow& row : rows)
    buttons.push_back(box.addButton(row.button));
  const size_t defaultIndex = ((flags & MB_DEFMASK) >> 8);
  if (defaultIndex < buttons.size())
    box.setDefaultButton(static_cast<QPushButton*>(buttons[defaultIndex]));
  if (flags & MB_SYSTEMMODAL) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return rows[i].id;
  // Closed without a button: Cancel when there is one, else the only button (OK).
  for (const ButtonRow& row : rows)
    if (row.id == IDCANCEL) return IDCANCEL;
  return rows.size() == 1 ? rows.front().id : 0;
}

}  // namespace platform::user32
