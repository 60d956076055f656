#include "frame/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "frame/literal.h"
#include "frame/translated.h"
#include "platform/core/desktop.h"
#include "platform/win32/user32.h"

namespace frame {
namespace {

using namespace literals;

FatalReporter& Reporter() {
  // The message box is the desktop part's: a process without it reports nothing here.
  static FatalReporter reporter = [](const Text& text, const Text& caption) {
    using MessageBox = decltype(&platform::user32::MessageBoxA);
    if (auto box = platform::DesktopFunction<MessageBox>("user32", "MessageBoxA"))
      box(0, text.c_str(), caption.c_str(), win32::MB_ICONSTOP);
  };
  return reporter;
}

ShutdownHook& Shutdown() {
  static ShutdownHook hook;
  return hook;
}

bool& Ending() {
  static bool ending = false;
  return ending;
}

}  // namespace

Text FatalErrorText(const Text& message, int code) {
  Text text = TR("errors", "运行时出错!\r\n\r\n");
  if (code != 0) text += Format(TR("errors", "错误代码：%1\r\n\r\n"), code);
  if (!message.empty()) text += Format(TR("errors", "错误信息：%1\r\n"), message);
  return text;
}

Text RuntimeErrorMessage(int code) {
  switch (code) {
    case 1:
      return TR("errors", "数组成员引用下标超出定义范围");
    case 2:
      return TR("errors", "未得到所需要的数值型数据");
    case 3:
      return TR("errors", "引用数组成员时维数不为1且不等于该数组目前所具有的维数");
    case 4:
      return TR("errors", "数组成员引用下标必须大于等于1");
    case 5:
      return TR("errors", "数据或数组类型不匹配");
    case 6:
      return TR("errors", "调用DLL命令后发现堆栈错误");
    case 7:
      return TR("errors", "子语句参数未返回数据或者返回了非系统基本类型或数组型数据");
    case 8:
      return TR("errors", "被比较数据只能使用等于或不等于命令比较");
    case 9:
      return TR("errors", "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围");
    case 10:
      return TR("errors", "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零");
    case 11:
      return TR("errors", "所提供参数的数据类型不符合要求");
    default:
      return Text();
  }
}

void FatalError(const Text& message, int code) {
  if (!Ending()) {
    Ending() = true;
    if (Reporter()) Reporter()(FatalErrorText(message, code), TR("errors", "错误"));
  }
  EndProcess(-1);
}

void RaiseRuntimeError(int code) {
  FatalError(RuntimeErrorMessage(code), code);
}

void RaiseRuntimeError(const Text& message) {
  FatalError(message, 0);
}

void AllocationFailed(size_t bytes) {
  FatalError(Format(TR("errors", "分配 %1 字节内存失败!"), bytes), 0);
}

FatalReporter SetFatalReporter(FatalReporter reporter) {
  FatalReporter previous = std::move(Reporter());
  Reporter() = std::move(reporter);
  return previous;
}

void SetShutdownHook(ShutdownHook hook) {
  Shutdown() = std::move(hook);
}

void EndProcess(int exitCode) {
  if (ShutdownHook hook = std::exchange(Shutdown(), nullptr)) hook(exitCode);
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace frame
