#include "parser_language.h"

#include <filesystem>
#include <map>

#include "shell/format_settings.h"

namespace kv::cli {

namespace {

// The value an option takes, as its type is named by the parser.
std::string ExpectedValue(const CLI::Option& option) {
  if (option.get_type_size() == 0) return "без значения";
  static const std::map<std::string, std::string> kValues = {
      {"INT", "целое число"}, {"UINT", "целое неотрицательное число"}, {"FLOAT", "число"}, {"TEXT", "текст"}};
  const std::string type = option.get_type_name().substr(0, option.get_type_name().find(':'));
  const auto found = kValues.find(type);
  return found != kValues.end() ? found->second : "значение";
}

// The subcommand the parser stopped in: the last one given on the command line.
const CLI::App& StoppedIn(const CLI::App& app) {
  const auto given = app.get_subcommands();
  return given.empty() ? app : StoppedIn(*given.back());
}

std::string CommandPath(const CLI::App& app) {
  const std::string own = app.get_name();
  return app.get_parent() ? CommandPath(*app.get_parent()) + " " + own : own;
}

// The option of that name in the subcommand the parser stopped in or one of its parents.
const CLI::Option* FindOption(const CLI::App& app, const std::string& name) {
  for (const CLI::App* level = &StoppedIn(app); level != nullptr; level = level->get_parent())
    if (const CLI::Option* option = level->get_option_no_throw(name)) return option;
  return nullptr;
}

std::string ExpectedValue(const CLI::App& app, const std::string& name) {
  const CLI::Option* option = FindOption(app, name);
  return option ? ExpectedValue(*option) : "значение";
}

std::string SubcommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* sub : app.get_subcommands({})) names.push_back(sub->get_name());
  return WordList(names);
}

// The text between `before` and `after` in the parser's message (to its end when after is empty).
std::string Between(const std::string& text, const std::string& before, const std::string& after) {
  const size_t begin = text.find(before);
  if (begin == std::string::npos) return "";
  const size_t from = begin + before.size();
  const size_t end = after.empty() ? std::string::npos : text.find(after, from);
  return text.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

std::string Before(const std::string& text, const std::string& separator) {
  return text.substr(0, text.find(separator));
}

std::string ConversionText(const CLI::App& app, const std::string& text) {
  if (text.rfind("Could not convert: ", 0) == 0) {
    const std::string name = Between(text, "Could not convert: ", " = ");
    return Format("Неверное значение параметра %s: \"%s\"; ожидается %s", name, Between(text, " = ", ""),
                  ExpectedValue(app, name));
  }
  return Format("Флаг %s не принимает значения", Before(text, ":"));
}

std::string RequiredText(const CLI::App& app, const std::string& text) {
  if (text.rfind("A subcommand", 0) == 0 || text.rfind("Requires at least", 0) == 0) {
    const CLI::App& stopped = StoppedIn(app);
    return Format("Не указана команда; допустимы: %s", SubcommandNames(stopped));
  }
  const std::string name = Before(text, " is required");
  return Format("Не задан обязательный параметр %s (%s)", name, ExpectedValue(app, name));
}

std::string MismatchText(const CLI::App& app, const std::string& text) {
  const std::string name = text.rfind("Expected ", 0) == 0 ? Between(text, " to ", ", got") : Before(text, ":");
  return Format("Неверное число значений параметра %s; ожидается %s", name, ExpectedValue(app, name));
}

std::string ErrorText(const CLI::App& app, const CLI::ParseError& error) {
  const std::string text = error.what();
  if (dynamic_cast<const CLI::ConversionError*>(&error)) return ConversionText(app, text);
  if (dynamic_cast<const CLI::ValidationError*>(&error))
    return Format("Неверное значение параметра %s: %s", Before(text, ": "), Between(text, ": ", ""));
  if (dynamic_cast<const CLI::RequiredError*>(&error)) return RequiredText(app, text);
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) return MismatchText(app, text);
  if (dynamic_cast<const CLI::ExtrasError*>(&error))
    return Format("Неизвестные параметры или лишние аргументы: %s", Between(text, ": ", ""));
  if (dynamic_cast<const CLI::RequiresError*>(&error))
    return Format("Параметр %s требует параметра %s", Before(text, " requires "), Between(text, " requires ", ""));
  if (dynamic_cast<const CLI::ExcludesError*>(&error))
    return Format("Параметр %s несовместим с параметром %s", Before(text, " excludes "),
                  Between(text, " excludes ", ""));
  return Format("Ошибка в командной строке\r\n(%s)", text);
}

// The headings and value names of the help texts.
const std::map<std::string, std::string>& HelpLabels() {
  static const std::map<std::string, std::string> labels = {
      {"Usage", "Вызов"},         {"OPTIONS", "ПАРАМЕТРЫ"},     {"SUBCOMMAND", "КОМАНДА"},
      {"SUBCOMMANDS", "КОМАНДЫ"}, {"Positionals", "Аргументы"}, {"REQUIRED", "ОБЯЗАТЕЛЬНО"},
      {"Needs", "Требует"},       {"Excludes", "Исключает"},    {"INT", "ЦЕЛОЕ"},
      {"UINT", "ЦЕЛОЕ"},          {"FLOAT", "ЧИСЛО"},           {"TEXT", "ТЕКСТ"}};
  return labels;
}

}  // namespace

void LocaliseParser(CLI::App& app) {
  if (!app.get_parent())
    for (const auto& [key, label] : HelpLabels()) app.get_formatter()->label(key, label);
  app.set_help_flag("-h,--help", "Показать справку и выйти");
  for (CLI::Option* option : app.get_options()) option->group("Параметры");
  for (CLI::App* sub : app.get_subcommands({})) {
    sub->group("Команды");
    LocaliseParser(*sub);
  }
}

std::string UsageErrorText(const CLI::App& app, const CLI::ParseError& error) {
  return ErrorText(app, error) + "\r\nСправка: " + CommandPath(StoppedIn(app)) + " --help";
}

std::string WordList(const std::vector<std::string>& words) {
  std::string list;
  for (const std::string& word : words) list += (list.empty() ? "" : ", ") + word;
  return list;
}

CLI::Validator PositiveNumber() {
  return CLI::Validator(
      [](const std::string& text) -> std::string {
        double value = 0;
        if (!CLI::detail::lexical_cast(text, value)) return Format("\"%s\" не является числом", text);
        return value > 0 ? "" : Format("ожидается число больше нуля, задано %s", text);
      },
      "");
}

CLI::Validator ExistingFile() {
  return CLI::Validator(
      [](const std::string& name) -> std::string {
        std::error_code error;
        const auto status = std::filesystem::status(name, error);
        if (!std::filesystem::exists(status)) return Format("файл [%s] не найден", name);
        return std::filesystem::is_directory(status) ? Format("[%s] - папка, а не файл", name) : "";
      },
      "");
}

CLI::Validator OneOf(std::vector<std::string> words) {
  return CLI::Validator(
      [words = std::move(words)](const std::string& text) -> std::string {
        for (const std::string& word : words)
          if (word == text) return "";
        return Format("\"%s\" не из списка: %s", text, WordList(words));
      },
      "");
}

}  // namespace kv::cli
