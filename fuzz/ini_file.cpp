// The INI reader on arbitrary text, taken as UTF-8 or Windows-1251: read or skipped line by line,
// never a crash. A value written into the parsed file reads back as written.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/ini_file.h"
#include "shell/session_context.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  kv::TIniFile ini = kv::TIniFile::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const char* section : {"DBConfig", "TechDoc", "S"}) {
    for (const char* key : {"Path", "NDSTax", "A"}) {
      if (ini.ValueExists(section, key) && !ini.SectionExists(section)) std::abort();
      ini.ReadString(section, key, "");
      ini.ReadInteger(section, key, 0);
      ini.ReadBool(section, key, false);
    }
  }
  ini.WriteInteger("S", "A", -17);
  if (ini.ReadInteger("s", "a", 0) != -17) std::abort();
  return 0;
}
