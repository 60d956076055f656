#include "platform/desktop/comdlg32/unusable_path.h"

#include <string>

#include "platform/core/i18n/translation.h"
#include "platform/text/gbk.h"
#include "platform/win32/user32.h"

namespace platform::comdlg32 {

void TellUnusablePath(win32::HWND owner, std::string_view gbkPath, size_t limit) {
  const std::string reason =
      limit > 0 ? i18n::Substitute(TR_UTF8("dialogs", "路径太长（最多 %1 字节），无法使用："),
                                   {std::to_string(limit)})
                : TR_UTF8("dialogs", "路径中无法表示的字符太多，无法使用：");
  const std::string message = text::Utf8ToGbk(reason) + "\r\n" + std::string(gbkPath);
  user32::MessageBoxA(owner, message.c_str(), text::Utf8ToGbk(TR_UTF8("dialogs", "信息：")).c_str(),
                      win32::MB_OK | win32::MB_ICONEXCLAMATION);
}

}  // namespace platform::comdlg32
