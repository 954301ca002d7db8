#include "order/document_numbers.h"

#include <array>
#include <fstream>
#include <sstream>
#include <string_view>

#include "construction/setup_values.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/safe_files.h"

namespace kv {

namespace {

constexpr std::array<const char*, 12> kMonths = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                                 "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
constexpr std::array<const char*, 12> kShortMonths = {"Янв", "Фев", "Мар", "Апр", "Май", "Июн",
                                                      "Июл", "Авг", "Сен", "Окт", "Ноя", "Дек"};
// From Sunday, as DayOfWeek counts.
constexpr std::array<const char*, 7> kDays = {"Воскресенье", "Понедельник", "Вторник", "Среда",
                                              "Четверг",     "Пятница",     "Суббота"};
constexpr std::array<const char*, 7> kShortDays = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};

// Monday-first day of the week, 0 .. 6.
int MondayIndex(TDateTime Day) { return (DayOfWeek(Day) + 5) % 7; }

// The week (from 1) in which the day lies, weeks starting on Monday, counted from Start.
int WeekFrom(TDateTime Start, TDateTime Day) { return (static_cast<int>(Day - Start) + MondayIndex(Start)) / 7 + 1; }

// The text of the token at the start of Rest and its length; empty length when none matches.
std::pair<std::string, size_t> Token(std::string_view Rest, TDateTime Date, int Counter) {
  const TDate d = DecodeDate(Date);
  const TDateTime day = static_cast<int>(Date);
  const int month_week = WeekFrom(EncodeDate(d.Year, d.Month, 1), day);
  const int year_week = WeekFrom(EncodeDate(d.Year, 1, 1), day);
  const std::pair<const char*, std::string> tokens[] = {
      {"YYYY", Format("%04d", d.Year)},
      {"YY", Format("%02d", d.Year % 100)},
      {"MMMM", kMonths[static_cast<size_t>(d.Month - 1)]},
      {"MMM", kShortMonths[static_cast<size_t>(d.Month - 1)]},
      {"MM", Format("%02d", d.Month)},
      {"M", IntToStr(d.Month)},
      {"DDDD", kDays[static_cast<size_t>(DayOfWeek(day) - 1)]},
      {"DDD", kShortDays[static_cast<size_t>(DayOfWeek(day) - 1)]},
      {"DD", Format("%02d", d.Day)},
      {"D", IntToStr(d.Day)},
      {"WW", Format("%02d", month_week)},
      {"W", IntToStr(month_week)},
      {"ZZ", Format("%02d", year_week)},
      {"Z", IntToStr(year_week)},
      {"IIIIII", Format("%06d", Counter)},
      {"IIIII", Format("%05d", Counter)},
      {"IIII", Format("%04d", Counter)},
      {"III", Format("%03d", Counter)},
      {"II", Format("%02d", Counter)},
      {"6I", Format("%6d", Counter)},
      {"5I", Format("%5d", Counter)},
      {"4I", Format("%4d", Counter)},
      {"3I", Format("%3d", Counter)},
      {"2I", Format("%2d", Counter)},
      {"I", IntToStr(Counter)},
  };
  for (const auto& [name, text] : tokens) {
    const std::string_view key(name);
    if (Rest.size() < key.size()) continue;
    bool same = true;
    for (size_t i = 0; i < key.size(); ++i) same = same && std::toupper(static_cast<unsigned char>(Rest[i])) == key[i];
    if (same) return {text, key.size()};
  }
  return {"", 0};
}

std::filesystem::path CounterFolder(TAutoGenNoMethod Method, const std::filesystem::path& Folder) {
  const std::string& root = UsedSetup().ServerName;
  return Method == aonmNet && !root.empty() ? std::filesystem::path(root) : Folder;
}

std::string NewNo(TAutoGenNoMethod Method, const std::string& Template, int First,
                  const std::filesystem::path& CounterFile) {
  if (Method == aonmNone) return "";
  return ExpandNoTemplate(Template, Now(), TakeNextCounter(CounterFile, First));
}

}  // namespace

std::string ExpandNoTemplate(const std::string& Template, TDateTime Date, int Counter) {
  std::string number;
  for (size_t i = 0; i < Template.size(); ++i) {
    if (Template[i] == '%') {
      const auto [text, length] = Token(std::string_view(Template).substr(i + 1), Date, Counter);
      if (length > 0) {
        number += text;
        i += length;
        continue;
      }
    }
    number += Template[i];
  }
  return number;
}

int TakeNextCounter(const std::filesystem::path& CounterFile, int First) {
  // The lock needs the file: a new one is made empty first.
  if (!std::filesystem::exists(CounterFile)) std::ofstream create(CounterFile, std::ios::app);
  const TFileLock lock(CounterFile, std::chrono::seconds(20));
  if (!lock.Locked()) throw EInOutError(Format("Счетчик номеров [%s] занят другой станцией!", CounterFile.string()));
  std::ifstream in(CounterFile);
  long long last = 0;
  const bool numbered = static_cast<bool>(in >> last);
  const long long next = numbered && last >= First - 1 ? last + 1 : First;
  if (next > 999999999) throw EInOutError(Format("Счетчик номеров [%s] исчерпан!", CounterFile.string()));
  const std::string text = IntToStr(next) + "\n";
  WriteFileAtomically(CounterFile, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  return static_cast<int>(next);
}

std::string NewSelectionNo(const std::filesystem::path& Folder) {
  const TGXSetup& setup = UsedSetup();
  return NewNo(setup.AutoGenSelNoMethod, setup.SelNoTemplate, setup.FirstSelNo,
               CounterFolder(setup.AutoGenSelNoMethod, Folder) / "Korvent.lsn");
}

std::string NewComplectNo(const std::filesystem::path& Folder) {
  const TGXSetup& setup = UsedSetup();
  return NewNo(setup.AutoGenCompNoMethod, setup.CompNoTemplate, setup.FirstCompNo,
               CounterFolder(setup.AutoGenCompNoMethod, Folder) / "Korvent.lcn");
}

}  // namespace kv
