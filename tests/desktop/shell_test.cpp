// What the shell hands to the desktop, and what the user is told when nothing takes it: pages'
// buttons on a desktop without helpers (recorded), and the real path on a private session bus
// and a private set of applications: the file manager asked without waiting for it, the folder
// opened once where there is no file manager, the user told once where nothing opens a file.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QUrl>

#include <cstdlib>
#include <fstream>

#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/win32/shell32.h"
#include "tests/desktop/desktop_fixture.h"

namespace desktop_test {
namespace {

namespace ts = testing_support;
namespace prop = frame::prop;
using win32::HINSTANCE;

// Lets the event loop run until the condition holds (at most `limit` milliseconds); whether it
// held.
template <class Condition>
bool RunUntil(Condition condition, int limit = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition() && timer.elapsed() < limit)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  return condition();
}

QString Address(const fs::path& path) {
  return QUrl::fromLocalFile(QString::fromStdString(path.string())).toString(QUrl::FullyEncoded);
}

std::string Gbk(const fs::path& path) {
  return frame::Text::FromUtf8(path.string()).bytes();
}

using ShellMessagesTest = DesktopTest;

TEST_F(ShellMessagesTest, WithoutHelpersEachButtonSaysOnceWhatItCouldNotOpen) {
  shell_->WithoutHelpers();
  Start();
  ShowPage(kExtractionPage);
  fs::create_directories(Path("out"));
  const struct {
    int32_t button;
    std::string folder;  // the output folder box, for 打开
    std::string message;
  } rows[] = {
      {unit::按钮5, "", "无法打开“https://pictolan.org/”：没有可以打开它的程序！"},
      {unit::打开按钮2, Path("out").string(),
       "无法打开“" + Path("out").string() + "”：没有可以打开它的程序！"},
      {unit::打开按钮2, Path("not yet").string(), "“" + Path("not yet").string() + "”不存在！"},
  };
  for (const auto& row : rows) {
    frame::WriteText(kMainWindowId, unit::保存路径编辑框, prop::kEditContent,
                     frame::Text::FromUtf8(row.folder));
    const size_t before = Messages().size();
    frame::EventRecord click(kMainWindowId, row.button, 0);
    frame::FireEvent(click);
    ASSERT_EQ(Messages().size(), before + 1) << row.message;
    EXPECT_EQ(Messages().back(), row.message);
  }
}

// A file manager on the private bus that answers ShowItems when told to.
class FakeFileManager final : public QDBusVirtualObject {
 public:
  bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
    if (message.member() != "ShowItems") return false;
    shown.push_back(message.arguments().value(0).toStringList());
    message.setDelayedReply(true);
    waiting = message;
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  std::vector<QStringList> shown;
  QDBusMessage waiting;
};

// One private session bus and one set of applications for the test program: GIO reads where the
// applications are once per process. The only application opens folders; it notes each folder
// it was given in a file.
class ShellOnTheDesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (std::system("command -v dbus-daemon >/dev/null 2>&1") != 0) return;
    root_ = new ts::TempDir;
    const fs::path share = *root_ / "share";
    fs::create_directories(share / "applications");
    fs::create_symlink("/usr/share/mime", share / "mime");
    const fs::path script = *root_ / "files.sh";
    std::ofstream(script) << "#!/bin/sh\necho \"$1\" >> '" << (*root_ / "opened").string() << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    std::ofstream(share / "applications/files.desktop")
        << "[Desktop Entry]\nType=Application\nName=Files\nExec=" << script.string()
        << " %U\nMimeType=inode/directory;\n";
    std::ofstream(share / "applications/mimeinfo.cache")
        << "[MIME Cache]\ninode/directory=files.desktop;\n";
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
      setenv(name, (*root_ / "nothing").c_str(), 1);
    setenv("XDG_DATA_DIRS", share.c_str(), 1);
    unsetenv("XDG_CURRENT_DESKTOP");

    std::ofstream(*root_ / "bus.conf")
        << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
           "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig><type>session</type><listen>unix:dir="
        << root_->path().string()
        << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
           "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
           "<allow own=\"*\"/></policy></busconfig>\n";
    bus_ = new QProcess;
    bus_->start("dbus-daemon", {"--nofork", "--print-address=1",
                                "--config-file=" + QString::fromStdString((*root_ / "bus.conf"))});
    if (!bus_->waitForReadyRead(10000)) return;
    address_ = QString::fromUtf8(bus_->readLine()).trimmed();
    setenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8().constData(), 1);
  }

  static void TearDownTestSuite() {
    if (bus_) {
      bus_->kill();
      bus_->waitForFinished();
    }
    delete bus_;
    delete root_;
    bus_ = nullptr;
    root_ = nullptr;
  }

  void SetUp() override {
    if (address_.isEmpty()) GTEST_SKIP() << "no dbus-daemon";
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected())
        << address_.toStdString() << ": "
        << QDBusConnection::sessionBus().lastError().message().toStdString();
    fs::remove(*root_ / "opened");
    file_ = dir_ / "图标.ico";
    ts::WriteBytes(file_, {0, 0, 1, 0});
  }

  // What the folder application was given.
  std::vector<std::string> Opened() const {
    std::vector<std::string> lines;
    std::ifstream in(*root_ / "opened");
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  static HINSTANCE ShowSelected(const fs::path& file) {
    return platform::shell32::ShellExecuteA(0, nullptr, "explorer.exe",
                                            ("/select," + Gbk(file)).c_str(), nullptr, 1);
  }

  static inline ts::TempDir* root_ = nullptr;
  static inline QProcess* bus_ = nullptr;
  static inline QString address_;
  ts::TempDir dir_;
  fs::path file_;
  seams::ScriptedDialogs dialogs_;
};

TEST_F(ShellOnTheDesktopTest, TheFileManagerIsAskedWithoutWaitingAndNothingElseOpens) {
  FakeFileManager files;
  QDBusConnection service = QDBusConnection::connectToBus(address_, "file-manager");
  ASSERT_TRUE(service.registerVirtualObject("/org/freedesktop/FileManager1", &files));
  ASSERT_TRUE(service.registerService("org.freedesktop.FileManager1"));

  EXPECT_GT(ShowSelected(file_), 32u);
  // The call is still on its way: a blocking one would have waited here for the answer, which
  // this thread gives.
  EXPECT_TRUE(files.shown.empty());
  ASSERT_TRUE(RunUntil([&] { return !files.shown.empty(); }));
  EXPECT_EQ(files.shown[0], QStringList{Address(file_)});
  service.send(files.waiting.createReply());
  RunUntil([] { return false; }, 2000);  // whatever would follow the answer has its time
  EXPECT_TRUE(Opened().empty());
  EXPECT_TRUE(dialogs_.requests().empty());

  service.unregisterService("org.freedesktop.FileManager1");
  QDBusConnection::disconnectFromBus("file-manager");
}

TEST_F(ShellOnTheDesktopTest, WithoutAFileManagerTheFolderOpensOnce) {
  EXPECT_GT(ShowSelected(file_), 32u);
  ASSERT_TRUE(RunUntil([&] { return !Opened().empty(); }));
  EXPECT_EQ(Opened(), std::vector<std::string>{dir_.path().string()});
  EXPECT_TRUE(dialogs_.requests().empty());
}

TEST_F(ShellOnTheDesktopTest, WhatNothingOpensIsSaidOnce) {
  const fs::path notes = dir_ / "notes.txt";
  ts::WriteBytes(notes, {'h', 'i', '\n'});
  EXPECT_EQ(platform::shell32::ShellExecuteA(0, "open", Gbk(notes).c_str(), nullptr, nullptr, 1),
            31u);
  ASSERT_EQ(dialogs_.requests().size(), 1u);
  EXPECT_EQ(dialogs_.requests()[0].text,
            "无法打开“" + notes.string() + "”：没有可以打开它的程序！");
  EXPECT_TRUE(Opened().empty());
}

}  // namespace
}  // namespace desktop_test
