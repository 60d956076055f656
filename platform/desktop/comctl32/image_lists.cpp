#include "platform/desktop/comctl32/image_lists.h"

#include <memory>

#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/comctl32.h"

namespace platform::comctl32 {
namespace {

using namespace win32;

// Bounds on what a list may hold: sides up to 1024 pixels, at most 256 MiB of pixels per list.
constexpr int kMaxSide = 1024;
constexpr int64_t kMaxBytes = int64_t{256} << 20;

// Lists without a mask and with fewer than 32 bits per pixel have no transparency: each icon is
// drawn over the background colour (black while it is CLR_NONE, as a new bitmap is zero).
bool Opaque(const ImageListObject& list) {
  return !(list.flags & ILC_MASK) && (list.flags & ILC_COLORMASK) != ILC_COLOR32;
}

// The icon scaled to width x height over what the list puts behind its images.
QImage Drawn(const ImageListObject& list, const QImage& icon, int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) return image;
  const bool opaque = Opaque(list);
  image.fill(opaque && list.background != CLR_NONE ? gdi::ColourRefToArgb(list.background)
             : opaque                              ? 0xFF000000u
                                                   : 0u);
  gdi::Blit(image, gdi::Scaled(icon, width, height), 0, 0, gdi::Over);
  return image;
}

}  // namespace

HandleTable<ImageListObject>& ImageLists() {
  static HandleTable<ImageListObject> table(HandleKind::ImageList);
  return table;
}

const QImage* ImageListImage(HIMAGELIST list, int index) {
  const ImageListObject* object = ImageLists().Find(list);
  if (!object || index < 0 || static_cast<size_t>(index) >= object->images.size()) return nullptr;
  return &object->images[static_cast<size_t>(index)];
}

const QImage* ImageListShownImage(HIMAGELIST list, int index) {
  const ImageListObject* object = ImageLists().Find(list);
  if (object && index >= 0 && static_cast<size_t>(index) < object->deviceImages.size() &&
      !object->deviceImages[static_cast<size_t>(index)].isNull())
    return &object->deviceImages[static_cast<size_t>(index)];
  return ImageListImage(list, index);
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int, int) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return 0;
  auto list = std::make_unique<ImageListObject>();
  list->width = width;
  list->height = height;
  list->flags = flags;
  return ImageLists().Insert(std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  return ImageLists().Erase(list) ? TRUE : FALSE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour) {
  ImageListObject* object = ImageLists().Find(list);
  if (!object) return CLR_NONE;
  return std::exchange(object->background, colour);
}

int ImageList_AddIcon(HIMAGELIST list, HICON icon) {
  ImageListObject* object = ImageLists().Find(list);
  const gdi::IconObject* source = gdi::Icons().Find(icon);
  if (!object || !source || source->image.pixels.empty()) return -1;
  const int64_t deviceBytes = gdi::DeviceRatio() > 1 ? int64_t{gdi::DeviceLength(object->width)} *
                                                           gdi::DeviceLength(object->height) * 4
                                                     : 0;
  const int64_t imageBytes = int64_t{object->width} * object->height * 4 + deviceBytes;
  if (static_cast<int64_t>(object->images.size() + 1) * imageBytes > kMaxBytes) return -1;
  QImage image = Drawn(*object, gdi::ImageView(source->image), object->width, object->height);
  if (image.isNull()) return -1;
  if (gdi::DeviceRatio() > 1) {
    object->deviceImages.resize(object->images.size());
    QImage device = Drawn(
        *object, gdi::ImageView(source->detail.pixels.empty() ? source->image : source->detail),
        gdi::DeviceLength(object->width), gdi::DeviceLength(object->height));
    device.setDevicePixelRatio(gdi::DeviceRatio());
    object->deviceImages.push_back(std::move(device));
  }
  object->images.push_back(std::move(image));
  return static_cast<int>(object->images.size() - 1);
}

}  // namespace platform::comctl32
