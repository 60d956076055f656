// The shell: opening files, folders and web addresses with the desktop's default application,
// showing a file selected in the file manager, the folder browser, folder creation, file
// operations and special folders. While the tests' recorder is installed, nothing is launched.
//
// What the desktop cannot take (nothing opens that type, the path does not exist, the file
// manager does not answer) is said to the user once, in a message box naming it, as the
// platform's shell shows its own error messages; the result code says it too.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/handles.h"
#include "platform/core/i18n/translation.h"
#include "platform/core/paths.h"
#include "platform/core/shell32/folders.h"
#include "platform/desktop/comdlg32/unusable_path.h"
#include "platform/desktop/desktop_launch.h"
#include "platform/desktop/test_seams.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"
#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/shell32.h"
#include "platform/win32/user32.h"

namespace platform::shell32 {
namespace {

using namespace win32;

namespace fs = std::filesystem;

constexpr HINSTANCE kShellSuccess = 42;  // any value above 32 means success
constexpr HINSTANCE SE_ERR_FNF = 2;
constexpr HINSTANCE SE_ERR_PNF = 3;
constexpr HINSTANCE SE_ERR_NOASSOC = 31;

constexpr int ERROR_SUCCESS = 0;
constexpr int ERROR_FILE_NOT_FOUND = 2;
constexpr int ERROR_ACCESS_DENIED = 5;
constexpr int ERROR_INVALID_PARAMETER = 87;

constexpr WORD FOF_ALLOWUNDO = 0x0040;

std::string Utf8(const char* gbk) {
  return FromGbk(gbk).toStdString();
}

QString Trimmed(std::string_view utf8) {
  QString s = QString::fromStdString(std::string(utf8)).trimmed();
  if (s.size() >= 2 && s.startsWith('"') && s.endsWith('"')) s = s.mid(1, s.size() - 2);
  return s;
}

bool IsWebAddress(const QString& target) {
  return target.contains("://") || target.startsWith("www.", Qt::CaseInsensitive) ||
         target.startsWith("mailto:", Qt::CaseInsensitive);
}

bool IsFileManager(const QString& file) {
  const QString name = QFileInfo(QString(file).replace('\\', '/')).fileName();
  return name.compare("explorer.exe", Qt::CaseInsensitive) == 0 ||
         name.compare("explorer", Qt::CaseInsensitive) == 0;
}

struct ShellAction {
  seams::ShellRequest::Action action = seams::ShellRequest::Action::Open;
  QString target;
  HINSTANCE failure = 0;  // non-zero: the request fails with this code
};

QString Resolve(const QString& path, const QString& folder) {
  if (path.isEmpty() || QDir::isAbsolutePath(path)) return QDir::cleanPath(path);
  return QDir::cleanPath(QDir(folder.isEmpty() ? QDir::currentPath() : folder).filePath(path));
}

HINSTANCE MissingCode(const QString& path) {
  return QFileInfo(QFileInfo(path).absolutePath()).isDir() ? SE_ERR_FNF : SE_ERR_PNF;
}

ShellAction Decide(const QString& file, const QString& parameters, const QString& folder) {
  using Action = seams::ShellRequest::Action;
  if (IsFileManager(file)) {
    QString argument = parameters.trimmed();
    Action action = Action::Open;
    if (argument.startsWith("/select,", Qt::CaseInsensitive)) {
      action = Action::ShowSelected;
      argument = argument.mid(8);
    } else if (argument.startsWith("/e,", Qt::CaseInsensitive)) {
      argument = argument.mid(3);
    }
    QString target = Resolve(Trimmed(argument.replace('\\', '/').toStdString()), folder);
    if (target.isEmpty()) target = QDir::homePath();
    if (!QFileInfo::exists(target)) return {action, target, MissingCode(target)};
    return {action, target, 0};
  }
  if (IsWebAddress(file)) {
    QString address = file;
    if (address.startsWith("www.", Qt::CaseInsensitive)) address.prepend("http://");
    return {Action::Open, address, 0};
  }
  const QString target = Resolve(QString(file).replace('\\', '/'), folder);
  if (!QFileInfo::exists(target)) return {Action::Open, target, MissingCode(target)};
  return {Action::Open, target, 0};
}

// ---- What could not be opened ----

enum class NotOpened { Missing, NoApplication, NoAnswer };

void Tell(NotOpened why, const QString& target) {
  std::string pattern;
  switch (why) {
    case NotOpened::Missing:
      pattern = TR_UTF8("shell", "“%1”不存在！");
      break;
    case NotOpened::NoApplication:
      pattern = TR_UTF8("shell", "无法打开“%1”：没有可以打开它的程序！");
      break;
    case NotOpened::NoAnswer:
      pattern = TR_UTF8("shell", "无法在文件管理器中显示“%1”：文件管理器没有响应！");
      break;
  }
  // The path as the program's text, so that a name outside GBK shows as itself.
  const std::string shown = IsWebAddress(target) ? ToGbk(target) : ProgramPath(target);
  const std::string text = i18n::Substitute(text::Utf8ToGbk(pattern), {shown});
  user32::MessageBoxA(0, text.c_str(), text::Utf8ToGbk(TR_UTF8("dialogs", "信息：")).c_str(),
                      MB_OK | MB_ICONEXCLAMATION);
}

// ---- Handing things to the desktop ----

// The default application for the file, folder or web address; the user is told when there is
// none.
bool OpenWithDefault(const QString& target) {
  const std::string address = IsWebAddress(target)
                                  ? target.toStdString()
                                  : desktop::FileAddress(QFile::encodeName(target).toStdString());
  if (!address.empty() && desktop::LaunchDefaultApplication(address).ok()) return true;
  Tell(NotOpened::NoApplication, target);
  return false;
}

// Asks the file manager (org.freedesktop.FileManager1) to show the item selected, without
// waiting for it: starting a file manager can take seconds. Where there is none, the item's
// folder opens instead. A file manager that does not answer in time may still show the item
// later, so nothing else is opened then: one window at most.
void ShowSelected(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    OpenWithDefault(folder);
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1",
                                                     "/org/freedesktop/FileManager1",
                                                     "org.freedesktop.FileManager1", "ShowItems");
  call << QStringList{QString::fromStdString(
              desktop::FileAddress(QFile::encodeName(path).toStdString()))}
       << QString();
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [path, folder](QDBusPendingCallWatcher* answered) {
                     answered->deleteLater();
                     if (!answered->isError()) return;
                     const QDBusError::ErrorType error = answered->error().type();
                     if (error == QDBusError::NoReply || error == QDBusError::Timeout)
                       Tell(NotOpened::NoAnswer, path);
                     else
                       OpenWithDefault(folder);
                   });
}

HINSTANCE Launch(const ShellAction& action) {
  if (action.action == seams::ShellRequest::Action::ShowSelected) {
    ShowSelected(action.target);
    return kShellSuccess;  // asked; what the file manager answers comes later
  }
  return OpenWithDefault(action.target) ? kShellSuccess : SE_ERR_NOASSOC;
}

// ---- Folder ids ----

HandleTable<std::string>& FolderIds() {
  static HandleTable<std::string> table(HandleKind::FolderId);
  return table;
}

PIDLIST NewFolderId(std::string programPath) {
  return FolderIds().Insert(std::make_unique<std::string>(std::move(programPath)));
}

// The folder browser's window: the program's callback selects the initial folder through it.
struct FolderBrowser {
  QFileDialog* dialog = nullptr;  // null when the tests' responder answers
  QString selection;
};
FolderBrowser*& ActiveBrowser() {
  static FolderBrowser* browser = nullptr;
  return browser;
}

LRESULT FolderBrowserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FolderBrowser* browser = ActiveBrowser();
  if (message == BFFM_SETSELECTIONA && browser) {
    QString path;
    if (wParam)
      path = NativeQPath(reinterpret_cast<const char*>(lParam));
    else if (const std::string* id = FolderIds().Find(static_cast<PIDLIST>(lParam)))
      path = NativeQPath(*id);
    if (path.isEmpty()) return FALSE;
    browser->selection = path;
    if (browser->dialog) browser->dialog->setDirectory(path);
    return TRUE;
  }
  return user32::DefWindowProcA(window, message, wParam, lParam);
}

QString DisplayName(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  return name.isEmpty() ? path : name;
}

// The desktop's folder for a special folder number; `userFolder` marks the XDG user folders,
// which a bare system may lack.
struct KnownFolder {
  QString location;
  bool userFolder = false;
};

KnownFolder SpecialFolder(int folder) {
  auto user = [](QStandardPaths::StandardLocation location) {
    return KnownFolder{QStandardPaths::writableLocation(location), true};
  };
  auto other = [](QStandardPaths::StandardLocation location) {
    return KnownFolder{QStandardPaths::writableLocation(location), false};
  };
  switch (folder & 0xFF) {  // the high bits are flags (create, don't verify)
    case CSIDL_DESKTOP:
    case CSIDL_DESKTOPDIRECTORY:
      return user(QStandardPaths::DesktopLocation);
    case CSIDL_PERSONAL:
      return user(QStandardPaths::DocumentsLocation);
    case CSIDL_MYPICTURES:
      return user(QStandardPaths::PicturesLocation);
    case 0x0D:
      return user(QStandardPaths::MusicLocation);
    case 0x0E:
      return user(QStandardPaths::MoviesLocation);
    case 0x1A:
      return other(QStandardPaths::GenericConfigLocation);
    case 0x1C:
      return other(QStandardPaths::GenericDataLocation);
    case 0x20:
      return other(QStandardPaths::GenericCacheLocation);
    case 0x28:
      return other(QStandardPaths::HomeLocation);
    default:
      return {};
  }
}

// The special folder's path, made when `create` asks for it. A missing user folder is the home
// folder: a system without the desktop's user folders still gets a folder to show.
QString ExistingSpecialFolder(int folder, bool create) {
  const KnownFolder known = SpecialFolder(folder);
  if (known.location.isEmpty()) return {};
  if (QFileInfo(known.location).isDir() || (create && QDir().mkpath(known.location)))
    return known.location;
  if (known.userFolder && QFileInfo(QDir::homePath()).isDir()) return QDir::homePath();
  return {};
}

// The folder browser's root: a folder id, or, as the shell also takes, a special folder number
// in its place (17, the computer, is the root of the file system). Empty: the home folder.
QString BrowserRoot(PIDLIST root) {
  constexpr PIDLIST kComputer = 0x11;
  if (const std::string* path = FolderIds().Find(root)) return NativeQPath(*path);
  if (root == kComputer) return QDir::rootPath();
  if (root != 0 && root < 0x100) return ExistingSpecialFolder(static_cast<int>(root), false);
  return {};
}

// The file system's paths of a list "a\0b\0\0".
std::vector<std::string> PathList(const char* list) {
  std::vector<std::string> natives;
  if (!list) return natives;
  for (const char* p = list; *p; p += std::strlen(p) + 1)
    natives.push_back(paths::ToNative(p));
  return natives;
}

int Transfer(UINT operation, const fs::path& from, const fs::path& to) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(from, error))) return ERROR_FILE_NOT_FOUND;
  fs::path target = to;
  if (operation != FO_RENAME && fs::is_directory(to, error)) target = to / from.filename();
  if (operation == FO_COPY)
    fs::copy(from, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             error);
  else
    fs::rename(from, target, error);
  return error ? FileSystemError(error) : ERROR_SUCCESS;
}

}  // namespace

HINSTANCE ShellExecuteA(HWND, const char* verb, const char* file, const char* parameters,
                        const char* folder, int show) {
  const std::string verbText = Utf8(verb);
  if (!file || !*file) return SE_ERR_FNF;
  if (!verbText.empty() &&
      QString::fromStdString(verbText).compare("open", Qt::CaseInsensitive) != 0 &&
      QString::fromStdString(verbText).compare("explore", Qt::CaseInsensitive) != 0)
    return SE_ERR_NOASSOC;

  const ShellAction action =
      Decide(QString::fromStdString(Utf8(file)), QString::fromStdString(Utf8(parameters)),
             NativeQPath(folder ? folder : ""));
  if (action.failure) {  // the path is not there
    Tell(NotOpened::Missing, action.target);
    return action.failure;
  }
  if (seams::ShellRecorder* recorder = seams::InstalledShellRecorder()) {
    recorder->Record({verbText, Utf8(file), Utf8(parameters), Utf8(folder), show, action.action,
                      action.target.toStdString()});
    if (recorder->helpers()) return kShellSuccess;
    Tell(NotOpened::NoApplication, action.target);
    return action.action == seams::ShellRequest::Action::ShowSelected ? kShellSuccess
                                                                      : SE_ERR_NOASSOC;
  }
  return Launch(action);
}

PIDLIST SHBrowseForFolderA(BROWSEINFOA* info) {
  if (!info) return 0;
  FolderBrowser browser;
  FolderBrowser* outer = std::exchange(ActiveBrowser(), &browser);
  const QString title = QString::fromStdString(Utf8(info->lpszTitle));
  seams::DialogResponder* responder = seams::InstalledDialogResponder();

  std::unique_ptr<QWidget> host;
  if (responder) {
    host = std::make_unique<QWidget>();
  } else {
    auto dialog = std::make_unique<QFileDialog>(user32::WidgetOf(info->hwndOwner), title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::Directory);
    if (!(info->ulFlags & BIF_BROWSEINCLUDEFILES)) dialog->setOption(QFileDialog::ShowDirsOnly);
    const QString root = BrowserRoot(info->pidlRoot);
    dialog->setDirectory(root.isEmpty() ? QDir::homePath() : root);
    browser.dialog = dialog.get();
    host = std::move(dialog);
  }
  const HWND window =
      user32::AttachWindow(host.get(), {"#32770", 0, 0, 0, info->hwndOwner, &FolderBrowserProc});
  if (info->lpfn && window) info->lpfn(window, BFFM_INITIALIZED, 0, info->lParam);

  QString chosen;
  if (responder) {
    seams::DialogRequest request;
    request.kind = seams::DialogKind::Folder;
    request.caption = title.toStdString();
    request.folder = browser.selection.toStdString();
    request.flags = info->ulFlags;
    request.owner = info->hwndOwner;
    seams::DialogAnswer answer = responder->Answer(request);
    if (answer.accepted) chosen = QString::fromStdString(answer.value);
  } else if (browser.dialog->exec() == QDialog::Accepted &&
             !browser.dialog->selectedFiles().isEmpty()) {
    chosen = browser.dialog->selectedFiles().front();
  }
  ActiveBrowser() = outer;
  if (chosen.isEmpty()) return 0;
  bool lossy = false;
  std::string path = ProgramPath(QDir::cleanPath(chosen), &lossy);
  // The program reads the folder back into a MAX_PATH buffer (SHGetPathFromIDListA).
  if (lossy || path.size() >= MAX_PATH) {
    comdlg32::TellUnusablePath(info->hwndOwner, path, lossy ? 0 : MAX_PATH - 1);
    return 0;
  }
  if (info->pszDisplayName)
    CopyToBuffer(ProgramPath(DisplayName(chosen)), info->pszDisplayName, MAX_PATH);
  return NewFolderId(std::move(path));
}

BOOL SHGetPathFromIDListA(PIDLIST folder, char* path) {
  if (!path) return FALSE;
  path[0] = '\0';
  const std::string* stored = FolderIds().Find(folder);
  // An item that is no absolute path is a virtual folder: it has a display name only.
  if (!stored || stored->empty() || stored->front() != '/' || stored->size() >= MAX_PATH)
    return FALSE;
  CopyToBuffer(*stored, path, MAX_PATH);
  return TRUE;
}

int SHFileOperationA(SHFILEOPSTRUCTA* operation) {
  if (!operation) return ERROR_INVALID_PARAMETER;
  operation->fAnyOperationsAborted = FALSE;
  const std::vector<std::string> sources = PathList(operation->pFrom);
  const std::vector<std::string> targets = PathList(operation->pTo);
  if (sources.empty()) return ERROR_INVALID_PARAMETER;
  for (size_t i = 0; i < sources.size(); ++i) {
    const fs::path from = sources[i];
    int result = ERROR_SUCCESS;
    switch (operation->wFunc) {
      case FO_DELETE: {
        std::error_code error;
        if (!fs::exists(fs::symlink_status(from, error))) return ERROR_FILE_NOT_FOUND;
        if (operation->fFlags & FOF_ALLOWUNDO) {
          if (!QFile::moveToTrash(QFile::decodeName(sources[i].c_str())))
            result = ERROR_ACCESS_DENIED;
        } else {
          fs::remove_all(from, error);
          if (error) result = FileSystemError(error);
        }
        break;
      }
      case FO_COPY:
      case FO_MOVE:
      case FO_RENAME: {
        if (targets.empty()) return ERROR_INVALID_PARAMETER;
        const std::string& to = targets.size() == sources.size() ? targets[i] : targets.front();
        result = Transfer(operation->wFunc, from, to);
        break;
      }
      default:
        return ERROR_INVALID_PARAMETER;
    }
    if (result != ERROR_SUCCESS) return result;
  }
  return ERROR_SUCCESS;
}

BOOL SHGetSpecialFolderPathA(HWND, char* path, int folder, BOOL create) {
  if (!path) return FALSE;
  path[0] = '\0';
  const QString location = ExistingSpecialFolder(folder, create);
  if (location.isEmpty()) return FALSE;
  const std::string program = ProgramPath(location);
  if (program.size() >= MAX_PATH) return FALSE;
  CopyToBuffer(program, path, MAX_PATH);
  return TRUE;
}

}  // namespace platform::shell32
