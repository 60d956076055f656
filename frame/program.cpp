#include "frame/program.h"

#include "frame/fatal.h"
#include "frame/literal.h"
#include "frame/translated.h"

namespace frame {
namespace {

using namespace literals;

RuntimeApp& App() {
  RuntimeApp* app = RuntimeApp::Current();
  if (!app) FatalError(TR("errors", "载入启动窗口失败"));
  return *app;
}

}  // namespace

void Initialise() {
  App().Initialise();
}

void LoadStartWindow(int32_t windowId) {
  App().LoadStartWindow(windowId);
}

void Run() {
  App().Run();
}

int RunProgram(const ProgramHeader& header, StartRoutine start) {
  RuntimeApp app(header);
  start();
  app.Shutdown(0);
  return app.quitCode();
}

}  // namespace frame
