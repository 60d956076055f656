#include "platform/picture/qt_text.h"

#include <QHash>

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/core/paths.h"
#include "platform/text/gbk.h"

namespace platform {
namespace {

// The program texts whose shown form does not convert back to them, by shown form; the oldest
// are forgotten first.
class ShownTexts {
 public:
  void Remember(const QString& shown, std::string_view gbk) {
    std::lock_guard lock(mutex_);
    const bool known = texts_.contains(shown);
    texts_.insert(shown, std::string(gbk));
    if (known) return;
    order_.push_back(shown);
    if (order_.size() > kCapacity) {
      texts_.remove(order_.front());
      order_.pop_front();
    }
  }

  bool Recall(const QString& shown, std::string* gbk) {
    std::lock_guard lock(mutex_);
    auto found = texts_.constFind(shown);
    if (found == texts_.constEnd()) return false;
    *gbk = *found;
    return true;
  }

 private:
  static constexpr size_t kCapacity = 4096;
  std::mutex mutex_;
  QHash<QString, std::string> texts_;
  std::deque<QString> order_;
};

ShownTexts& Shown() {
  static ShownTexts texts;
  return texts;
}

}  // namespace

QString FromGbk(std::string_view gbk) {
  const QString shown = QString::fromStdString(text::GbkToUtf8(gbk));
  if (text::ShowsInexactly(gbk)) Shown().Remember(shown, gbk);
  return shown;
}

std::string ToGbk(const QString& shown) {
  std::string gbk;
  if (Shown().Recall(shown, &gbk)) return gbk;
  return text::Utf8ToGbk(shown.toStdString());
}

QString NativeQPath(std::string_view gbkPath) {
  return QString::fromStdString(paths::ToNative(gbkPath));
}

std::string ProgramPath(const QString& nativePath, bool* lossy) {
  return paths::FromNative(FileSystemPath(nativePath), lossy);
}

std::string FileSystemPath(const QString& path) {
  std::string written = path.toStdString();
  struct stat status {};
  if (!path.contains(QChar::ReplacementCharacter) || lstat(written.c_str(), &status) == 0)
    return written;
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return written;
  const QString name = path.mid(slash + 1);
  const std::string folder = slash == 0 ? std::string("/") : FileSystemPath(path.left(slash));
  struct CloseDir {
    void operator()(DIR* dir) const { closedir(dir); }
  };
  std::unique_ptr<DIR, CloseDir> dir(opendir(folder.c_str()));
  const std::string joined = folder == "/" ? folder : folder + "/";
  while (dirent* entry = dir ? readdir(dir.get()) : nullptr)
    if (QString::fromStdString(entry->d_name) == name) return joined + entry->d_name;
  return joined + name.toStdString();
}

int CopyToBuffer(std::string_view text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  const size_t room = static_cast<size_t>(size - 1);
  size_t n = 0;
  while (n < text.size()) {
    const size_t width = text::GbkCharLength(text, n);
    if (n + width > room) break;
    n += width;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace platform
