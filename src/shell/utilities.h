#pragma once
// Small helpers used across the program: blanks, integer powers, file names as registry value
// names, safe file names, grid positions and file-name parts.
#include <string>
#include <string_view>

namespace kv {

// All blanks removed; an empty result becomes "0" (numbers typed with thousands blanks).
std::string RemoveBlank(std::string_view s);

template <typename T>
T IIF(bool condition, const T& a, const T& b) {
  return condition ? a : b;
}

// x raised to the whole power n (x itself for n <= 1).
long double SqrX(int n, long double x);

// "\" <-> "%", so a path can be a registry value name.
std::string FileNameToRegName(std::string_view name);
std::string RegNameToFileName(std::string_view name);

// Each character that a file name must not hold becomes "_".
std::string CheckFileNameValidity(std::string_view name);

// positions is a ";"-separated list of numbers; into every gap of at least step between sorted
// neighbours the point previous + half the gap ("%.1f") is inserted; the list comes back sorted.
std::string CheckMinStep(std::string_view positions, long double step);

// The chosen parts of a file name: directory with its trailing separator, base name, extension.
std::string ExtractFile(std::string_view file_name, bool path, bool name, bool extension);

}  // namespace kv
