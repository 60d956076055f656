// The open and save dialogs over Qt's own (non-native) file dialog, or answered by the tests'
// dialog responder. The program's filter "desc\0*.ico\0...\0\0" becomes Qt's "desc (*.ico)";
// a default extension given as "*.ico" means ".ico".
#include <QFileDialog>
#include <QFileInfo>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/comdlg32/handed_choice.h"
#include "platform/desktop/comdlg32/unusable_path.h"
#include "platform/desktop/test_seams.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"
#include "platform/win32/comdlg32.h"

namespace platform::comdlg32 {
namespace {

using namespace win32;

constexpr DWORD kClassicRecordSize = 76;  // the 32-bit open-file-name record's size

struct FilterPair {
  std::string description;  // UTF-8
  std::string pattern;
};

// "desc\0pattern\0desc\0pattern\0\0": the list ends at an empty description.
std::vector<FilterPair> ParseFilter(const char* filter) {
  std::vector<FilterPair> pairs;
  if (!filter) return pairs;
  for (const char* p = filter; *p;) {
    FilterPair pair{FromGbk(p).toStdString(), ""};
    p += std::strlen(p) + 1;
    pair.pattern = FromGbk(p).toStdString();
    p += std::strlen(p) + (*p ? 1 : 0);
    pairs.push_back(std::move(pair));
  }
  return pairs;
}

std::string RawFilter(const std::vector<FilterPair>& pairs) {
  std::string raw;
  for (const FilterPair& pair : pairs) {
    if (!raw.empty()) raw += '|';
    raw += pair.description + '|' + pair.pattern;
  }
  return raw;
}

QString QtFilter(const FilterPair& pair) {
  QString patterns = QString::fromStdString(pair.pattern).replace(';', ' ').simplified();
  return QString::fromStdString(pair.description) + " (" + patterns + ")";
}

// "*.ico", ".ico" and "ico" all mean the extension "ico"; "*.*" and "*" mean none.
QString DefaultSuffix(const char* extension) {
  QString suffix = FromGbk(extension);
  while (suffix.startsWith('*') || suffix.startsWith('.'))
    suffix.remove(0, 1);
  return suffix.contains('*') ? QString() : suffix;
}

QString WithSuffix(const QString& path, const QString& suffix) {
  if (suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + "." + suffix;
}

std::optional<std::string>& HandedChoice() {
  static std::optional<std::string> choice;
  return choice;
}

// The chosen path (the program's text) back into the caller's record; false, after telling the
// user, when the program cannot take it: too long for the buffer, or `lossy` (more characters
// GBK lacks than the program can name).
bool Deliver(OPENFILENAMEA* request, const std::string& path, bool lossy, DWORD filterIndex) {
  if (lossy || path.size() + 1 > request->nMaxFile) {
    TellUnusablePath(request->hwndOwner, path, lossy ? 0 : request->nMaxFile - 1);
    return false;
  }
  std::memcpy(request->lpstrFile, path.c_str(), path.size() + 1);
  const size_t slash = path.find_last_of('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.find_last_of('.');
  request->nFileOffset = static_cast<WORD>(nameStart);
  request->nFileExtension =
      static_cast<WORD>(dot == std::string::npos || dot < nameStart ? path.size() : dot + 1);
  if (filterIndex) request->nFilterIndex = filterIndex;
  return true;
}

bool Ask(OPENFILENAMEA* request, bool save) {
  if (!request || !request->lpstrFile || request->nMaxFile == 0) return false;
  if (request->lStructSize != kClassicRecordSize && request->lStructSize != sizeof(OPENFILENAMEA))
    return false;
  if (!save && HandedChoice()) {
    const std::string handed = *std::exchange(HandedChoice(), std::nullopt);
    return Deliver(request, handed, false, 0);
  }

  const std::vector<FilterPair> filters = ParseFilter(request->lpstrFilter);
  const QString suffix = DefaultSuffix(request->lpstrDefExt);
  const std::string initialName = FromGbk(request->lpstrFile).toStdString();
  const QString initialFolder =
      NativeQPath(request->lpstrInitialDir ? request->lpstrInitialDir : "");
  const QString title = FromGbk(request->lpstrTitle);

  if (seams::DialogResponder* responder = seams::InstalledDialogResponder()) {
    seams::DialogRequest asked;
    asked.kind = save ? seams::DialogKind::Save : seams::DialogKind::Open;
    asked.caption = title.toStdString();
    asked.text = initialName;
    asked.filter = RawFilter(filters);
    asked.folder = initialFolder.toStdString();
    asked.defaultExtension = FromGbk(request->lpstrDefExt).toStdString();
    asked.flags = request->Flags;
    asked.filterIndex = static_cast<int>(request->nFilterIndex);
    asked.owner = request->hwndOwner;
    seams::DialogAnswer answer = responder->Answer(asked);
    if (!answer.accepted) return false;
    bool lossy = false;
    const std::string path =
        ProgramPath(WithSuffix(QString::fromStdString(answer.value), suffix), &lossy);
    return Deliver(request, path, lossy, 0);
  }

  QFileDialog dialog(user32::WidgetOf(request->hwndOwner), title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!save && (request->Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                   : QFileDialog::AnyFile);
  if (!save || !(request->Flags & OFN_OVERWRITEPROMPT))
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  QStringList qtFilters;
  for (const FilterPair& pair : filters)
    qtFilters << QtFilter(pair);
  if (!qtFilters.isEmpty()) dialog.setNameFilters(qtFilters);
  const DWORD index = request->nFilterIndex;
  if (index >= 1 && index <= static_cast<DWORD>(qtFilters.size()))
    dialog.selectNameFilter(qtFilters[static_cast<int>(index) - 1]);
  dialog.setDefaultSuffix(suffix);
  if (!initialFolder.isEmpty()) dialog.setDirectory(initialFolder);
  if (!initialName.empty()) dialog.selectFile(NativeQPath(request->lpstrFile));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const DWORD chosenFilter = static_cast<DWORD>(qtFilters.indexOf(dialog.selectedNameFilter()) + 1);
  bool lossy = false;
  const std::string path = ProgramPath(dialog.selectedFiles().front(), &lossy);
  return Deliver(request, path, lossy, chosenFilter);
}

}  // namespace

void SetHandedChoice(std::optional<std::string> path) {
  HandedChoice() = std::move(path);
}

bool HandedChoicePending() {
  return HandedChoice().has_value();
}

BOOL GetOpenFileNameA(OPENFILENAMEA* request) {
  return Ask(request, false) ? TRUE : FALSE;
}

BOOL GetSaveFileNameA(OPENFILENAMEA* request) {
  return Ask(request, true) ? TRUE : FALSE;
}

}  // namespace platform::comdlg32
