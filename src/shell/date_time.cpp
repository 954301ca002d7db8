#include "shell/date_time.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

using namespace std::chrono;

constexpr sys_days kDelphiEpoch = sys_days{year{1899} / December / 30};

long long DayNumber(TDateTime value) { return static_cast<long long>(std::floor(value)); }

}  // namespace

bool IsValidDate(int y, int m, int d) {
  return y >= 1 && y <= 9999 &&
         year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}.ok();
}

TDateTime EncodeDate(int y, int m, int d) {
  if (!IsValidDate(y, m, d)) throw EConvertError(Format("Неверная дата: %d.%d.%d", d, m, y));
  const sys_days date{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}};
  return static_cast<TDateTime>((date - kDelphiEpoch).count());
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

TDate DecodeDate(TDateTime value) {
  const year_month_day ymd{kDelphiEpoch + days{DayNumber(value)}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  long long ms = std::llround((value - std::floor(value)) * 86400000.0);
  if (ms >= 86400000) ms = 86399999;
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

int DayOfWeek(TDateTime value) {
  // 30.12.1899 was a Saturday.
  const long long n = DayNumber(value);
  return static_cast<int>(((n + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

TDateTime Date() { return std::floor(Now()); }

std::string DateToStr(TDateTime value) {
  const TDate d = DecodeDate(value);
  const char sep = FormatSettings().DateSeparator;
  return Format("%.2d%c%.2d%c%.4d", d.Day, sep, d.Month, sep, d.Year);
}

std::string DateTimeToStr(TDateTime value) { return DateToStr(value) + " " + TimeToStr(value); }

std::string TimeToStr(TDateTime value) {
  int h, m, s, ms;
  DecodeTime(value, h, m, s, ms);
  return Format("%d:%.2d:%.2d", h, m, s);
}

bool TryStrToDate(std::string_view text, TDateTime& value) {
  const std::string delims(1, FormatSettings().DateSeparator);
  const std::string s(text);
  if (NumToken(s, delims) != 3) return false;
  long long parts[3];
  for (int i = 0; i < 3; ++i)
    if (!TryStrToInt(Token(s, i + 1, delims, true), parts[i])) return false;
  long long y = parts[2];
  if (y >= 0 && y < 100) y += y < 50 ? 2000 : 1900;
  if (!IsValidDate(static_cast<int>(y), static_cast<int>(parts[1]), static_cast<int>(parts[0]))) return false;
  value = EncodeDate(static_cast<int>(y), static_cast<int>(parts[1]), static_cast<int>(parts[0]));
  return true;
}

TDateTime StrToDate(std::string_view text) {
  TDateTime value = 0;
  if (!TryStrToDate(text, value)) throw EConvertError("'" + std::string(text) + "' не является правильной датой");
  return value;
}

}  // namespace kv
