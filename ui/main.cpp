// Pictolan's entry point: the Qt application under the frame, then the program's start routine.
// The program takes no command-line arguments; Qt gets none either.
#include <QApplication>

#include "frame/program.h"
#include "ui/program.h"

int main(int, char** argv) {
  int argc = 1;
  char* arguments[] = {argv[0], nullptr};
  QApplication application(argc, arguments);
  QApplication::setApplicationName(QStringLiteral("Pictolan"));
  return frame::RunProgram(ui::Program(), &ui::StartRoutine);
}
