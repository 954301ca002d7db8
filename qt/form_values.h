#pragma once
// Values of the documents as the windows show and edit them: UTF-8 texts, dates counted in days
// from 30.12.1899, notes as lists of lines.
#include <QDate>
#include <QString>

#include <string>

#include "construction/construction_consts.h"
#include "shell/date_time.h"

namespace kv {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline std::string S(const QString& text) { return text.toStdString(); }

QDate ToQDate(TDateTime value);
TDateTime FromQDate(const QDate& date);

std::string JoinLines(const TStringList& lines);
// The lines of an edit's text; an empty text is no line at all.
TStringList SplitLines(const QString& text);

}  // namespace kv
