#include "platform/picture/gdiplus/codec_messages.h"

#include <dlfcn.h>
#include <link.h>

#include <QBuffer>
#include <QImageReader>
#include <QtGlobal>

#include <cstdarg>
#include <cstring>
#include <mutex>
#include <string>

namespace platform::gdiplus {
namespace {

thread_local int quietDepth = 0;
QtMessageHandler previousHandler = nullptr;

void QtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (quietDepth > 0 && type != QtFatalMsg) return;
  if (previousHandler) previousHandler(type, context, message);
}

void TiffMessages(const char*, const char*, va_list) {}

// The path of the loaded libtiff, which Qt's TIFF plugin brings in (we do not link it).
std::string LoadedTiffLibrary() {
  std::string path;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* found) {
        const char* name = info->dlpi_name;
        if (name && std::strstr(name, "/libtiff.so")) *static_cast<std::string*>(found) = name;
        return 0;
      },
      &path);
  return path;
}

// libtiff prints warnings on stderr unless given handlers. Its library is loaded with Qt's TIFF
// plugin, so the plugin is loaded first, then the handlers are set through the loaded library.
void QuietTiff() {
  QBuffer empty;
  QImageReader(&empty, "tiff").canRead();
  std::string library = LoadedTiffLibrary();
  if (library.empty()) return;
  void* tiff = dlopen(library.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (!tiff) return;
  using Handler = void (*)(const char*, const char*, va_list);
  using SetHandler = Handler (*)(Handler);
  for (const char* setter : {"TIFFSetWarningHandler", "TIFFSetErrorHandler"})
    if (auto set = reinterpret_cast<SetHandler>(dlsym(tiff, setter))) set(&TiffMessages);
  dlclose(tiff);  // the plugin keeps it loaded
}

}  // namespace

QuietCodecMessages::QuietCodecMessages(const char* qtFormat) {
  static std::once_flag qt;
  std::call_once(qt, [] { previousHandler = qInstallMessageHandler(&QtMessages); });
  if (std::strcmp(qtFormat, "tiff") == 0) {
    static std::once_flag tiff;
    std::call_once(tiff, &QuietTiff);
  }
  ++quietDepth;
}

QuietCodecMessages::~QuietCodecMessages() {
  --quietDepth;
}

}  // namespace platform::gdiplus
