// `korvent-cli furn check`: the complects of the fittings system checked against the sashes of a
// frame built from the construction options, each with "подходит" or the reason it does not fit;
// and the fittings lines that `construction build --calc` prints. The demo step "52-furn" checks a
// narrow, a tall and a door sash; "53-furn-sash" shows a mirrored window, a handle at the user's
// height and a sash moved to the economy fittings system.
#include "furn.h"

#include <iostream>
#include <memory>

#include "calc/furn_availability.h"
#include "catalogue/furn_lookups.h"
#include "command_registry.h"
#include "construction/walks.h"
#include "construction_options.h"
#include "json_text.h"
#include "shell/format_settings.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

std::string ComplectOf(const TFlugel& Sash) { return Sash.FurnComp ? Sash.FurnComp->ID : std::string(); }

// "2 шт" for a counted line, "1 x 350,0 мм" for a cut one.
std::string QuantityText(const TFurnItem& Item) {
  if (Item.Length == 0) return Format("%d шт", Item.Number);
  return Format("%d x %.1f мм", Item.Number, Item.Length);
}

struct TComplectCheck {
  TFurnComplect Complect;
  std::string Reason;
};

std::vector<TComplectCheck> CheckComplects(const TFlugel& Sash) {
  const TFurnSash measured = MeasureFurnSash(Sash);
  std::vector<TComplectCheck> checks;
  for (TFurnComplect& complect : GetSystemComplects(FlugelFurnSys(Sash))) {
    std::string reason = FurnComplectUnfitReason(complect, measured);
    checks.push_back({std::move(complect), std::move(reason)});
  }
  return checks;
}

std::string SashCaption(const TFlugel& Sash) {
  const TFurnSash measured = MeasureFurnSash(Sash);
  return Format("Створка %s: %d x %d мм, масса %.1f кг, система фурнитуры %s", Sash.Name, measured.Width,
                measured.Height, measured.Weight, FlugelFurnSys(Sash));
}

void PrintCheck(const Tgx25Construction& Construction, std::ostream& Out) {
  for (const TFlugel& sash : Flugels(Construction)) {
    Out << SashCaption(sash) << "\n";
    for (const TComplectCheck& check : CheckComplects(sash)) {
      Out << Format("  %-8s %-32s ", check.Complect.ID, check.Complect.Name);
      if (check.Reason.empty())
        Out << "подходит";
      else
        Out << "не подходит: " << check.Reason;
      if (!check.Complect.SymmetricID.empty()) Out << Format(" (зеркальный: %s)", check.Complect.SymmetricID);
      Out << "\n";
    }
    Out << Format("  Установлен комплект: %s\n", ComplectOf(sash).empty() ? "нет" : ComplectOf(sash));
  }
}

TJson CheckJson(const Tgx25Construction& Construction) {
  TJson sashes = TJson::array();
  for (const TFlugel& sash : Flugels(Construction)) {
    const TFurnSash measured = MeasureFurnSash(sash);
    TJson complects = TJson::array();
    for (const TComplectCheck& check : CheckComplects(sash))
      complects.push_back({{"id", check.Complect.ID},
                           {"name", check.Complect.Name},
                           {"fits", check.Reason.empty()},
                           {"reason", check.Reason},
                           {"mirror", check.Complect.SymmetricID}});
    sashes.push_back({{"sash", sash.Name},
                      {"width", measured.Width},
                      {"height", measured.Height},
                      {"weight", measured.Weight},
                      {"system", FlugelFurnSys(sash)},
                      {"complects", complects},
                      {"applied", ComplectOf(sash)}});
  }
  return sashes;
}

struct TCheckCommand {
  TBuildOptions Options;
  bool Json = false;
};

void RunCheck(TBuildOptions Options, bool Json, std::ostream& Out) {
  if (Options.Sashes.empty()) Options.Sashes = {1};
  const TBuildCatalogue catalogue(Options.CatalogueDir);
  const std::unique_ptr<Tgx25Construction> construction = BuildConstruction(Options);
  if (Json)
    Out << JsonText(CheckJson(*construction), 2) << "\n";
  else
    PrintCheck(*construction, Out);
}

void InstallFurn(CLI::App& app) {
  auto* furn = app.add_subcommand("furn", "Фурнитура створок: подбор комплектов");
  furn->require_subcommand(1);
  auto command = std::make_shared<TCheckCommand>();
  auto* check = furn->add_subcommand("check", "Какие комплекты фурнитуры подходят к створкам рамы и почему");
  AddBuildOptions(check, command->Options);
  check->add_flag("--json", command->Json, "Вывести в JSON");
  check->callback([command] { RunCheck(command->Options, command->Json, std::cout); });
}

const TCommandRegistration registration("furn", InstallFurn);

const TDemoStep demo_step("52-furn", [](const std::string&, std::ostream& out) {
  TBuildOptions narrow;
  narrow.Width = 700;
  narrow.Height = 900;
  TBuildOptions tall;
  tall.Width = 1000;
  tall.Height = 1900;
  TBuildOptions door;
  door.TypeWin = 2;
  door.Width = 750;
  door.Height = 2150;
  for (const auto& [caption, options] :
       {std::pair{"узкое окно 700 x 900 мм", narrow}, std::pair{"высокое окно 1000 x 1900 мм", tall},
        std::pair{"балконная дверь 750 x 2150 мм", door}}) {
    out << "== Комплекты фурнитуры: " << caption << "\n";
    RunCheck(options, false, out);
  }
});

const TDemoStep sash_step("53-furn-sash", [](const std::string&, std::ostream& out) {
  TBuildOptions mirrored;
  mirrored.Sashes = {1};
  mirrored.Mirror = true;
  TBuildOptions handle = mirrored;
  handle.Mirror = false;
  handle.HandleHeight = 700;
  TBuildOptions economy = handle;
  economy.HandleHeight = 0;
  economy.FurnSys = "TLE";
  const TBuildCatalogue catalogue("");
  for (const auto& [caption, options] : {std::pair{"окно 1300 x 1400 мм, зеркально отраженное", mirrored},
                                         std::pair{"окно 1300 x 1400 мм, ручка на высоте 700 мм", handle},
                                         std::pair{"окно 1300 x 1400 мм в системе фурнитуры Эконом", economy}}) {
    out << "== Фурнитура: " << caption << "\n";
    PrintFittings(*BuildConstruction(options), out);
  }
});

}  // namespace

TJson FittingsJson(const Tgx25Construction& Construction) {
  TJson sashes = TJson::array();
  for (const TFlugel& sash : Flugels(Construction)) {
    TJson lines = TJson::array();
    if (sash.FurnComp)
      for (const TFurnItem& item : sash.FurnComp->Items)
        lines.push_back({{"article", item.ID},
                         {"number", item.Number},
                         {"length", item.Length},
                         {"quantity", item.Quantity()},
                         {"info", item.Info}});
    sashes.push_back({{"sash", sash.Name},
                      {"complect", ComplectOf(sash)},
                      {"handle_height", sash.FurnComp ? sash.FurnComp->HandleHeight : 0},
                      {"lines", lines}});
  }
  return {{"fittings", sashes}};
}

void PrintFittings(const Tgx25Construction& Construction, std::ostream& Out) {
  Out << "Фурнитура:\n";
  for (const TFlugel& sash : Flugels(Construction)) {
    const std::string complect = ComplectOf(sash);
    Out << Format(
        "  Створка %s: %s", sash.Name,
        complect.empty() ? std::string("без комплекта") : complect + " (" + GetFurnComplect(complect).Name + ")");
    if (sash.FurnComp && sash.FurnComp->HandleHeight > 0)
      Out << Format(", ручка на высоте %d мм", sash.FurnComp->HandleHeight);
    Out << "\n";
    if (!sash.FurnComp) continue;
    for (const TFurnItem& item : sash.FurnComp->Items)
      Out << Format("    %-10s %14s  %s\n", item.ID, QuantityText(item), item.Info);
  }
}

}  // namespace kv::cli
