#include "platform/desktop/user32/cursors.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <map>
#include <memory>

#include "platform/core/codecs/ico.h"
#include "platform/core/handles.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

struct CursorObject {
  QCursor cursor;
  bool shared = false;  // a standard cursor: never destroyed
};

HandleTable<CursorObject>& Cursors() {
  static HandleTable<CursorObject> table(HandleKind::Cursor);
  return table;
}

std::optional<Qt::CursorShape> StandardShape(uintptr_t id) {
  switch (id) {
    case IDC_ARROW:
      return Qt::ArrowCursor;
    case IDC_IBEAM:
      return Qt::IBeamCursor;
    case IDC_WAIT:
      return Qt::WaitCursor;
    case IDC_CROSS:
      return Qt::CrossCursor;
    case IDC_UPARROW:
      return Qt::UpArrowCursor;
    case IDC_SIZENWSE:
      return Qt::SizeFDiagCursor;
    case IDC_SIZENESW:
      return Qt::SizeBDiagCursor;
    case IDC_SIZEWE:
      return Qt::SizeHorCursor;
    case IDC_SIZENS:
      return Qt::SizeVerCursor;
    case IDC_SIZEALL:
      return Qt::SizeAllCursor;
    case IDC_NO:
      return Qt::ForbiddenCursor;
    case IDC_HAND:
      return Qt::PointingHandCursor;
    case IDC_APPSTARTING:
      return Qt::BusyCursor;
    case IDC_HELP:
      return Qt::WhatsThisCursor;
    default:
      return std::nullopt;
  }
}

// 0: no cursor set by SetCursor, each window shows its own.
HCURSOR& CurrentCursor() {
  static HCURSOR current = 0;
  return current;
}

QImage ToQImage(const codecs::DibImage& image) {
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.data() + static_cast<size_t>(y) * image.width, image.width,
                reinterpret_cast<uint32_t*>(out.scanLine(y)));
  return out;
}

}  // namespace

HCURSOR LoadCursorA(HINSTANCE instance, const char* name) {
  const uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (instance != 0 || !IS_INTRESOURCE(name)) return 0;
  const std::optional<Qt::CursorShape> shape = StandardShape(id);
  if (!shape) return 0;
  static std::map<uintptr_t, HCURSOR> loaded;
  HCURSOR& handle = loaded[id];
  if (!Cursors().Contains(handle))
    handle = Cursors().Insert(std::make_unique<CursorObject>(CursorObject{QCursor(*shape), true}));
  return handle;
}

HCURSOR CreateCursorFromFile(std::span<const uint8_t> file) {
  auto directory = codecs::ReadIcoDirectory(file);
  if (!directory || directory->entries.empty()) return 0;
  const size_t index = codecs::ChooseIconImage(directory->entries, 32, 32);
  auto image = codecs::DecodeIcoImage(file, index);
  if (!image) return 0;
  const codecs::IcoEntry& entry = directory->entries[index];
  // A cursor file keeps its hot spot where an icon file keeps planes and bit count.
  const bool isCursor = directory->type == 2;
  const int hotX = isCursor ? entry.planes : image->width / 2;
  const int hotY = isCursor ? entry.bitCount : image->height / 2;
  QCursor cursor(QPixmap::fromImage(ToQImage(*image)), hotX, hotY);
  return Cursors().Insert(std::make_unique<CursorObject>(CursorObject{cursor, false}));
}

BOOL DestroyCursor(HCURSOR cursor) {
  CursorObject* object = Cursors().Find(cursor);
  if (!object) return FALSE;
  if (!object->shared) Cursors().Erase(cursor);
  return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR previous = CurrentCursor();
  CursorObject* object = Cursors().Find(cursor);
  if (cursor != 0 && !object) return previous;
  if (previous != 0) QApplication::restoreOverrideCursor();
  CurrentCursor() = cursor;
  if (object) QApplication::setOverrideCursor(object->cursor);
  return previous;
}

BOOL SetWindowCursor(HWND window, HCURSOR cursor) {
  QWidget* widget = WidgetOf(window);
  if (!widget) return FALSE;
  if (CursorObject* object = Cursors().Find(cursor))
    widget->setCursor(object->cursor);
  else
    widget->unsetCursor();
  return TRUE;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  const QPoint p = QCursor::pos();
  *point = POINT{p.x(), p.y()};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  QCursor::setPos(x, y);
  return TRUE;
}

BOOL ReleaseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  return TRUE;
}

}  // namespace platform::user32
