#include "shell/safe_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>
#include <utility>

#include "shell/errors.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

constexpr int kMaxLinkDepth = 40;
constexpr auto kLockRetryPause = std::chrono::milliseconds(20);

// A system call that failed, with its error number.
struct TSystemFailure {
  int Error;
};

void Require(bool ok) {
  if (!ok) throw TSystemFailure{errno};
}

[[noreturn]] void Refuse(const std::filesystem::path& file, const std::string& reason) {
  throw EInOutError(Format("Ошибка записи файла [%s]: %s", file.string(), reason));
}

std::string ReasonOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return "нет прав на запись";
    case EROFS: return "диск доступен только для чтения";
    case ENOSPC:
    case EDQUOT: return "нет места на диске";
    case EEXIST: return "файл уже существует";
    default: return std::strerror(error);
  }
}

// The file a chain of symbolic links ends at (the path itself when it is no link).
std::filesystem::path LinkTarget(const std::filesystem::path& path) {
  std::filesystem::path file = path;
  for (int depth = 0; std::filesystem::is_symlink(file); ++depth) {
    if (depth == kMaxLinkDepth) Refuse(path, "слишком длинная цепочка ссылок");
    const std::filesystem::path next = std::filesystem::read_symlink(file);
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return file;
}

bool IsReadOnly(const std::filesystem::path& file, const struct stat& info) {
  // The permission bits count even for a user whom the system would let write anyway.
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(file.c_str(), W_OK) != 0;
}

// A new file beside `file` that no other program or thread is using: its name carries the
// process and a counter, and it is created exclusively.
int CreateTemporary(const std::filesystem::path& file, std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    temporary = file;
    temporary += Format(".%d-%d.tmp", static_cast<int>(getpid()), static_cast<int>(counter++));
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
}

void WriteAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    Require(written > 0);
    bytes = bytes.subspan(static_cast<size_t>(written));
  }
}

// Closes the file on a thread of its own, or here when no thread can be started.
void CloseAside(int fd) {
  try {
    std::thread([fd] { close(fd); }).detach();
  } catch (const std::system_error&) {
    close(fd);
  }
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

TFileReplacement::TFileReplacement(const std::filesystem::path& path, TWriteMode mode)
    : file_(LinkTarget(path)), mode_(mode) {
  struct stat old {};
  const bool exists = stat(file_.c_str(), &old) == 0;
  if (exists && mode == TWriteMode::wmCreateNew) Refuse(file_, ReasonOf(EEXIST));
  if (exists && IsReadOnly(file_, old)) Refuse(file_, "файл доступен только для чтения");
  fd_ = CreateTemporary(file_, temporary_);
  if (fd_ < 0) Refuse(file_, ReasonOf(errno));
  // The new file keeps the old one's permissions (and owner, where the system allows it).
  if (exists) {
    Attempt([&] {
      Require(fchmod(fd_, old.st_mode & 07777) == 0);
      // Only a privileged user may give a file away; otherwise it becomes the saving user's.
      [[maybe_unused]] const int owner_kept = fchown(fd_, old.st_uid, old.st_gid);
    });
  }
}

TFileReplacement::~TFileReplacement() {
  if (fd_ >= 0) close(fd_);
  if (!temporary_.empty()) unlink(temporary_.c_str());
}

template <class Step>
void TFileReplacement::Attempt(Step step) {
  try {
    step();
  } catch (const TSystemFailure& failure) {
    Refuse(file_, ReasonOf(failure.Error));
  }
}

void TFileReplacement::Append(std::span<const uint8_t> bytes) {
  Attempt([&] { WriteAll(fd_, bytes); });
}

void TFileReplacement::Commit() {
  Attempt([&] {
    // On the disk and closed before it takes the file's place.
    Require(fsync(fd_) == 0);
    const int fd = std::exchange(fd_, -1);
    Require(close(fd) == 0);
  });
  if (mode_ == TWriteMode::wmCreateNew) {
    // Linking never replaces: of two programs creating the same file, the second is refused.
    Attempt([&] { Require(link(temporary_.c_str(), file_.c_str()) == 0); });
  } else {
    // Freeing the replaced version's disk space takes as long as writing megabytes. Held open
    // through the rename, the version is freed when a thread of its own closes it, after the save
    // has returned.
    const int replaced = open(file_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a pipe never holds it up
    const bool renamed = rename(temporary_.c_str(), file_.c_str()) == 0;
    const int error = errno;
    if (replaced >= 0) CloseAside(replaced);
    if (!renamed) Refuse(file_, ReasonOf(error));
    temporary_.clear();
  }
  SyncFolder(file_.parent_path());
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes, TWriteMode mode) {
  TFileReplacement replacement(path, mode);
  replacement.Append(bytes);
  replacement.Commit();
}

TFileLock::TFileLock(const std::filesystem::path& path, std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!TryLock(path) && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kLockRetryPause);
}

TFileLock::~TFileLock() {
  if (fd_ >= 0) close(fd_);
}

bool TFileLock::TryLock(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EInOutError(Format("Не могу открыть файл [%s]!", path.string()));
  // A save replaces the file by another one, so a lock got on the file it replaced holds nothing.
  struct stat locked {
  }, current{};
  if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &locked) == 0 && stat(path.c_str(), &current) == 0 &&
      locked.st_dev == current.st_dev && locked.st_ino == current.st_ino) {
    fd_ = fd;
    return true;
  }
  close(fd);
  return false;
}

}  // namespace kv
