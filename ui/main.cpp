// Pictolan's entry point: the command line, the Qt application under the frame, then the
// program's start routine. Qt gets no arguments of its own.
#include <QApplication>
#include <QIcon>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "frame/program.h"
#include "platform/core/paths.h"
#include "ui/command_line.h"
#include "ui/handed_files.h"
#include "ui/program.h"

namespace {

// The path as the program's text, made absolute now: the frame makes the program's folder the
// current one when it starts.
frame::Text ProgramPathOf(const std::string& given) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(given, error);
  if (error) absolute = given;
  return frame::Text(platform::paths::FromNative(absolute.string()));
}

}  // namespace

int main(int argc, char** argv) {
  const ui::CommandLine line =
      ui::ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  switch (line.action) {
    case ui::CommandLine::Action::Help:
      std::fputs(ui::Usage().c_str(), stdout);
      return 0;
    case ui::CommandLine::Action::Version:
      std::printf("pictolan %s\n", PICTOLAN_VERSION);
      return 0;
    case ui::CommandLine::Action::Refuse:
      std::fprintf(stderr, "pictolan: %s\nTry 'pictolan --help' for more information.\n",
                   line.message.c_str());
      return 2;
    case ui::CommandLine::Action::Run:
      break;
  }
  for (size_t i = 1; i < line.paths.size(); ++i)
    std::fprintf(stderr, "pictolan: %s: ignored (only the first file or folder is opened)\n",
                 line.paths[i].c_str());
  if (!line.paths.empty()) ui::SetStartFile(ProgramPathOf(line.paths.front()));

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
