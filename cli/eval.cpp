// `korvent-cli eval formula|rule`: a catalogue maintainer tries a calculation-method formula or a
// catalogue rule before storing it.
#include <nlohmann/json.hpp>

#include <iostream>
#include <map>
#include <memory>

#include "calc/express.h"
#include "calc/fr_parser.h"
#include "command_registry.h"
#include "json_text.h"
#include "shell/code_page.h"
#include "shell/format_settings.h"

namespace kv::cli {

namespace {

using TNamedValues = std::map<std::string, std::string>;

// "NAME=VALUE" pairs of the command line.
TNamedValues ReadAssignments(const std::vector<std::string>& pairs) {
  TNamedValues values;
  for (const std::string& pair : pairs) {
    const size_t equal = pair.find('=');
    if (equal == std::string::npos || equal == 0) throw EKvError(Format("Ожидалось ИМЯ=ЗНАЧЕНИЕ, получено [%s]", pair));
    values[pair.substr(0, equal)] = pair.substr(equal + 1);
  }
  return values;
}

long double EvaluateFormula(const std::string& text, const std::array<long double, 3>& variables,
                            const TNamedValues& parameters) {
  TExpress express;
  std::array<long double, 6> values{};
  for (const auto& [name, value] : parameters) {
    const size_t index = name.size() == 1 ? express.ParameterList().find(name[0]) : std::string::npos;
    if (index == std::string::npos) throw EKvError(Format("Неизвестный параметр формулы [%s]", name));
    values[index] = StrToFloat(value);
  }
  express.SetParameters(values);
  express.SetExpression(text);
  return express.TheFunction(variables[0], variables[1], variables[2]);
}

// A value typed on the command line: a number, TRUE or FALSE, a date, otherwise a text.
TVariant TypedValue(const std::string& text) {
  long double number = 0;
  TDateTime date = 0;
  const std::string upper = AnsiUpperCase(text);
  if (TryStrToFloat(text, number)) return static_cast<double>(number);
  if (upper == "TRUE" || upper == "FALSE") return upper == "TRUE";
  if (TryStrToDate(text, date)) return TVariant::Date(date);
  return text;
}

TVariant EvaluateRule(const std::string& text, const TNamedValues& variables) {
  std::map<std::string, TVariant> values;
  for (const auto& [name, value] : variables) values[AnsiUpperCase(name)] = TypedValue(value);
  TfrParser parser;
  parser.OnGetValue = [&values](const std::string& name, TVariant& value) {
    const auto it = values.find(name);
    if (it == values.end()) throw EKvError(Format("Не задано значение [%s]", name));
    value = it->second;
  };
  parser.OnFunction = [](const std::string& name, const std::string&, const std::string&, const std::string&,
                         TVariant&) { throw EKvError(Format("Неизвестная функция [%s]", name)); };
  return parser.Calc(text);
}

const char* TypeName(const TVariant& value) {
  switch (value.VarType()) {
    case varNull:
    case varEmpty: return "null";
    case varBoolean: return "boolean";
    case varDate: return "date";
    case varString: return "string";
    default: return "number";
  }
}

struct TFormulaOptions {
  std::string Text;
  std::string X = "0", Y = "0", Z = "0";
  std::vector<std::string> Parameters;
  bool Json = false;
};

struct TRuleOptions {
  std::string Text;
  std::vector<std::string> Variables;
  bool Json = false;
};

// A text that begins with "-" (-x*2, -Width) reads to the parser as an unknown option: it comes back
// among the extras and is the text when no other was given. After "--" it is the text as well.
std::string CommandText(const CLI::App& command, const std::string& text) {
  std::vector<std::string> extras = command.remaining();
  std::erase(extras, "--");
  if (text.empty() && extras.size() == 1) return extras.front();
  if (!extras.empty()) throw CLI::ExtrasError(extras);
  if (text.empty()) throw CLI::RequiredError("TEXT");
  return text;
}

void RunFormula(const TFormulaOptions& options) {
  const long double value =
      EvaluateFormula(options.Text, {StrToFloat(options.X), StrToFloat(options.Y), StrToFloat(options.Z)},
                      ReadAssignments(options.Parameters));
  if (options.Json)
    std::cout << JsonText(nlohmann::json{{"value", static_cast<double>(value)}, {"text", FloatToStr(value)}}) << "\n";
  else
    std::cout << FloatToStr(value) << "\n";
}

void RunRule(const TRuleOptions& options) {
  const TVariant value = EvaluateRule(options.Text, ReadAssignments(options.Variables));
  if (options.Json)
    std::cout << JsonText(nlohmann::json{{"value", value.AsString()}, {"type", TypeName(value)}}) << "\n";
  else
    std::cout << value.AsString() << "\n";
}

void InstallEval(CLI::App& app) {
  auto* eval = app.add_subcommand("eval", "Вычислить формулу метода расчёта или правило каталога");
  eval->require_subcommand(1);

  auto formula_options = std::make_shared<TFormulaOptions>();
  auto* formula = eval->add_subcommand("formula", "Формула метода расчёта: переменные x, y, z и параметры a..f");
  formula->add_option("TEXT", formula_options->Text, "Текст формулы (начинающийся с \"-\" можно дать после --)");
  formula->allow_extras();
  formula->add_option("--x", formula_options->X, "Значение переменной x");
  formula->add_option("--y", formula_options->Y, "Значение переменной y");
  formula->add_option("--z", formula_options->Z, "Значение переменной z");
  formula->add_option("--param", formula_options->Parameters, "Параметр: a=ЗНАЧЕНИЕ (a..f)")->allow_extra_args(false);
  formula->add_flag("--json", formula_options->Json, "Вывести результат в JSON");
  formula->callback([formula, formula_options] {
    formula_options->Text = CommandText(*formula, formula_options->Text);
    RunFormula(*formula_options);
  });

  auto rule_options = std::make_shared<TRuleOptions>();
  auto* rule = eval->add_subcommand("rule", "Правило каталога: числа, строки, даты, IF, COPY, AND, OR, MOD...");
  rule->add_option("TEXT", rule_options->Text, "Текст правила (начинающийся с \"-\" можно дать после --)");
  rule->allow_extras();
  rule->add_option("--var", rule_options->Variables, "Значение имени: ИМЯ=ЗНАЧЕНИЕ")->allow_extra_args(false);
  rule->add_flag("--json", rule_options->Json, "Вывести результат в JSON");
  rule->callback([rule, rule_options] {
    rule_options->Text = CommandText(*rule, rule_options->Text);
    RunRule(*rule_options);
  });
}

const TCommandRegistration registration("eval", InstallEval);

void ShowFormulas(const std::string&, std::ostream& out) {
  out << "Формулы метода расчёта и правила каталога:\n";
  out << Format("  формула 4,5*x/(y^2-z) при x=2, y=3, z=1: %s\n",
                FloatToStr(EvaluateFormula("4,5*x/(y^2-z)", {2, 3, 1}, {})));
  out << Format("  формула 2^3^2-a/0 при a=5: %s (деление на ноль даёт 0)\n",
                FloatToStr(EvaluateFormula("2^3^2-a/0", {0, 0, 0}, {{"a", "5"}})));
  const TNamedValues window = {{"Width", "1200"}, {"Color", "Белый"}};
  out << Format("  правило (Width > 1000) AND (Color = 'Белый') при Width=1200: %s\n",
                EvaluateRule("(Width > 1000) AND (Color = 'Белый')", window).AsString());
  out << Format("  правило IF(Width MOD 500 > 100, COPY(Color, 1, 3), 'нет'): %s\n",
                EvaluateRule("IF(Width MOD 500 > 100, COPY(Color, 1, 3), 'нет')", window).AsString());
}

const TDemoStep demo_step("40-formula", ShowFormulas);

}  // namespace

}  // namespace kv::cli
