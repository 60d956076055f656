// pictolan-icon: draws Pictolan's own icon at the sizes of the desktop's icon theme and writes
// them as PNG files (OUTDIR/pictolan-SIZE.png). Each size is drawn on its own pixel grid, not
// scaled from a large one, so that the edges of the small sizes stay sharp.
//
// The icon: a tile of sky with a sun and two hills (a picture), and out of its corner a small
// tile of four coloured pixels (the icon Pictolan makes of it).
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// A length of `fraction` of the icon, at least `least` pixels, on the pixel grid.
double Snap(int size, double fraction, double least = 1) {
  return std::max(least, std::round(size * fraction));
}

QImage Draw(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  const bool small = size <= 24;

  // The picture tile: it leaves room at the bottom right for the icon tile.
  const double margin = Snap(size, 1.0 / 16);
  const QRectF tile(margin, margin, s - 2 * margin - Snap(size, 0.06, 0),
                    s - 2 * margin - Snap(size, 0.06, 0));
  const double radius = tile.width() * 0.2;
  QPainterPath tilePath;
  tilePath.addRoundedRect(tile, radius, radius);
  QLinearGradient sky(tile.topLeft(), tile.bottomLeft());
  sky.setColorAt(0, QColor(0x63, 0xB8, 0xFF));
  sky.setColorAt(1, QColor(0x23, 0x62, 0xD4));
  p.fillPath(tilePath, sky);

  p.save();
  p.setClipPath(tilePath);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xD5, 0x4A));
  const double sun = s * (small ? 0.13 : 0.11);
  p.drawEllipse(QPointF(tile.left() + tile.width() * 0.3, tile.top() + tile.height() * 0.3), sun,
                sun);
  const double ground = tile.bottom();
  QPainterPath back;
  back.moveTo(tile.left() - 1, ground);
  back.lineTo(tile.left() + tile.width() * 0.38, tile.top() + tile.height() * 0.5);
  back.lineTo(tile.left() + tile.width() * 0.8, ground);
  p.fillPath(back, QColor(0x2E, 0x9E, 0x5B));
  QPainterPath front;
  front.moveTo(tile.left() + tile.width() * 0.25, ground);
  front.lineTo(tile.left() + tile.width() * 0.66, tile.top() + tile.height() * 0.4);
  front.lineTo(tile.right() + 1, tile.top() + tile.height() * 0.78);
  front.lineTo(tile.right() + 1, ground);
  p.fillPath(front, QColor(0x48, 0xC7, 0x72));
  p.restore();

  // A thin darker edge keeps the tile apart from light and dark backgrounds alike.
  const double edge = std::max(1.0, s / 64);
  p.setPen(QPen(QColor(0x17, 0x48, 0xA6), edge));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(tile.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2), radius, radius);

  // The icon tile, white, its frame cut out of the picture behind it.
  const double chip = Snap(size, small ? 0.5 : 0.44);
  const QRectF chipRect(s - margin - chip, s - margin - chip, chip, chip);
  const double chipRadius = chip * 0.22;
  const double gap = Snap(size, 1.0 / 32);
  p.setCompositionMode(QPainter::CompositionMode_Clear);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRoundedRect(chipRect.adjusted(-gap, -gap, gap, gap), chipRadius + gap, chipRadius + gap);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setBrush(QColor(0xFF, 0xFF, 0xFF));
  p.setPen(QPen(QColor(0x17, 0x48, 0xA6), edge));
  p.drawRoundedRect(chipRect.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2), chipRadius,
                    chipRadius);
  // Four pixels of the icon: a 2 x 2 grid of colours.
  const double inset = edge + Snap(size, 0.04);
  const QRectF cells = chipRect.adjusted(inset, inset, -inset, -inset);
  const double cellGap = size >= 48 ? Snap(size, 0.02) : 0;
  const double cell = (cells.width() - cellGap) / 2;
  const QColor colours[4] = {QColor(0xFF, 0x7A, 0x2F), QColor(0x23, 0x62, 0xD4),
                             QColor(0x48, 0xC7, 0x72), QColor(0xFF, 0xC8, 0x2E)};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    p.setBrush(colours[i]);
    p.drawRoundedRect(QRectF(cells.left() + (i % 2) * (cell + cellGap),
                             cells.top() + (i / 2) * (cell + cellGap), cell, cell),
                      cell * 0.15, cell * 0.15);
  }
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pictolan-icon OUTDIR\n");
    return 2;
  }
  for (int size : kSizes) {
    const std::string path = std::string(argv[1]) + "/pictolan-" + std::to_string(size) + ".png";
    if (!Draw(size).save(QString::fromStdString(path), "PNG")) {
      std::fprintf(stderr, "pictolan-icon: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
