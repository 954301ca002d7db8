#pragma once
// Numbers of new documents from a template and a counter. The template takes the date and the
// counter: %YYYY and %YY the year, %MMMM, %MMM, %MM, %M the month as name, short name, two digits,
// digits, %DDDD, %DDD, %DD, %D the day likewise (names of the day of the week), %WW and %W the week
// of the month, %ZZ and %Z the week of the year, %IIIIII ... %II the counter with leading zeros to
// 6 ... 2 digits, %6i ... %2i the counter padded with blanks to that width, %i the counter.
// Letters are taken in either case.
#include <filesystem>
#include <string>

#include "shell/date_time.h"

namespace kv {

std::string ExpandNoTemplate(const std::string& Template, TDateTime Date, int Counter);

// The next counter of the counter file (First when the file is new), written back before it is
// returned; stations that share the file take their numbers one after another. The file holds the
// last issued counter as text. Failures raise EInOutError naming the file.
int TakeNextCounter(const std::filesystem::path& CounterFile, int First);

// The number of a new selection or complect list saved into Folder, by the options' numbering
// method, template and first number; empty when automatic numbering is off. The counter file lies
// in the shared order root when the method is the network one and the root is set, otherwise in
// Folder.
std::string NewSelectionNo(const std::filesystem::path& Folder);
std::string NewComplectNo(const std::filesystem::path& Folder);

}  // namespace kv
