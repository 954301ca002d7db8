#pragma once
// The configuration's INI file: sections of "key=value" lines, names compared without regard to
// letter case, the first of repeated keys winning. Files are written in Windows-1251 with CR LF
// line ends; reading takes Windows-1251 or UTF-8 (a file that is valid UTF-8 is taken as such).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class TIniFile {
public:
  // Reads the file; a file that does not exist reads as empty (it is created by UpdateFile).
  // A file that exists but cannot be read raises EInOutError.
  explicit TIniFile(std::filesystem::path file);
  // An INI text in memory, for the file's own tests and for batch jobs.
  static TIniFile FromText(std::string_view text);

  const std::filesystem::path& FileName() const { return file_; }
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // A value that is not a whole number gives the default.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // A whole number other than 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Writes the whole file anew (through a temporary file, so a failure leaves the old one);
  // raises EInOutError.
  void UpdateFile() const;

private:
  struct TEntry {
    std::string Key;
    std::string Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TEntry> Entries;
  };

  TIniFile() = default;
  void Parse(std::string_view text);
  void Add(std::string_view section, std::string_view key, std::string value);
  const TSection* FindSection(std::string_view name) const;
  TSection& SectionForWriting(std::string_view name);
  const TEntry* FindEntry(std::string_view section, std::string_view key) const;
  static int Handler(void* user, const char* section, const char* name, const char* value);

  std::filesystem::path file_;
  std::vector<TSection> sections_;
  bool from_cp1251_ = false;  // set while parsing a Windows-1251 text
};

}  // namespace kv
