// What an image reports: type, size, resolution, flags, formats, frames and property items.
#include <cstring>

#include "platform/picture/gdiplus/decoder.h"
#include "platform/picture/gdiplus/objects.h"
#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

// Images report their single dimension; frames are counted along the page or the time
// dimension alike, as the platform's library does.
bool IsFrameDimension(const GUID* dimension) {
  return dimension &&
         (*dimension == gdip::FrameDimensionPage || *dimension == gdip::FrameDimensionTime);
}

const PropertyValue* FindProperty(const Image& image, PROPID id) {
  for (const PropertyValue& property : image.properties)
    if (property.id == id) return &property;
  return nullptr;
}

UINT PropertyItemSize(const PropertyValue& property) {
  return UINT(sizeof(PropertyItem) + property.value.size());
}

}  // namespace

GpStatus GdipGetImageType(GpImage image, ImageType* type) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!type) return gdip::InvalidParameter;
  *type = gdip::ImageTypeBitmap;
  return gdip::Ok;
}

GpStatus GdipGetImageWidth(GpImage image, UINT* width) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!width) return gdip::InvalidParameter;
  *width = UINT(object->pixels.width());
  return gdip::Ok;
}

GpStatus GdipGetImageHeight(GpImage image, UINT* height) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!height) return gdip::InvalidParameter;
  *height = UINT(object->pixels.height());
  return gdip::Ok;
}

GpStatus GdipGetImageDimension(GpImage image, REAL* width, REAL* height) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!width || !height) return gdip::InvalidParameter;
  *width = REAL(object->pixels.width());
  *height = REAL(object->pixels.height());
  return gdip::Ok;
}

GpStatus GdipGetImageBounds(GpImage image, GpRectF* bounds, GpUnit* unit) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!bounds || !unit) return gdip::InvalidParameter;
  *bounds = GpRectF{0, 0, REAL(object->pixels.width()), REAL(object->pixels.height())};
  *unit = gdip::UnitPixel;
  return gdip::Ok;
}

GpStatus GdipGetImageHorizontalResolution(GpImage image, REAL* resolution) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!resolution) return gdip::InvalidParameter;
  *resolution = object->dpiX;
  return gdip::Ok;
}

GpStatus GdipGetImageVerticalResolution(GpImage image, REAL* resolution) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!resolution) return gdip::InvalidParameter;
  *resolution = object->dpiY;
  return gdip::Ok;
}

GpStatus GdipGetImageFlags(GpImage image, UINT* flags) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!flags) return gdip::InvalidParameter;
  *flags = ImageFlags(*object);
  return gdip::Ok;
}

GpStatus GdipGetImagePixelFormat(GpImage image, PixelFormat* format) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!format) return gdip::InvalidParameter;
  *format = object->pixelFormat;
  return gdip::Ok;
}

GpStatus GdipGetImageRawFormat(GpImage image, GUID* format) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!format) return gdip::InvalidParameter;
  *format = object->rawFormat;
  return gdip::Ok;
}

GpStatus GdipImageGetFrameDimensionsCount(GpImage image, UINT* count) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!count) return gdip::InvalidParameter;
  *count = 1;
  return gdip::Ok;
}

GpStatus GdipImageGetFrameDimensionsList(GpImage image, GUID* dimensions, UINT count) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!dimensions || count != 1) return gdip::InvalidParameter;
  dimensions[0] = object->frameDimension;
  return gdip::Ok;
}

GpStatus GdipImageGetFrameCount(GpImage image, const GUID* dimension, UINT* count) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!count || !IsFrameDimension(dimension)) return gdip::InvalidParameter;
  *count = object->frameCount;
  return gdip::Ok;
}

GpStatus GdipImageSelectActiveFrame(GpImage image, const GUID* dimension, UINT index) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!IsFrameDimension(dimension)) return gdip::InvalidParameter;
  return DecodeFrame(*object, index);
}

GpStatus GdipGetPropertySize(GpImage image, UINT* totalSize, UINT* count) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!totalSize || !count) return gdip::InvalidParameter;
  *totalSize = 0;
  for (const PropertyValue& property : object->properties)
    *totalSize += PropertyItemSize(property);
  *count = UINT(object->properties.size());
  return gdip::Ok;
}

GpStatus GdipGetPropertyIdList(GpImage image, UINT count, PROPID* list) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (count != object->properties.size() || (count != 0 && !list)) return gdip::InvalidParameter;
  for (UINT i = 0; i < count; ++i)
    list[i] = object->properties[i].id;
  return gdip::Ok;
}

GpStatus GdipGetPropertyItemSize(GpImage image, PROPID id, UINT* size) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!size) return gdip::InvalidParameter;
  const PropertyValue* property = FindProperty(*object, id);
  if (!property) return gdip::PropertyNotFound;
  *size = PropertyItemSize(*property);
  return gdip::Ok;
}

// The item's value follows it in the caller's buffer, which must have the item's exact size.
GpStatus GdipGetPropertyItem(GpImage image, PROPID id, UINT size, PropertyItem* buffer) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (!buffer) return gdip::InvalidParameter;
  const PropertyValue* property = FindProperty(*object, id);
  if (!property) return gdip::PropertyNotFound;
  if (size != PropertyItemSize(*property)) return gdip::InvalidParameter;
  auto* value = reinterpret_cast<uint8_t*>(buffer) + sizeof(PropertyItem);
  buffer->id = property->id;
  buffer->length = ULONG(property->value.size());
  buffer->type = property->type;
  buffer->value = value;
  if (!property->value.empty()) std::memcpy(value, property->value.data(), property->value.size());
  return gdip::Ok;
}

}  // namespace platform::gdiplus
