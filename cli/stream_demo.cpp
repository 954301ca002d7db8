// The value stream shown on the demo: one value of every kind written to a file and read back.
#include <filesystem>
#include <ostream>

#include "command_registry.h"
#include "shell/format_settings.h"
#include "shell/value_stream.h"

namespace kv::cli {

namespace {

const char* KindName(TVarType type) {
  switch (type) {
    case varEmpty: return "пусто";
    case varNull: return "null";
    case varSmallint: return "целое 16";
    case varInteger: return "целое 32";
    case varSingle: return "single";
    case varDouble: return "double";
    case varCurrency: return "деньги";
    case varDate: return "дата";
    case varBoolean: return "логическое";
    case varByte: return "байт";
    case varInt64: return "целое 64";
    case varString: return "строка";
  }
  return "?";
}

void ShowValueStream(const std::string& dir, std::ostream& out) {
  const std::vector<TVariant> values = {TVariant(),
                                        TVariant::Null(),
                                        int16_t{-12},
                                        int32_t{14000},
                                        1300.5f,
                                        2.4445,
                                        TCurrency::FromExtended(1234.05),
                                        TVariant::Date(EncodeDate(2014, 4, 23)),
                                        true,
                                        uint8_t{7},
                                        "Окно двустворчатое"};
  TSpecStream stream;
  for (const auto& value : values) stream.WriteTo(value);
  const auto path = std::filesystem::path(dir) / "values.kvs";
  stream.SaveToFile(path);

  TSpecStream loaded;
  loaded.LoadFromFile(path);
  out << Format("Поток значений: %s, %d байт\n", path.string(), loaded.Size());
  for (const auto& model : values) {
    const TVariant value = loaded.ReadFrom(model);
    out << Format("  %-10s %s\n", KindName(value.VarType()), value.AsString());
  }
}

const TDemoStep demo_step("10-stream", ShowValueStream);

}  // namespace

}  // namespace kv::cli
