#include "qt/form_values.h"

#include <QStringList>

namespace kv {

namespace {

const QDate kDateOrigin(1899, 12, 30);

}  // namespace

QDate ToQDate(TDateTime value) { return kDateOrigin.addDays(static_cast<qint64>(value)); }

TDateTime FromQDate(const QDate& date) { return static_cast<TDateTime>(kDateOrigin.daysTo(date)); }

std::string JoinLines(const TStringList& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  return text;
}

TStringList SplitLines(const QString& text) {
  TStringList lines;
  for (const QString& line : text.split('\n')) lines.push_back(S(line));
  if (lines.size() == 1 && lines.front().empty()) lines.clear();
  return lines;
}

}  // namespace kv
