// Pictolan's entry point: the Qt application under the frame, then the program's start routine.
// The program takes no command-line arguments but --version; Qt gets none.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

#include "frame/program.h"
#include "ui/program.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("pictolan %s\n", PICTOLAN_VERSION);
    return 0;
  }
  int qtArgc = 1;
  char* arguments[] = {argv[0], nullptr};
  QApplication application(qtArgc, arguments);
  QApplication::setApplicationName(QStringLiteral("Pictolan"));
  QApplication::setApplicationVersion(QStringLiteral(PICTOLAN_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.pictolan.Pictolan"));
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/pictolan-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
  return frame::RunProgram(ui::Program(), &ui::StartRoutine);
}
