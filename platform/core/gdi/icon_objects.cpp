#include "platform/core/gdi/icon_objects.h"

#include <atomic>
#include <cmath>
#include <memory>
#include <utility>

#include "platform/core/codecs/ico.h"
#include "platform/core/desktop.h"

namespace platform::gdi {
namespace {

std::atomic<double>& Ratio() {
  static std::atomic<double> ratio{1.0};
  return ratio;
}

// Depths above 32 bits are not taken, as the platform's image choice does not take them.
int UsableDepth(const codecs::IconImageInfo& image) {
  return image.depth() <= 32 ? image.depth() : -1;
}

}  // namespace

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

double DeviceRatio() {
  return Ratio().load(std::memory_order_relaxed);
}

void SetDeviceRatio(double ratio) {
  Ratio().store(std::isfinite(ratio) && ratio > 1 ? ratio : 1.0, std::memory_order_relaxed);
}

int DeviceLength(int length) {
  return static_cast<int>(std::lround(length * DeviceRatio()));
}

std::optional<size_t> ChooseDetailImage(std::span<const codecs::IconImageInfo> images,
                                        size_t chosen, int side) {
  if (DeviceRatio() <= 1 || chosen >= images.size()) return std::nullopt;
  const int chosenSide = images[chosen].pixelWidth();
  const int deviceSide = DeviceLength(side);
  std::optional<size_t> best;
  // Ranks a candidate: one that reaches the device size beats one that does not; then the
  // smaller of those that reach it, or the larger of those that do not; then the deeper.
  auto better = [&](const codecs::IconImageInfo& a, const codecs::IconImageInfo& b) {
    const bool aReaches = a.pixelWidth() >= deviceSide, bReaches = b.pixelWidth() >= deviceSide;
    if (aReaches != bReaches) return aReaches;
    if (a.pixelWidth() != b.pixelWidth())
      return aReaches ? a.pixelWidth() < b.pixelWidth() : a.pixelWidth() > b.pixelWidth();
    return UsableDepth(a) > UsableDepth(b);
  };
  for (size_t i = 0; i < images.size(); ++i) {
    if (images[i].pixelWidth() <= chosenSide || UsableDepth(images[i]) < 0) continue;
    if (!best || better(images[i], images[*best])) best = i;
  }
  return best;
}

void AttachDetail(win32::HICON icon, std::span<const uint8_t> imageBytes) {
  if (!Icons().Contains(icon)) return;
  auto decoded = codecs::DecodeIconImage(imageBytes);
  if (decoded) AttachDetail(icon, std::move(decoded).value());
}

void AttachDetail(win32::HICON icon, codecs::DibImage image) {
  IconObject* object = Icons().Find(icon);
  if (!object || image.pixels.empty()) return;
  codecs::DibImage detail = ScaledImage(std::move(image), DeviceLength(object->image.width),
                                        DeviceLength(object->image.height));
  if (!detail.pixels.empty()) object->detail = std::move(detail);
}

}  // namespace platform::gdi
