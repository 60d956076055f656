// The window (type "窗口"): a top-level widget whose client area holds the units. Its geometry
// in the form is the outer one (the classic frame included); closing asks event 1 first. A
// window that would reach past the screen starts moved onto it. Files dropped on it go to the
// handler the program gave (frame/handed_files.h).
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QMimeData>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QStyleFactory>
#include <QTranslator>
#include <QUrl>

#include <string>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/picture.h"
#include "frame/units/qt_unit.h"
#include "platform/core/gdi/icon_objects.h"
#include "platform/core/i18n/language.h"
#include "platform/core/paths.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/win32/user32.h"

namespace frame::units {
namespace {

using namespace win32;
using platform::user32::SendMessageA;
namespace user32 = platform::user32;

constexpr int32_t kCloseQuery = 1;
constexpr int32_t kDestroying = 2;
constexpr int32_t kMoved = 3;
constexpr int32_t kResized = 4;

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

class WindowUnit;

// The paths of dropped files as the program's texts; none when anything dropped is not a local
// file or folder (a web address, a file inside an archive).
std::vector<Text> DroppedPaths(const QMimeData* data) {
  std::vector<Text> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    paths.push_back(
        Text(platform::paths::FromNative(QFile::encodeName(url.toLocalFile()).toStdString())));
  }
  return paths;
}

// Takes the drags of files over every widget of one window before the widgets do (an edit box
// would take the names as text) and asks the program's handler whether to take them.
class DropWatcher final : public QObject {
 public:
  DropWatcher(QWidget* window, FileDropHandler handler)
      : window_(window), handler_(std::move(handler)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop &&
        type != QEvent::DragLeave)
      return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return false;
    if (type == QEvent::DragLeave) {
      asked_ = nullptr;
      return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData() || !drop->mimeData()->hasUrls()) return false;  // text goes its way
    // A drag that was taken is not asked again at every move of the pointer (a refused one gets
    // no moves, only another enter when it comes back).
    if (type == QEvent::DragEnter || asked_ != drop->mimeData()) {
      asked_ = nullptr;
      paths_ = DroppedPaths(drop->mimeData());
      if (paths_.empty() || Action(*drop) == Qt::IgnoreAction || !handler_(paths_, false)) {
        drop->ignore();
        return true;
      }
      asked_ = drop->mimeData();
    }
    // Copied, never moved: a source asked to move would delete its file.
    drop->setDropAction(Action(*drop));
    drop->accept();
    if (type == QEvent::Drop) {
      asked_ = nullptr;
      QMetaObject::invokeMethod(
          window_, [handler = handler_, paths = paths_] { handler(paths, true); },
          Qt::QueuedConnection);
    }
    return true;
  }

 private:
  static Qt::DropAction Action(const QDropEvent& drop) {
    if (drop.possibleActions() & Qt::CopyAction) return Qt::CopyAction;
    if (drop.possibleActions() & Qt::LinkAction) return Qt::LinkAction;
    return Qt::IgnoreAction;
  }

  QWidget* window_;
  FileDropHandler handler_;
  const QMimeData* asked_ = nullptr;  // the drag taken, until it leaves or is dropped
  std::vector<Text> paths_;
};

class FrameWindow final : public QWidget {
 public:
  explicit FrameWindow(WindowUnit& unit)
      : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
        unit_(unit) {}

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  WindowUnit& unit_;
};

class WindowUnit final : public QtUnit {
 public:
  explicit WindowUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    const auto& data = std::get<form::WindowData>(*params.data);
    auto* frame = new FrameWindow(*this);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frame->setFont(WindowFont());
    frame->setAutoFillBackground(true);
    if (!Attach(frame, params, nullptr, kWindowStyle)) return false;
    // Not resizable by the user: the units keep their places.
    frame->setFixedSize(frame->size());
    SetBackground(data.background);
    frame->setWindowTitle(ToQString(data.title));
    pictures_ = data.pictures;
    const QImage icon = DecodePicture(pictures_[0].span());
    if (!icon.isNull()) frame->setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    lastPosition_ = frame->pos();
    lastSize_ = frame->size();
    return true;
  }

  Value GetOwn(int own) const override {
    switch (own) {
      case prop::OwnIndex(prop::kWindowTitle):
        return Value(FromQString(widget()->windowTitle()));
      case prop::OwnIndex(prop::kWindowBackground):
        return Value(static_cast<int32_t>(background_));
      case prop::OwnIndex(prop::kWindowIcon):
      case prop::OwnIndex(prop::kWindowPicture2):
      case prop::OwnIndex(prop::kWindowPicture3):
        return Value(pictures_[static_cast<size_t>(own - prop::OwnIndex(prop::kWindowIcon))]);
      default:
        return QtUnit::GetOwn(own);
    }
  }

  bool SetOwn(int own, const Value& value) override {
    switch (own) {
      case prop::OwnIndex(prop::kWindowTitle):
        widget()->setWindowTitle(ToQString(*ToKind(value, Kind::Text).get<Text>()));
        return true;
      case prop::OwnIndex(prop::kWindowBackground):
        SetBackground(static_cast<uint32_t>(*ToKind(value, Kind::BackColour).get<int32_t>()));
        return true;
      case prop::OwnIndex(prop::kWindowIcon):
      case prop::OwnIndex(prop::kWindowPicture2):
      case prop::OwnIndex(prop::kWindowPicture3):
        pictures_[static_cast<size_t>(own - prop::OwnIndex(prop::kWindowIcon))] =
            *ToKind(value, Kind::Picture).get<ByteSet>();
        return true;
      default:
        return QtUnit::SetOwn(own, value);
    }
  }

  bool Message(UINT message, WPARAM, LPARAM, LRESULT* result) override {
    if (message == WM_CLOSE) {
      std::optional<int32_t> answer;
      Fire(kCloseQuery, {}, &answer);
      if (answer && *answer == 0) {  // the handler refused the close
        *result = 0;
        return true;
      }
    } else if (message == WM_DESTROY) {
      Fire(kDestroying);
      host().WindowDestroying();
    }
    return false;
  }

  void Moved(QPoint position) {
    if (position == lastPosition_) return;  // Qt's deferred move notice on first show
    lastPosition_ = position;
    Fire(kMoved);
  }

  void Resized(QSize size) {
    if (size == lastSize_) return;
    lastSize_ = size;
    Fire(kResized);
  }

  // Before the window shows: where its outer rectangle would reach past the screen's available
  // area, it moves back onto it, its top-left corner on the screen whatever its size (a form laid
  // out for a larger screen, or a display scaled up).
  void LoadComplete() override {
    QtUnit::LoadComplete();
    RECT outer{};
    if (!platform::user32::GetWindowRect(window(), &outer)) return;
    const QRect frame(QPoint(outer.left, outer.top), QPoint(outer.right - 1, outer.bottom - 1));
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = widget()->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top())
      platform::user32::SetWindowPos(window(), 0, x, y, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  bool TakeFileDrops(FileDropHandler handler) override {
    drops_ = std::make_unique<DropWatcher>(widget(), std::move(handler));
    qApp->installEventFilter(drops_.get());
    widget()->setAcceptDrops(true);
    return true;
  }

 private:
  void SetBackground(form::Colour colour) {
    background_ = colour;
    QPalette palette = widget()->palette();
    palette.setColor(QPalette::Window, ToQColor(colour, QApplication::palette()));
    widget()->setPalette(palette);
  }

  form::Colour background_ = form::kButtonFace;
  std::array<ByteSet, 3> pictures_;
  QPoint lastPosition_;
  QSize lastSize_;
  std::unique_ptr<DropWatcher> drops_;
};

void FrameWindow::closeEvent(QCloseEvent* event) {
  event->ignore();  // the window decides through its procedure: WM_CLOSE destroys it
  SendMessageA(user32::WindowOf(this), WM_CLOSE, 0, 0);
}

void FrameWindow::moveEvent(QMoveEvent* event) {
  unit_.Moved(event->pos());
}

void FrameWindow::resizeEvent(QResizeEvent* event) {
  unit_.Resized(event->size());
}

}  // namespace

void PrepareApplication() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // Icons on the screen are drawn for its device pixels: the highest ratio of any screen.
  auto ratio = [] { platform::gdi::SetDeviceRatio(qApp->devicePixelRatio()); };
  ratio();
  QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, ratio);
  QObject::connect(qApp, &QGuiApplication::screenRemoved, qApp, ratio);
  // Qt's own texts in its dialogs (buttons, labels of the file dialogs, message boxes) speak the
  // program's language, Chinese unless the user's environment chose another, when Qt's
  // translations are there.
  const std::string& language = platform::i18n::UserLanguage();
  const QLocale locale = language == platform::i18n::kOwnLanguage
                             ? QLocale(QLocale::Chinese, QLocale::China)
                             : QLocale(QString::fromStdString(language));
  auto* translator = new QTranslator(qApp);
  if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
  else
    delete translator;
}

std::unique_ptr<Unit> CreateWindowUnit(const CreateParams& params) {
  PrepareApplication();
  return MakeUnit<WindowUnit>(params);
}

}  // namespace frame::units
