#include "shell/ini_file.h"

#include <ini.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

bool IsValidUtf8(std::string_view text) {
  size_t pending = 0;
  for (unsigned char c : text) {
    if (pending) {
      if ((c & 0xC0) != 0x80) return false;
      --pending;
    } else if (c >= 0xF0 && c < 0xF8)
      pending = 3;
    else if (c >= 0xE0)
      pending = c < 0xF0 ? 2 : 0;
    else if (c >= 0xC2)
      pending = 1;
    else if (c >= 0x80)
      return false;
    if (c >= 0xF8) return false;
  }
  return pending == 0;
}

// Hands the parser one line at a time. A line longer than the parser's buffer is cut at the
// buffer's end and its remainder skipped, so the remainder never reads as a line of its own.
struct TLineReader {
  std::string_view text;
  size_t pos = 0;
};

char* ReadLine(char* buffer, int size, void* stream) {
  auto& reader = *static_cast<TLineReader*>(stream);
  if (reader.pos >= reader.text.size() || size < 2) return nullptr;
  size_t end = reader.text.find('\n', reader.pos);
  end = end == std::string_view::npos ? reader.text.size() : end + 1;
  const size_t length = std::min(end - reader.pos, static_cast<size_t>(size - 1));
  std::memcpy(buffer, reader.text.data() + reader.pos, length);
  buffer[length] = '\0';
  reader.pos = end;
  return buffer;
}

}  // namespace

TIniFile::TIniFile(std::filesystem::path file) : file_(std::move(file)) {
  std::error_code error;
  if (!std::filesystem::exists(file_, error)) return;
  std::ifstream in(file_, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) throw EInOutError(Format("Ошибка чтения файла %s", file_.string()));
  Parse(text.str());
}

TIniFile TIniFile::FromText(std::string_view text) {
  TIniFile ini;
  ini.Parse(text);
  return ini;
}

void TIniFile::Parse(std::string_view text) {
  // Embedded NULs would end the parser's lines early; the text stops at the first one.
  text = text.substr(0, text.find('\0'));
  from_cp1251_ = !IsValidUtf8(text);
  TLineReader reader{text};
  ini_parse_stream(ReadLine, &reader, Handler, this);
  from_cp1251_ = false;
}

int TIniFile::Handler(void* user, const char* section, const char* name, const char* value) {
  auto& ini = *static_cast<TIniFile*>(user);
  if (ini.from_cp1251_)
    ini.Add(Cp1251ToUtf8(section), Cp1251ToUtf8(name), Cp1251ToUtf8(value));
  else
    ini.Add(section, name, value);
  return 1;  // a malformed line is skipped, the rest still read
}

void TIniFile::Add(std::string_view section, std::string_view key, std::string value) {
  if (FindEntry(section, key)) return;
  SectionForWriting(section).Entries.push_back(TEntry{std::string(key), std::move(value)});
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view name) const {
  for (const auto& section : sections_)
    if (AnsiSameText(section.Name, name)) return &section;
  return nullptr;
}

TIniFile::TSection& TIniFile::SectionForWriting(std::string_view name) {
  if (const TSection* found = FindSection(name)) return const_cast<TSection&>(*found);
  sections_.push_back(TSection{std::string(name), {}});
  return sections_.back();
}

const TIniFile::TEntry* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
  const TSection* found = FindSection(section);
  if (!found) return nullptr;
  for (const auto& entry : found->Entries)
    if (AnsiSameText(entry.Key, key)) return &entry;
  return nullptr;
}

bool TIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const TEntry* entry = FindEntry(section, key);
  return entry ? entry->Value : std::string(def);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const TEntry* entry = FindEntry(section, key);
  long long value = 0;
  if (!entry || !TryStrToInt(entry->Value, value) || value < INT32_MIN || value > INT32_MAX) return def;
  return static_cast<int32_t>(value);
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (const TEntry* entry = FindEntry(section, key)) {
    const_cast<TEntry*>(entry)->Value = value;
    return;
  }
  SectionForWriting(section).Entries.push_back(TEntry{std::string(key), std::string(value)});
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::UpdateFile() const {
  std::string text;
  for (const auto& section : sections_) {
    if (!text.empty()) text += "\r\n";
    text += "[" + section.Name + "]\r\n";
    for (const auto& entry : section.Entries) text += entry.Key + "=" + entry.Value + "\r\n";
  }
  const std::string encoded = Utf8ToCp1251(text);
  auto temporary = file_;
  temporary += ".tmp";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  out.close();
  std::error_code error;
  if (out) std::filesystem::rename(temporary, file_, error);
  if (!out || error) {
    std::filesystem::remove(temporary, error);
    throw EInOutError(Format("Ошибка записи файла %s", file_.string()));
  }
}

}  // namespace kv
