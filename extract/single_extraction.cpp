#include "extract/single_extraction.h"

#include "extract/icon_image.h"
#include "extract/icon_source.h"
#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/form/colours.h"
#include "frame/literal.h"
#include "frame/translated.h"
#include "icofile/shell_paths.h"
#include "imaging/image_object.h"

namespace extract {

using frame::literals::operator""_gbk;

namespace {

frame::ByteSet BitmapOf(win32::HICON icon, bool onWhite) {
  IconToBmpOptions options;
  options.size = 32;
  if (onWhite) options.background = frame::form::kWhite;
  return IconToBmp(icon, options);
}

frame::Text StatusText(SaveFormat format, bool succeeded, const frame::Text& indexNumber) {
  return frame::Format(TR("extraction", "%1序号：%2"), OutcomeText(format, succeeded), indexNumber);
}

}  // namespace

const frame::Text& OutcomeText(SaveFormat format, bool succeeded) {
  switch (format) {
    case SaveFormat::Jpg:
      return succeeded ? TR("extraction", "保存JPG图片成功！")
                       : TR("extraction", "保存JPG图片失败！");
    case SaveFormat::Gif:
      return succeeded ? TR("extraction", "保存GIF图片成功！")
                       : TR("extraction", "保存GIF图片失败！");
    case SaveFormat::Tiff:
      return succeeded ? TR("extraction", "保存TIFF图片成功！")
                       : TR("extraction", "保存TIFF图片失败！");
    case SaveFormat::Png:
      return succeeded ? TR("extraction", "保存PNG图片成功！")
                       : TR("extraction", "保存PNG图片失败！");
    case SaveFormat::Ico:
      return succeeded ? TR("extraction", "提取图标成功！") : TR("extraction", "提取图标失败！");
    case SaveFormat::Bmp:
    case SaveFormat::TransparentBmp:
      break;
  }
  return succeeded ? TR("extraction", "保存BMP图片成功！") : TR("extraction", "保存BMP图片失败！");
}

bool SaveIconPicture(win32::HICON icon, SaveFormat format, const frame::Text& path) {
  imaging::ImageObject image;
  switch (format) {
    case SaveFormat::Ico:
      return frame::WriteFile(path, IconToSingleIco(icon));
    case SaveFormat::Bmp:
    case SaveFormat::TransparentBmp:
      return frame::WriteFile(path, BitmapOf(icon, format == SaveFormat::Bmp));
    case SaveFormat::Jpg:
    case SaveFormat::Gif:
      image.LoadFromBytes(BitmapOf(icon, true));
      break;
    case SaveFormat::Tiff:
    case SaveFormat::Png:
      image.FromIconHandle(icon);
      break;
  }
  return image.SaveToFile(path, static_cast<int32_t>(format));
}

// A group the command counts but does not write (an image resource missing, a failed write) is
// a failure: the file is then built from the handle, and a status never claims a file that is
// not there. The command takes an index below 1 as group 1, so such an index is not given to it:
// it names no icon, and nothing is written.
SavedIcon SaveIconGroup(const frame::IconGroupSource& groups, const frame::Text& source,
                        int32_t index, const frame::Text& indexNumber, const frame::Text& path) {
  SavedIcon saved;
  saved.path = path;
  if (index >= 1 && groups.Save(path, index).written) {
    saved.written = true;
    saved.status = StatusText(SaveFormat::Ico, true, indexNumber);
    return saved;
  }
  win32::HICON icon = IconAt(source, index);
  saved.noIcon = !icon;
  saved.written = icon && frame::WriteFile(path, IconToSingleIco(icon));
  ext::DestroyIcon(icon);
  saved.fromHandle = saved.written;
  saved.status = StatusText(SaveFormat::Ico, false, indexNumber);
  if (saved.written)
    saved.status = frame::Format(TR("extraction", "%1  根据句柄创建."), saved.status);
  return saved;
}

// An index without an icon (below 1, beyond the count, a damaged group) writes nothing, as
// does a folder that cannot be made: both give the format's failure text.
SavedIcon ExtractSelectedIcon(const frame::Text& source, int32_t count, int32_t index,
                              SaveFormat format, const frame::Text& folder,
                              const frame::Text& prefix) {
  if (!icofile::IsFolder(folder)) icofile::CreateFolderPath(folder);
  frame::Text indexNumber = IndexNumber(index, count);
  frame::Text path = OutputFileName(folder, prefix, index, count, format);
  SavedIcon saved;
  saved.path = path;
  if (!icofile::IsFolder(folder)) {
    saved.status = StatusText(format, false, indexNumber);
    return saved;
  }
  if (format == SaveFormat::Ico)
    return SaveIconGroup(frame::IconGroupSource(source), source, index, indexNumber, path);
  win32::HICON icon = IconAt(source, index);
  saved.noIcon = !icon;
  saved.written = icon && SaveIconPicture(icon, format, path);
  ext::DestroyIcon(icon);
  saved.status = StatusText(format, saved.written, indexNumber);
  return saved;
}

bool SaveFolderIcon(const frame::Text& folder, const frame::Text& savePath) {
  win32::HICON icon = AssociatedIcon(folder);
  if (!icon) return false;
  bool written = frame::WriteFile(savePath, IconToSingleIco(icon));
  ext::DestroyIcon(icon);
  return written;
}

}  // namespace extract
