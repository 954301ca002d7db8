#pragma once
// Documents on disk are replaced whole or not at all, and a program that changes one holds it
// against every other program (station) doing the same.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>

namespace kv {

enum class TWriteMode { wmReplace, wmCreateNew };

// A file being replaced: the new content goes to a temporary file of a unique name in the same
// folder, piece by piece, and takes the file's place in one step at Commit. A symbolic link is
// written through to its target, and the target keeps its permission bits. A read-only file is
// refused, and so is an existing one with wmCreateNew. Failures raise EInOutError naming the file.
// Until Commit the file is untouched; the temporary file never stays behind.
class TFileReplacement {
public:
  TFileReplacement(const std::filesystem::path& path, TWriteMode mode);
  ~TFileReplacement();
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  void Append(std::span<const uint8_t> bytes);
  void Commit();

private:
  // A step of system calls; a failing one raises EInOutError naming the file and the reason.
  template <class Step>
  void Attempt(Step step);

  std::filesystem::path file_;
  std::filesystem::path temporary_;
  TWriteMode mode_;
  int fd_ = -1;
};

// The whole file written through a TFileReplacement.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                         TWriteMode mode = TWriteMode::wmReplace);

// An advisory lock on an existing file (through a symbolic link, on its target), held while the
// object lives. Programs that take it for the same file run one after another; readers that do not
// take it are not held up, since writes replace the file whole.
class TFileLock {
public:
  // Waits up to `patience` for the lock; Locked() tells whether it came. A file that cannot be
  // opened raises EInOutError.
  TFileLock(const std::filesystem::path& path, std::chrono::milliseconds patience);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  bool Locked() const { return fd_ >= 0; }

private:
  // One attempt; true when the lock is held on the file the path names now.
  bool TryLock(const std::filesystem::path& path);

  int fd_ = -1;
};

}  // namespace kv
