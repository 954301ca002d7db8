#include "shell/input_limits.h"

#include "shell/errors.h"
#include "shell/format_settings.h"

namespace kv {

void CheckInputNumber(const std::string& Name, long long Value, long long Min, long long Max) {
  if (Value < Min || Value > Max)
    throw EKvError(Format("Недопустимое значение \"%s\": %d!\r\nДопустимо от %d до %d.", Name, Value, Min, Max));
}

}  // namespace kv
