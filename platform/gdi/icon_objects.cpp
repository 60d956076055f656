#include "platform/gdi/icon_objects.h"

#include <memory>
#include <utility>

#include "platform/desktop.h"

namespace platform::gdi {

HandleTable<IconObject>& Icons() {
  static HandleTable<IconObject> table(HandleKind::Icon);
  return table;
}

win32::HICON CreateIcon(codecs::DibImage image) {
  if (image.width <= 0 || image.height <= 0) return 0;
  auto icon = std::make_unique<IconObject>();
  icon->hotX = image.width / 2;
  icon->hotY = image.height / 2;
  image.bitCount = 32;
  icon->image = std::move(image);
  return Icons().Insert(std::move(icon));
}

codecs::DibImage ScaledImage(codecs::DibImage image, int width, int height) {
  if (image.width == width && image.height == height) return image;
  const PicturePart* pictures = Pictures();
  return pictures ? pictures->scale(image, width, height) : codecs::DibImage{};
}

}  // namespace platform::gdi
