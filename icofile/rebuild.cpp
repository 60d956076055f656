#include "icofile/rebuild.h"

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/le_bytes.h"
#include "frame/literal.h"
#include "frame/private_folder.h"
#include "icofile/icon_container.h"

namespace icofile {

using frame::AppendU32;
using frame::operator""_gbk;

frame::ByteSet RebuildIconBytes(const frame::ByteSet& icon) {
  std::vector<WalkedImage> kept;
  frame::PrivateFolder scratch;
  if (!scratch.path().empty()) {
    const frame::Text probe = scratch.path() + "probe.ico"_gbk;
    for (WalkedImage& image : WalkIconImages(icon)) {
      if (image.image.empty()) continue;  // never loads; a damaged count may list thousands
      frame::WriteFile(probe, MakeSingleImageIcon(image.entryHead, image.image));
      win32::HICON loaded = ProbeIconLoad(probe);
      if (loaded) kept.push_back(std::move(image));
      frame::DeleteFile(probe);
      ext::DestroyIcon(loaded);
    }
  }
  frame::ByteSet file = IconFileHeader(kept.size());
  uint32_t offset = static_cast<uint32_t>(6 + 16 * kept.size());
  for (const WalkedImage& image : kept) {
    file += image.entryHead;
    AppendU32(file, offset);
    offset += image.bytesInResource;
  }
  for (const WalkedImage& image : kept)
    file += image.image;
  return file;
}

}  // namespace icofile
