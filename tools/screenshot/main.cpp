// pictolan-screenshot OUT.png [SECONDS]: waits (at most SECONDS, default 20) until something is
// drawn on the X display's black root window, then saves the drawn part of the screen as a PNG.
// scripts/run.sh uses it to show a newcomer on a machine without a display that Pictolan runs.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <chrono>
#include <cstdio>

namespace {

// The smallest rectangle holding every pixel that is not black.
QRect DrawnPart(const QImage& screen) {
  QRect drawn;
  for (int y = 0; y < screen.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
    for (int x = 0; x < screen.width(); ++x)
      if (qGray(row[x]) != 0) drawn |= QRect(x, y, 1, 1);
  }
  return drawn;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [SECONDS]\n", argv[0]);
    return 2;
  }
  QGuiApplication application(argc, argv);
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 1;
  QRect drawn;
  QImage shot;
  // The window paints shortly after it maps: wait for a second look that matches the first.
  while (std::chrono::steady_clock::now() < deadline) {
    QThread::msleep(500);
    const QImage now = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    const QRect part = DrawnPart(now);
    if (!part.isEmpty() && part == drawn && now == shot) break;
    drawn = part;
    shot = now;
  }
  if (drawn.isEmpty()) {
    std::fprintf(stderr, "nothing was drawn on the display within %d seconds\n", seconds);
    return 1;
  }
  if (!shot.copy(drawn).save(QString::fromLocal8Bit(argv[1]), "PNG")) return 1;
  return 0;
}
