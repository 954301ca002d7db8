#include "shell/format_settings.h"

#include <fmt/printf.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "shell/errors.h"

namespace kv {

namespace {

struct TConversion {
  std::string Flags;
  std::string Width;
  std::string Precision;  // with its leading point, or empty
  char Type = 0;
};

void UseDecimalSeparator(std::string& text) {
  for (char& c : text)
    if (c == '.') c = FormatSettings().DecimalSeparator;
}

// Inserts the thousands separator into the integer digits of a formatted number.
std::string GroupThousands(const std::string& text) {
  size_t begin = text.find_first_of("0123456789");
  if (begin == std::string::npos) return text;
  size_t end = text.find_first_not_of("0123456789", begin);
  if (end == std::string::npos) end = text.size();
  std::string grouped = text.substr(0, begin);
  for (size_t i = begin; i < end; ++i) {
    grouped += text[i];
    size_t left = end - i - 1;
    if (left > 0 && left % 3 == 0) grouped += FormatSettings().ThousandSeparator;
  }
  return grouped + text.substr(end);
}

// Ties of the fixed notation are rounded away from zero, as the program has always shown them
// (printf would round an exact 1400.25 to the even 1400.2).
long double AwayFromZeroOnTie(long double value, const std::string& precision) {
  const int digits = precision.size() > 1 ? std::stoi(precision.substr(1)) : 6;
  if (digits > 15) return value;
  long double scaled = fabsl(value);
  for (int i = 0; i < digits; ++i) scaled *= 10;
  if (scaled - truncl(scaled) != 0.5L) return value;
  return nextafter(static_cast<double>(value), value > 0 ? HUGE_VAL : -HUGE_VAL);
}

[[noreturn]] void ThrowFormatError(std::string_view format) {
  throw EConvertError("Формат '" + std::string(format) + "' неверен или не соответствует аргументу");
}

std::string FormatOne(const TConversion& conv, const TFormatArg& arg, std::string_view format) {
  const std::string head = "%" + conv.Flags + conv.Width + conv.Precision;
  try {
    switch (conv.Type) {
      case 'd':
      case 'i':
      case 'u':
      case 'x':
      case 'X': {
        const char type = conv.Type == 'i' || conv.Type == 'u' ? 'd' : conv.Type;
        if (auto v = std::get_if<long long>(&arg)) return fmt::sprintf(head + type, *v);
        if (auto v = std::get_if<unsigned long long>(&arg)) return fmt::sprintf(head + type, *v);
        ThrowFormatError(format);
      }
      case 'c':
        if (auto v = std::get_if<long long>(&arg)) return fmt::sprintf(head + 's', std::string(1, char(*v)));
        if (auto v = std::get_if<std::string>(&arg)) return fmt::sprintf(head + 's', *v);
        ThrowFormatError(format);
      case 's':
        if (auto v = std::get_if<std::string>(&arg)) return fmt::sprintf(head + 's', *v);
        ThrowFormatError(format);
      default: {
        long double value;
        if (auto v = std::get_if<long double>(&arg))
          value = *v;
        else if (auto i = std::get_if<long long>(&arg))
          value = static_cast<long double>(*i);
        else if (auto u = std::get_if<unsigned long long>(&arg))
          value = static_cast<long double>(*u);
        else
          ThrowFormatError(format);
        std::string text;
        if (conv.Type == 'f' || conv.Type == 'F' || conv.Type == 'n')
          value = AwayFromZeroOnTie(value, conv.Precision.empty() && conv.Type == 'n' ? ".2" : conv.Precision);
        if (conv.Type == 'n') {
          const std::string precision = conv.Precision.empty() ? ".2" : conv.Precision;
          text = GroupThousands(fmt::sprintf("%" + conv.Flags + precision + "f", static_cast<double>(value)));
          if (!conv.Width.empty()) {
            const size_t width = std::stoul(conv.Width);
            if (text.size() < width) {
              const size_t pad = width - text.size();
              text = conv.Flags.find('-') != std::string::npos ? text + std::string(pad, ' ')
                                                               : std::string(pad, ' ') + text;
            }
          }
        } else {
          text = fmt::sprintf(head + conv.Type, static_cast<double>(value));
        }
        UseDecimalSeparator(text);
        return text;
      }
    }
  } catch (const fmt::format_error&) {
    ThrowFormatError(format);
  }
}

}  // namespace

std::string FormatArgs(std::string_view format, const std::vector<TFormatArg>& args) {
  std::string out;
  size_t next_arg = 0;
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    TConversion conv;
    while (i < format.size() && std::string_view("-+ 0#").find(format[i]) != std::string_view::npos)
      conv.Flags += format[i++];
    while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) conv.Width += format[i++];
    if (i < format.size() && format[i] == '.') {
      conv.Precision += format[i++];
      while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) conv.Precision += format[i++];
    }
    while (i < format.size() && std::string_view("hlLqjzt").find(format[i]) != std::string_view::npos) ++i;
    if (i >= format.size() || next_arg >= args.size()) ThrowFormatError(format);
    conv.Type = format[i++];
    if (std::string_view("diuxXcsfFeEgGn").find(conv.Type) == std::string_view::npos) ThrowFormatError(format);
    out += FormatOne(conv, args[next_arg++], format);
  }
  return out;
}

std::string FloatToStr(long double value) {
  if (std::isnan(value) || std::isinf(value)) return value > 0 ? "INF" : (value < 0 ? "-INF" : "NAN");
  std::string text = fmt::format("{}", static_cast<double>(value));
  if (text.find('e') != std::string::npos) text = fmt::sprintf("%.15g", static_cast<double>(value));
  UseDecimalSeparator(text);
  return text;
}

bool TryStrToFloat(std::string_view text, long double& value) {
  std::string clean;
  for (char c : text) clean += (c == FormatSettings().DecimalSeparator) ? '.' : c;
  const size_t begin = clean.find_first_not_of(" \t");
  const size_t end = clean.find_last_not_of(" \t");
  if (begin == std::string::npos) return false;
  clean = clean.substr(begin, end - begin + 1);
  if (clean.find_first_not_of("+-.0123456789eE") != std::string::npos) return false;
  errno = 0;
  char* stop = nullptr;
  const long double parsed = std::strtold(clean.c_str(), &stop);
  if (stop != clean.c_str() + clean.size() || errno == ERANGE) return false;
  value = parsed;
  return true;
}

long double StrToFloat(std::string_view text) {
  long double value = 0;
  if (!TryStrToFloat(text, value)) throw EConvertError("'" + std::string(text) + "' не является правильным числом");
  return value;
}

bool TryStrToInt(std::string_view text, long long& value) {
  const size_t begin = text.find_first_not_of(" \t");
  const size_t end = text.find_last_not_of(" \t");
  if (begin == std::string_view::npos) return false;
  std::string_view trimmed = text.substr(begin, end - begin + 1);
  if (!trimmed.empty() && trimmed.front() == '+') trimmed.remove_prefix(1);
  const auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  return result.ec == std::errc() && result.ptr == trimmed.data() + trimmed.size();
}

int StrToInt(std::string_view text) {
  long long value = 0;
  if (!TryStrToInt(text, value) || value < INT32_MIN || value > INT32_MAX)
    throw EConvertError("'" + std::string(text) + "' не является правильным целым числом");
  return static_cast<int>(value);
}

std::string IntToStr(long long value) { return std::to_string(value); }

}  // namespace kv
