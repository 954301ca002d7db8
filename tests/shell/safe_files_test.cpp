#include "shell/safe_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "shell/error_of.h"
#include "shell/temp_registry.h"

namespace kv {
namespace {

using test::ErrorOf;

std::string Content(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

mode_t Mode(const std::filesystem::path& file) {
  struct stat info {};
  stat(file.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(SafeFiles, ReplacingKeepsModeFollowsLinksAndRefusesReadOnlyFiles) {
  const testing::TTempRegistry temp;
  const std::filesystem::path file = temp.Dir() / "order.gxo", link = temp.Dir() / "link.gxo";
  WriteFileAtomically(file, Bytes("first"), TWriteMode::wmCreateNew);
  EXPECT_TRUE(test::Contains(ErrorOf([&] { WriteFileAtomically(file, Bytes("other"), TWriteMode::wmCreateNew); }),
                             "файл уже существует"));
  chmod(file.c_str(), 0640);
  std::filesystem::create_symlink("order.gxo", link);
  WriteFileAtomically(link, Bytes("second"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Content(file), "second");
  EXPECT_EQ(Mode(file), 0640u);

  chmod(file.c_str(), 0444);
  EXPECT_TRUE(
      test::Contains(ErrorOf([&] { WriteFileAtomically(file, Bytes("third")); }), "файл доступен только для чтения"));
  EXPECT_EQ(Content(file), "second");
  EXPECT_EQ(Mode(file), 0444u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Dir()), {}), 2) << "no temporary file is left";
}

TEST(SafeFiles, OneHolderOfALockAtATime) {
  const testing::TTempRegistry temp;
  const std::filesystem::path file = temp.Dir() / "order.gxo";
  WriteFileAtomically(file, Bytes("order"));
  {
    const TFileLock first(file, std::chrono::milliseconds(0));
    EXPECT_TRUE(first.Locked());
    EXPECT_FALSE(TFileLock(file, std::chrono::milliseconds(50)).Locked());
    // A save by the holder replaces the file; once released, the new file can be locked.
    WriteFileAtomically(file, Bytes("changed"));
  }
  EXPECT_TRUE(TFileLock(file, std::chrono::milliseconds(0)).Locked());
  EXPECT_THROW(TFileLock(temp.Dir() / "missing.gxo", std::chrono::milliseconds(0)), EInOutError);
}

}  // namespace
}  // namespace kv
