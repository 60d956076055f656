// Files and folders of the kernel32 stand-in: open, read, write, move and replace files, their
// attributes, the current and temporary folders, and the one drive root "/".
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "platform/core/handles.h"
#include "platform/core/kernel32/internal.h"
#include "platform/core/paths.h"
#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

struct FileObject {
  int fd = -1;
  bool readable = false;
  bool writable = false;
  ~FileObject() {
    if (fd >= 0) close(fd);
  }
};

HandleTable<FileObject>& Files() {
  static HandleTable<FileObject> table(HandleKind::File);
  return table;
}

template <class T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

template <class T>
T FailFromErrno(T result) {
  SetLastErrorFromErrno(errno);
  return result;
}

bool IsReadOnly(const struct stat& info) {
  return (info.st_mode & S_IWUSR) == 0;
}

// The open flags for a creation disposition, or -1 for an unknown one.
int DispositionFlags(DWORD disposition) {
  switch (disposition) {
    case CREATE_NEW:
      return O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
      return O_CREAT | O_TRUNC;
    case OPEN_EXISTING:
      return 0;
    case OPEN_ALWAYS:
      return O_CREAT;
    case TRUNCATE_EXISTING:
      return O_TRUNC;
    default:
      return -1;
  }
}

// Copies a text out with the usual convention: its length when it fits with its terminator,
// else the size the buffer would need.
DWORD CopyOut(std::string_view text, char* buffer, DWORD size) {
  if (!buffer || size <= text.size()) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD FileAttributes(const struct stat& info, std::string_view name) {
  DWORD attributes = S_ISDIR(info.st_mode)   ? FILE_ATTRIBUTE_DIRECTORY
                     : S_ISREG(info.st_mode) ? FILE_ATTRIBUTE_ARCHIVE
                                             : FILE_ATTRIBUTE_SYSTEM;
  if (!name.empty() && name.front() == '.' && name != "." && name != "..")
    attributes |= FILE_ATTRIBUTE_HIDDEN;
  if (IsReadOnly(info)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

HANDLE CreateFileA(const char* path, DWORD access, DWORD /*shareMode*/,
                   const SECURITY_ATTRIBUTES* /*security*/, DWORD disposition, DWORD flags,
                   HANDLE /*templateFile*/) {
  int openFlags = DispositionFlags(disposition);
  if (!path || openFlags < 0) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  bool reading = (access & GENERIC_READ) != 0;
  bool writing = (access & GENERIC_WRITE) != 0 || disposition == CREATE_ALWAYS ||
                 disposition == TRUNCATE_EXISTING;
  std::string native = paths::ToNative(path);

  struct stat existing {};
  const bool exists = stat(native.c_str(), &existing) == 0;
  if (writing && exists && S_ISREG(existing.st_mode) && IsReadOnly(existing))
    return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  // A pipe, a device or a socket is refused as below, but without opening it: opening a device
  // may act on it.
  if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode))
    return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);

  openFlags |= (reading && writing) ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
  // Non-blocking only while opening, so a named pipe cannot hang the program.
  openFlags |= O_CLOEXEC | O_NONBLOCK;
  mode_t mode = (flags & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  auto file = std::make_unique<FileObject>();
  file->fd = open(native.c_str(), openFlags, mode);
  if (file->fd < 0) return FailFromErrno(INVALID_HANDLE_VALUE);

  struct stat info {};
  if (fstat(file->fd, &info) != 0) return FailFromErrno(INVALID_HANDLE_VALUE);
  // Folders, pipes and devices are not files the program can read or write whole.
  if (!S_ISREG(info.st_mode)) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  fcntl(file->fd, F_SETFL, fcntl(file->fd, F_GETFL) & ~O_NONBLOCK);
  file->readable = reading;
  file->writable = writing;

  HANDLE handle = Files().Insert(std::move(file));
  if (!handle) return Fail(ERROR_NOT_ENOUGH_MEMORY, INVALID_HANDLE_VALUE);
  SetLastError(ERROR_SUCCESS);
  return handle;
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD toRead, DWORD* read, void* /*overlapped*/) {
  if (read) *read = 0;
  FileObject* file = Files().Find(handle);
  if (!file) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!file->readable) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (!buffer && toRead > 0) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  DWORD done = 0;
  while (done < toRead) {
    ssize_t n = ::read(file->fd, static_cast<char*>(buffer) + done, toRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (read) *read = done;
      return FailFromErrno(FALSE);
    }
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  if (read) *read = done;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD toWrite, DWORD* written,
               void* /*overlapped*/) {
  if (written) *written = 0;
  FileObject* file = Files().Find(handle);
  if (!file) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!file->writable) return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (!buffer && toWrite > 0) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  DWORD done = 0;
  while (done < toWrite) {
    ssize_t n = ::write(file->fd, static_cast<const char*>(buffer) + done, toWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (written) *written = done;
      return n == 0 ? Fail(ERROR_DISK_FULL, FALSE) : FailFromErrno(FALSE);
    }
    done += static_cast<DWORD>(n);
  }
  if (written) *written = done;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

DWORD GetFileSize(HANDLE handle, DWORD* sizeHigh) {
  FileObject* file = Files().Find(handle);
  if (!file) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
  struct stat info {};
  if (fstat(file->fd, &info) != 0) return FailFromErrno(INVALID_FILE_SIZE);
  uint64_t size = static_cast<uint64_t>(info.st_size);
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

BOOL CloseHandle(HANDLE object) {
  std::unique_ptr<FileObject> file = Files().Take(object);
  if (!file) return Fail(ERROR_INVALID_HANDLE, FALSE);
  int fd = std::exchange(file->fd, -1);
  // A late write error (a full network disk) shows when the file is closed.
  if (close(fd) != 0) return FailFromErrno(FALSE);
  return TRUE;
}

BOOL MoveFileExA(const char* from, const char* to, DWORD flags) {
  if (!from || !to) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::string source = paths::ToNative(from);
  std::string target = paths::ToNative(to);
  struct stat info {};
  if (lstat(source.c_str(), &info) != 0) return FailFromErrno(FALSE);
  if (lstat(target.c_str(), &info) == 0) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS, FALSE);
    if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && IsReadOnly(info)))
      return Fail(ERROR_ACCESS_DENIED, FALSE);
  }
  unsigned renameFlags = (flags & MOVEFILE_REPLACE_EXISTING) ? 0 : RENAME_NOREPLACE;
  int result = renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), renameFlags);
  if (result != 0 && errno == EINVAL && renameFlags != 0)  // a file system without the flag
    result = rename(source.c_str(), target.c_str());
  if (result != 0)
    return errno == EEXIST ? Fail(ERROR_ALREADY_EXISTS, FALSE) : FailFromErrno(FALSE);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL ReplaceFileA(const char* replaced, const char* replacement, const char* backup,
                  DWORD /*flags*/, void* /*exclude*/, void* /*reserved*/) {
  if (!replaced || !replacement || backup) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  // A link is replaced where it points, as writing through it would.
  std::unique_ptr<char, decltype(&std::free)> target(
      realpath(paths::ToNative(replaced).c_str(), nullptr), &std::free);
  if (!target) return FailFromErrno(FALSE);
  std::string source = paths::ToNative(replacement);
  struct stat old {
  }, fresh{};
  if (stat(target.get(), &old) != 0 || lstat(source.c_str(), &fresh) != 0)
    return FailFromErrno(FALSE);
  if (!S_ISREG(old.st_mode) || IsReadOnly(old) || !S_ISREG(fresh.st_mode))
    return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (chmod(source.c_str(), old.st_mode & 07777) != 0) return FailFromErrno(FALSE);
  if ((fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) &&
      chown(source.c_str(), old.st_uid, old.st_gid) != 0) {
    // Only a privileged process may give a file away; anyone else owns the new content.
  }
  if (rename(source.c_str(), target.get()) != 0) return FailFromErrno(FALSE);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

DWORD GetFileAttributesA(const char* path) {
  if (!path) return Fail(ERROR_INVALID_PARAMETER, INVALID_FILE_ATTRIBUTES);
  std::string native = paths::ToNative(path);
  struct stat info {};
  if (stat(native.c_str(), &info) != 0) return FailFromErrno(INVALID_FILE_ATTRIBUTES);
  SetLastError(ERROR_SUCCESS);
  return FileAttributes(info, paths::LastComponent(native));
}

BOOL DeleteFileA(const char* path) {
  if (!path) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  std::string native = paths::ToNative(path);
  struct stat info {};
  if (lstat(native.c_str(), &info) != 0) return FailFromErrno(FALSE);
  if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && IsReadOnly(info)))
    return Fail(ERROR_ACCESS_DENIED, FALSE);
  if (unlink(native.c_str()) != 0) return FailFromErrno(FALSE);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL SetCurrentDirectoryA(const char* path) {
  if (!path) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (chdir(paths::ToNative(path).c_str()) != 0) return FailFromErrno(FALSE);
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD size, char* buffer) {
  char native[PATH_MAX];
  if (!getcwd(native, sizeof native)) return FailFromErrno(DWORD{0});
  return CopyOut(paths::FromNative(native), buffer, size);
}

DWORD GetTempPathA(DWORD size, char* buffer) {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = (tmpdir && *tmpdir) ? tmpdir : "/tmp";
  if (folder.back() != '/') folder += '/';
  return CopyOut(paths::FromNative(folder), buffer, size);
}

DWORD GetLogicalDriveStringsA(DWORD size, char* buffer) {
  // "/", its terminator and the list's terminator.
  static constexpr char kDrives[] = {'/', '\0', '\0'};
  if (!buffer || size < sizeof kDrives) return sizeof kDrives;
  std::memcpy(buffer, kDrives, sizeof kDrives);
  return sizeof kDrives - 1;
}

UINT GetDriveTypeA(const char* root) {
  // Without a root the current folder's drive is meant, which is "/" too.
  if (!root || std::string_view(root) == "/" || std::string_view(root) == "\\") return DRIVE_FIXED;
  return DRIVE_NO_ROOT_DIR;
}

}  // namespace platform::kernel32
