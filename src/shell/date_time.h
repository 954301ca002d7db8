#pragma once
// Dates as the documents keep them: days since 30 December 1899, the fraction the time of day.
#include <string>
#include <string_view>

namespace kv {

using TDateTime = double;

struct TDate {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
};

bool IsValidDate(int year, int month, int day);
// Raises EConvertError for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
TDate DecodeDate(TDateTime value);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
// Day of the week, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

TDateTime Now();
TDateTime Date();

// "dd.mm.yyyy" with the settings' separator.
std::string DateToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);
// The time of day "h:mm:ss".
std::string TimeToStr(TDateTime value);
// Reads "d.m.yyyy" (also a two-digit year); raises EConvertError for anything else.
TDateTime StrToDate(std::string_view text);
bool TryStrToDate(std::string_view text, TDateTime& value);

}  // namespace kv
