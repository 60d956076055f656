#include "ui/extraction_page.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "extract/extract_all.h"
#include "extract/icon_image.h"
#include "extract/icon_source.h"
#include "extract/save_format.h"
#include "extract/single_extraction.h"
#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/form/colours.h"
#include "frame/literal.h"
#include "frame/loaded_source.h"
#include "frame/owned.h"
#include "frame/properties.h"
#include "frame/services.h"
#include "frame/translated.h"
#include "frame/ui_commands.h"
#include "icofile/dialogs.h"
#include "icofile/icon_container.h"
#include "icofile/rebuild.h"
#include "icofile/shell_paths.h"
#include "icofile/split.h"
#include "imaging/image_object.h"
#include "ui/globals.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"
#include "ui/page_units.h"
#include "ui/program_folder.h"

namespace ui {

using frame::literals::operator""_gbk;
using frame::form::UnitType;
namespace prop = frame::prop;

namespace {

constexpr int32_t kIconPitch = 32;      // the strip's pixels per icon, and the preview's size
constexpr int32_t kWidestUnit = 32627;  // the frame's largest unit width
constexpr int32_t kYes = 5;
constexpr int32_t kYesNoQuestion = 36;
constexpr int32_t kYesNoInformation = 68;

constexpr std::optional<int32_t> kNoResult = std::nullopt;

const frame::Text& IconFileFilter() {
  return TR("dialogs", "图标文件|*.ico");
}

frame::Text Decimal(int64_t number) {
  return frame::Text(std::to_string(number));
}

int32_t ReadInt(int32_t unit, int property) {
  return frame::ReadInt(kMainWindowId, unit, property);
}
void WriteInt(int32_t unit, int property, int32_t value) {
  frame::WriteInt(kMainWindowId, unit, property, value);
}

// The page's buttons, disabled while a batch lets the window run between its steps: a second
// batch, a new source or another tool must not start in the middle of one.
constexpr int32_t kPageButtons[] = {unit::提取图标按钮,  unit::取文件夹图标按钮, unit::分割图标按钮,
                                    unit::提取图标按钮2, unit::提取图标按钮1,    unit::全部提取按钮,
                                    unit::提取按钮,      unit::浏览按钮1,        unit::打开按钮2};

UnitsDisabled PageButtonsDisabled(std::initializer_list<int32_t> more = {}) {
  std::vector<int32_t> units(std::begin(kPageButtons), std::end(kPageButtons));
  units.insert(units.end(), more);
  return UnitsDisabled(units);
}

frame::Text Progress(int64_t done, int64_t total) {
  return Decimal(done) + frame::Text("/") + Decimal(std::max(done, total));
}

// The status line: each operation that finishes says there what it did, so no earlier outcome
// stands beside it.
void ShowStatus(const frame::Text& text) {
  SetCaption(unit::标签1, text);
}

// Folders an operation made (icofile::MissingFolders, the deepest first) and left empty go again.
void RemoveEmptyFolders(const std::vector<frame::Text>& made) {
  for (const frame::Text& folder : made)
    icofile::RemoveEmptyFolder(folder);
}

bool AskedYes(const frame::Text& question, int32_t flags) {
  return frame::MessageBox(question, flags) == kYes;
}

int32_t FormatIndex() {
  return ReadInt(unit::格式组合框, prop::kComboCurrentIndex);
}

// Outside the list (no item chosen) a bitmap is saved, as the image object saves any format
// number it does not know.
extract::SaveFormat SelectedFormat() {
  return extract::SaveFormatAt(FormatIndex()).value_or(extract::SaveFormat::Bmp);
}

// The writable program folder, the chosen format's name and the source's name without its
// extension: ".../PNG图像/shell32" for Shell32.DLL.
frame::Text ProposedFolder(const frame::Text& source) {
  const frame::Text& separator = icofile::PathSeparator();
  return OutputBaseFolder() + separator +
         frame::ReadText(kMainWindowId, unit::格式组合框, prop::kComboContent) + separator +
         icofile::FolderNameFor(source);
}

// The content of 保存路径编辑框. An empty box (its browse dialog was cancelled) would put the
// files into the root folder; the proposed folder takes its place and shows in the box.
frame::Text OutputFolder() {
  frame::Text folder = EditContent(unit::保存路径编辑框);
  if (!folder.empty()) return folder;
  folder = ProposedFolder(ProgramGlobals().sourcePath);
  SetEditContent(unit::保存路径编辑框, folder);
  return folder;
}

// The icon at 32 x 32 on the preview box's own background (a null icon: the background alone).
void ShowPreview(win32::HICON icon) {
  extract::IconToBmpOptions options;
  options.size = kIconPitch;
  options.background =
      static_cast<win32::COLORREF>(ReadInt(unit::图片框1, prop::kPicBoxBackground));
  frame::WriteBytes(kMainWindowId, unit::图片框1, prop::kPicBoxPicture,
                    extract::IconToBmp(icon, options));
}

// The strip is 32 pixels per icon, but no unit is wider than the frame allows: icons beyond
// that width could never be seen, so they are not drawn (the number box still reaches them).
int32_t StripWidth(int32_t count) {
  return static_cast<int32_t>(std::min<int64_t>(int64_t{kIconPitch} * count, kWidestUnit));
}

// Every icon side by side on white, drawn into a bitmap compatible with the screen; icon 1 also
// goes to the preview. The window runs between icons, since a strip of many large images takes
// a while: meanwhile the page's buttons wait, and a window closed in the middle ends the drawing
// without touching a unit.
void ShowStrip(const frame::Text& source, int32_t count) {
  const int32_t width = StripWidth(count);
  const win32::HWND window = MainWindowHandle();
  const frame::ScreenDc screen(ext::GetDC(0));
  const frame::OwnedDc memory(ext::CreateCompatibleDC(screen.get()));
  const frame::OwnedGdiObject strip(ext::CreateCompatibleBitmap(screen.get(), width, kIconPitch));
  ext::SelectObject(memory.get(), strip.get());
  {
    const frame::OwnedGdiObject white(ext::CreateSolidBrush42(frame::form::kWhite));
    win32::RECT all{0, 0, width, kIconPitch};
    ext::FillRect43(memory.get(), &all, white.get());
  }
  const int32_t drawn = (width + kIconPitch - 1) / kIconPitch;
  bool open = true;
  {
    UnitsDisabled busy = PageButtonsDisabled();
    for (int32_t index = 1; index <= drawn && open; ++index) {
      win32::HICON icon = extract::IconAt(source, index);
      if (index == 1) ShowPreview(icon);
      ext::DrawIcon(memory.get(), (index - 1) * kIconPitch, 0, icon);
      ext::DestroyIcon(icon);
      frame::DoEvents();
      open = WindowStillOpen(window);
    }
  }
  if (open)
    frame::WriteBytes(kMainWindowId, unit::图标画板, prop::kDrawPanelPicture,
                      extract::BitmapToBmp(strip.get()));
}

// A source without icons: its associated icon stands in the preview and the strip.
void ShowAssociatedIcon(const frame::Text& source) {
  win32::HICON icon = extract::AssociatedIcon(source);
  ShowPreview(icon);
  WriteInt(unit::图标画板, prop::kWidth, kIconPitch);
  frame::WriteBytes(kMainWindowId, unit::图标画板, prop::kDrawPanelPicture,
                    frame::ReadBytes(kMainWindowId, unit::图片框1, prop::kPicBoxPicture));
  ext::DestroyIcon(icon);
}

void ShowSource(const frame::Text& path) {
  ShowStatus(
      TR("extraction", "就绪"));  // what the status line said was about the file shown before
  SetEditContent(unit::保存路径编辑框, ProposedFolder(path));
  Globals& page = ProgramGlobals();
  page.sourcePath = path;
  frame::LoadedSource loaded(path);  // counted and drawn from one read of the file
  const int32_t count = std::max(0, extract::CountIcons(path));
  page.iconCount = count;
  WriteInt(unit::图标画板, prop::kWidth, StripWidth(count));
  WriteInt(unit::图标画板, prop::kLeft, 0);
  frame::DoEvents();
  const frame::Text name = icofile::FileNameOfPath(path, true);
  if (count >= 1) {
    SetCaption(unit::提示标签, frame::Format(TR("extraction", "‘%1’有%2个图标。"), name, count));
    SetDisabled(unit::全部提取按钮, false);
    SetDisabled(unit::提取按钮, false);
    ShowStrip(path, count);
  } else {
    SetCaption(unit::提示标签,
               frame::Format(TR("extraction", "‘%1’中没有图标！可提取其关联文件图标。"), name));
    ShowAssociatedIcon(path);
    SetDisabled(unit::全部提取按钮, true);
    SetDisabled(unit::提取按钮, false);
  }
}

// A source without icons: its associated icon, saved where the save dialog 通用对话框3 says, in
// the chosen format; the outcome in a message box.
void SaveAssociatedIcon(const frame::Text& source) {
  win32::HICON icon = extract::AssociatedIcon(source);
  if (!icon) return;
  const int32_t formatIndex = FormatIndex();
  frame::WriteText(
      kMainWindowId, unit::通用对话框3, prop::kDialogFilter,
      frame::ComboItemText(UnitOfMainWindow(unit::格式组合框1, UnitType::ComboBox), formatIndex));
  frame::Array<frame::Text> filter = frame::SplitText(
      frame::ReadText(kMainWindowId, unit::通用对话框3, prop::kDialogFilter), "|"_gbk);
  frame::WriteText(kMainWindowId, unit::通用对话框3, prop::kDialogDefaultExtension,
                   filter.size() >= 2 ? filter(2) : frame::Text());
  if (frame::CommonDlgOpen(UnitOfMainWindow(unit::通用对话框3, UnitType::CommonDlg))) {
    const frame::Text path =
        frame::ReadText(kMainWindowId, unit::通用对话框3, prop::kDialogFileName);
    const extract::SaveFormat format = SelectedFormat();
    frame::MessageBox(extract::OutcomeText(format, extract::SaveIconPicture(icon, format, path)));
  }
  ext::DestroyIcon(icon);
}

// The largest icon file, in whole mebibytes: "256MB".
frame::Text MebibytesOfLargestIcon() {
  return Decimal(static_cast<int64_t>(icofile::kMaxIconFileBytes >> 20)) + "MB"_gbk;
}

// The icon files a folder holds, as the rebuild's file search will list them.
int32_t CountIconFiles(const frame::Text& folder) {
  int32_t count = 0;
  uint32_t search = 0;
  for (frame::Text name = frame::FindFileEntry(icofile::WithTrailingSeparator(folder) + "*.ico"_gbk,
                                               0, true, search);
       !name.empty(); name = frame::FindFileEntry(frame::Text(), 0, true, search))
    ++count;
  frame::CloseFileSearch(search);
  return count;
}

}  // namespace

std::optional<int32_t> OpenIconSource(const frame::EventRecord&) {
  icofile::FileDialogRequest request;
  request.filter = TR("dialogs", "全部文件|*.*|执行文件(exe)|*.exe|DLL文件|*.dll|CPL文件|*.cpl");
  const frame::Text path = icofile::AskOpenFile(request);
  if (!path.empty()) ShowSource(path);
  return kNoResult;
}

std::optional<int32_t> PreviewIconByNumber(const frame::EventRecord&) {
  const int32_t index = WholeNumberIn(EditContent(unit::编辑框2));
  if (ProgramGlobals().iconCount < 1) return kNoResult;
  frame::DoEvents();
  win32::HICON icon = extract::IconAt(ProgramGlobals().sourcePath, index);
  ShowPreview(icon);
  ext::DestroyIcon(icon);
  return kNoResult;
}

std::optional<int32_t> StepIconNumber(const frame::EventRecord& event) {
  const int32_t count = ProgramGlobals().iconCount;
  int64_t next = int64_t{WholeNumberIn(EditContent(unit::编辑框2))} + event.arguments[0];
  if (next < 1) next = count;
  if (next > count) next = 1;
  SetEditContent(unit::编辑框2, next == 0 ? "1"_gbk : Decimal(next));
  return kNoResult;
}

std::optional<int32_t> SelectIconInStrip(const frame::EventRecord& event) {
  if (ProgramGlobals().iconCount < 1) return kNoResult;
  const int64_t x = event.arguments[0];
  SetEditContent(unit::编辑框2, Decimal(std::abs(static_cast<int64_t>(std::floor(
                                    (static_cast<double>(x) + kIconPitch) / kIconPitch)))));
  return kNoResult;
}

std::optional<int32_t> ScrollIconStrip(const frame::EventRecord& event) {
  const int32_t strip = ReadInt(unit::图标画板, prop::kWidth);
  const int32_t visible = ReadInt(unit::画板2, prop::kWidth);
  if (strip <= visible) return kNoResult;
  int64_t left =
      int64_t{ReadInt(unit::图标画板, prop::kLeft)} + int64_t{event.arguments[0]} * visible;
  left = std::clamp<int64_t>(left, int64_t{visible} - strip, 0);
  WriteInt(unit::图标画板, prop::kLeft, static_cast<int32_t>(left));
  return kNoResult;
}

std::optional<int32_t> ExtractSelectedIcon(const frame::EventRecord&) {
  imaging::StartImagingLibrary();
  const Globals& page = ProgramGlobals();
  if (page.iconCount < 1) {
    SaveAssociatedIcon(page.sourcePath);
    return kNoResult;
  }
  const frame::Text folder = OutputFolder();
  const int32_t index = WholeNumberIn(EditContent(unit::编辑框2));
  extract::SavedIcon saved =
      extract::ExtractSelectedIcon(page.sourcePath, page.iconCount, index, SelectedFormat(), folder,
                                   EditContent(unit::文件前缀编辑框));
  SetCaption(unit::标签1, saved.status);
  return kNoResult;
}

std::optional<int32_t> ExtractFolderIcon(const frame::EventRecord&) {
  icofile::FolderBrowseRequest browse;
  browse.owner = MainWindowHandle();
  const frame::Text folder = icofile::BrowseForFolder(browse);
  if (folder.empty()) return kNoResult;
  icofile::FileDialogRequest save;
  save.filter = IconFileFilter();
  save.initialFolder = OutputBaseFolder();
  const frame::Text path = icofile::AskSaveFile(save);
  if (path.empty()) return kNoResult;
  if (!extract::SaveFolderIcon(folder, path)) {
    ShowStatus(TR("extraction", "提取图标失败！"));
    frame::MessageBox(TR("extraction", "提取图标失败！"));
    return kNoResult;
  }
  ShowStatus(TR("extraction", "提取图标成功！"));
  if (AskedYes(TR("extraction", "提取图标成功！是否打开文件所在目录?"), kYesNoInformation))
    icofile::ShellOpen("explorer.exe"_gbk, "/select,"_gbk + path);
  return kNoResult;
}

// A cancel keeps the folder the box holds (the folder browser itself refuses, with a message, a
// path too long for the program). A folder without a path (a virtual one) comes back as its
// display name only: it is said so, and the box kept too.
std::optional<int32_t> ChooseOutputFolder(const frame::EventRecord&) {
  icofile::FolderBrowseRequest browse;
  browse.owner = MainWindowHandle();
  browse.newDialogStyle = true;
  browse.includeFiles = true;
  browse.displayNameWhenNoPath = true;
  const frame::Text folder = icofile::BrowseForFolder(browse);
  if (folder.empty()) return kNoResult;
  if (frame::TextLeft(folder, 1) != icofile::PathSeparator()) {
    frame::MessageBox(TR("extraction", "所选文件夹没有可用的路径，请另选一个文件夹！"));
    return kNoResult;
  }
  SetEditContent(unit::保存路径编辑框, folder);
  return kNoResult;
}

std::optional<int32_t> OpenOutputFolder(const frame::EventRecord&) {
  icofile::ShellOpen(EditContent(unit::保存路径编辑框));
  return kNoResult;
}

// The format, prefix and folder are read once: a change made while the batch runs would
// otherwise mix formats and names in one folder. A closed window stops the batch after the icon
// being saved. The status line and the question say how many icons were not saved; a batch that
// saved none asks nothing and leaves no empty folder behind.
std::optional<int32_t> ExtractAllIcons(const frame::EventRecord&) {
  const Globals& page = ProgramGlobals();
  const int32_t count = page.iconCount;
  if (count <= 0) return kNoResult;
  imaging::StartImagingLibrary();
  const frame::Text source = page.sourcePath;
  const extract::SaveFormat format = SelectedFormat();
  const frame::Text folder = OutputFolder();
  const win32::HWND window = MainWindowHandle();
  const std::vector<frame::Text> made = icofile::MissingFolders(extract::FreeFolderName(folder));
  extract::ExtractedIcons result;
  {
    // Read once: disabled with the buttons, so that no change made meanwhile seems to apply.
    UnitsDisabled busy =
        PageButtonsDisabled({unit::格式组合框, unit::文件前缀编辑框, unit::保存路径编辑框});
    result = extract::ExtractAllIcons(
        source, count, format, folder, EditContent(unit::文件前缀编辑框),
        [&](int32_t index) {
          if (!WindowStillOpen(window)) return;
          ShowStatus(Progress(index, count));
          frame::DoEvents();
        },
        [window] { return !WindowStillOpen(window); });
  }
  if (!WindowStillOpen(window)) return kNoResult;
  if (result.refusedBytes > 0) {
    frame::MessageBox(extract::RefusalText(result.refusedBytes));
    return kNoResult;
  }
  if (!icofile::IsFolder(result.folder)) {
    RemoveEmptyFolders(made);  // the parents made before the folder failed
    ShowStatus(extract::OutcomeText(format, false));
    return kNoResult;
  }
  const size_t saved = static_cast<size_t>(
      std::count_if(result.icons.begin(), result.icons.end(),
                    [](const extract::SavedIcon& icon) { return icon.written; }));
  const size_t total = static_cast<size_t>(count);
  if (saved == 0) {
    RemoveEmptyFolders(made);
    const frame::Text failed = frame::Format(TR("extraction", "%1%2个图标都未能保存。"),
                                             extract::OutcomeText(format, false), count);
    ShowStatus(failed);
    frame::MessageBox(failed);
    return kNoResult;
  }
  frame::Text outcome = TR("extraction", "提取完毕！");
  if (saved < total) {
    outcome = frame::Format(TR("extraction", "提取完毕！%1个图标中有%2个未能保存。"), total,
                            total - saved);
    ShowStatus(outcome);
  } else {
    // Icons built from their handles are this batch's news: the last of them is named.
    ShowStatus(result.status.empty()
                   ? frame::Format(TR("extraction", "提取完毕！共保存%1个文件。"), count)
                   : result.status);
  }
  if (AskedYes(frame::Format(TR("extraction", "%1是否打开文件夹查看文件？"), outcome),
               kYesNoQuestion))
    icofile::ShellOpen(result.folder);
  return kNoResult;
}

std::optional<int32_t> SplitIcon(const frame::EventRecord&) {
  icofile::FileDialogRequest open;
  open.filter = IconFileFilter();
  const frame::Text icon = icofile::AskOpenFile(open);
  if (icon.empty()) return kNoResult;
  icofile::FolderBrowseRequest browse;
  browse.owner = MainWindowHandle();
  browse.title = TR("extraction", "选择保存图标的位置");
  browse.editBox = true;
  browse.includeFiles = true;
  const frame::Text target = icofile::BrowseForFolder(browse);
  if (target.empty()) return kNoResult;
  const std::vector<frame::Text> made = icofile::MissingFolders(icofile::SplitFolder(target, icon));
  icofile::SplitOutcome outcome = icofile::SplitIconFile(icon, target);
  const frame::Text notWritten =
      frame::Format(TR("extraction", "%1个文件未能写入。"), outcome.failed.size());
  // Nothing written (an icon too large to take apart, a file without a single usable image, a
  // folder that could not be made): there is nothing to look at, and no folder is left behind.
  if (outcome.written.empty()) {
    RemoveEmptyFolders(made);
    frame::Text why = TR("extraction", "图标中没有可分割的图像。");
    if (outcome.tooLarge)
      why = frame::Format(TR("extraction", "图标中的图像合计超过%1。"), MebibytesOfLargestIcon());
    else if (!outcome.failed.empty())
      why = notWritten;
    const frame::Text failed = frame::Format(TR("extraction", "分割图标失败！%1"), why);
    ShowStatus(failed);
    frame::MessageBox(failed);
    return kNoResult;
  }
  // What did not become a file is said after what did.
  frame::Text notes;
  if (!outcome.skipped.empty())
    notes += frame::Format(TR("extraction", "跳过了%1个无法识别的图像。"), outcome.skipped.size());
  if (!outcome.failed.empty()) notes += notWritten;
  if (outcome.newIconTooLarge)
    notes += frame::Format(TR("extraction", "32位图像合计超过%1，未创建新图标。"),
                           MebibytesOfLargestIcon());
  const bool madeNewIcon = outcome.written.back() == outcome.folder + "new.ico"_gbk;
  const frame::Text done =
      frame::Format(madeNewIcon ? TR("extraction", "分割完毕！并重新创建了一个新的图标。%1")
                                : TR("extraction", "分割完毕！%1"),
                    notes);
  ShowStatus(done);
  if (AskedYes(frame::Format(TR("extraction", "%1是否查看？"), done), kYesNoQuestion))
    icofile::ShellOpen(outcome.folder);
  return kNoResult;
}

// A rebuilt icon that could not be written is said so, where the question would claim it done.
std::optional<int32_t> RebuildIcon(const frame::EventRecord&) {
  icofile::FileDialogRequest request;
  request.filter = IconFileFilter();
  const frame::Text source = icofile::AskOpenFile(request);
  if (source.empty()) return kNoResult;
  const frame::Text target = icofile::AskSaveFile(request);
  if (target.empty()) return kNoResult;
  switch (icofile::RebuildIconFile(source, target)) {
    case icofile::Rebuilt::Written:
      ShowStatus(TR("extraction", "重新创建图标完毕。"));
      if (AskedYes(TR("extraction", "重新创建图标完毕。是否查看？"), kYesNoQuestion))
        icofile::ShellOpen(icofile::ParentFolder(target));
      break;
    case icofile::Rebuilt::NotWritten:
    case icofile::Rebuilt::NoScratch:
    case icofile::Rebuilt::TooLarge:
      ShowStatus(TR("extraction", "重新创建图标失败！"));
      frame::MessageBox(TR("extraction", "重新创建图标失败！"));
      break;
    case icofile::Rebuilt::NothingKept:  // asks nothing, but the status line says why
      ShowStatus(TR("extraction", "图标中没有可保留的图像，未写入文件。"));
      break;
  }
  return kNoResult;
}

std::optional<int32_t> RebuildIconFolder(const frame::EventRecord&) {
  icofile::FolderBrowseRequest browse;
  browse.owner = MainWindowHandle();
  browse.title = TR("extraction", "选择保存有图标的文件夹");
  const frame::Text source = icofile::BrowseForFolder(browse);
  if (source.empty()) return kNoResult;
  browse.title = TR("extraction", "选择保存新图标的文件夹");
  browse.newDialogStyle = true;
  const frame::Text target = icofile::BrowseForFolder(browse);
  if (target.empty()) return kNoResult;
  const win32::HWND window = browse.owner;
  const int32_t total = CountIconFiles(source);
  int32_t done = 0;
  frame::SetWaitCursor();
  std::vector<icofile::FolderRebuild> results;
  {
    UnitsDisabled busy = PageButtonsDisabled();
    results = icofile::RebuildIconFolder(
        source, target,
        [&](const icofile::FolderRebuild&) {
          ++done;
          if (!WindowStillOpen(window)) return;
          ShowStatus(Progress(done, total));
          frame::DoEvents();
        },
        [window] { return !WindowStillOpen(window); });
  }
  frame::RestoreCursor();
  if (!WindowStillOpen(window)) return kNoResult;
  size_t written = 0, failed = 0;
  for (const icofile::FolderRebuild& file : results) {
    written += file.result == icofile::Rebuilt::Written;
    failed += icofile::RebuildFailed(file.result);
  }
  if (failed > 0 && written == 0) {
    const frame::Text outcome = frame::Format(
        TR("extraction", "重新创建图标失败！%1个图标中有%2个未能写入。"), results.size(), failed);
    ShowStatus(outcome);
    frame::MessageBox(outcome);
    return kNoResult;
  }
  const frame::Text outcome =
      failed > 0 ? frame::Format(TR("extraction", "重新创建图标完毕，但%1个图标中有%2个未能写入。"),
                                 results.size(), failed)
                 : TR("extraction", "重新创建图标完毕。");
  ShowStatus(failed > 0
                 ? outcome
                 : frame::Format(TR("extraction", "重新创建图标完毕。共写入%1个图标。"), written));
  if (AskedYes(frame::Format(TR("extraction", "%1是否查看？"), outcome), kYesNoQuestion))
    icofile::ShellOpen(target);
  return kNoResult;
}

}  // namespace ui
