#include "construction_statics.h"

#include "shell/format_settings.h"
#include "shell/stream_fields.h"
#include "shell/user_messages.h"
#include "statics/static_check.h"
#include "statics/steel_choice.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

constexpr const char* kPasses = "Конструкция соответствует расчетам по статике.";
constexpr const char* kFails = "Конструкция не проходит по статическим расчетам!";

struct TCheckOutcome {
  TStaticReport Report;
  std::vector<TSteelProposal> Proposals;
  std::vector<TSteelProposal> StulpProposals;
  std::string Stopped;  // the broken size limit, empty when the check ran through
  bool Passed() const { return Stopped.empty() && StaticPassed(Report); }
};

TCheckOutcome RunCheck(Tgx25Construction& Construction, const TStaticsOptions& Options) {
  TCheckOutcome outcome;
  TStaticSite site;
  site.Region = Options.Region;
  site.BuildingHeight = Options.BuildingHeight;
  site.LoadGroup = Construction.LoadGroupH;
  try {
    outcome.Report = CheckStatic(Construction, site, true);
  } catch (const EStaticError& error) {
    outcome.Stopped = error.what();
    ShowError(outcome.Stopped);
  }
  outcome.Proposals = ProposeSteel(outcome.Report);
  outcome.StulpProposals = ProposeStulpSteel(outcome.Report);
  return outcome;
}

std::string Verdict(bool Passed) { return Passed ? "проходит" : "не проходит"; }

std::string IxText(float Ix) { return Format("%.2f", Ix); }

}  // namespace

void PrintStatics(Tgx25Construction& Construction, const TStaticsOptions& Options, std::ostream& Out) {
  const TCheckOutcome outcome = RunCheck(Construction, Options);
  Out << Format("Расчет на статику: ветровой район %s, высота здания %.1f м\n", Options.Region, Options.BuildingHeight);
  for (const TFrameResult& frame : outcome.Report.Frames)
    Out << Format("  Рама %s: %.1f x %.1f, допустимо %d x %d\n", frame.Frame->Name, frame.Width, frame.Height,
                  frame.Max.Width, frame.Max.Height);
  for (const TMullionResult& m : outcome.Report.Mullions) {
    for (const std::string& line : TextToLines(MullionInfoText(m))) Out << "  " << line << "\n";
    Out << Format("  Ix профиля = %s: %s\n", IxText(m.SelfIx), Verdict(!m.Fails()));
    if (Options.Log)
      for (const std::string& line : m.Log) Out << "    " << line << "\n";
  }
  for (const TFlugelResult& f : outcome.Report.Flugels)
    Out << Format("  Створка № %s: %d x %d, результат %d: %s\n", f.Flugel->Name, f.Width, f.Height, f.Result,
                  Verdict(f.Result == 0));
  if (!outcome.Stopped.empty()) Out << "  " << outcome.Stopped << "\n";
  Out << (outcome.Passed() ? kPasses : kFails) << "\n";
  for (const TSteelProposal& p : outcome.Proposals) Out << Format("  Импост № %s: %s\n", p.No, ProposalText(p));
  for (const TSteelProposal& p : outcome.StulpProposals) Out << Format("  Штульп № %s: %s\n", p.No, ProposalText(p));
}

TJson StaticsJson(Tgx25Construction& Construction, const TStaticsOptions& Options) {
  const TCheckOutcome outcome = RunCheck(Construction, Options);
  TJson mullions = TJson::array();
  for (size_t i = 0; i < outcome.Report.Mullions.size(); ++i) {
    const TMullionResult& m = outcome.Report.Mullions[i];
    mullions.push_back({{"no", m.Impost->No},
                        {"length", m.Length},
                        {"width1", m.Aperture.Width1},
                        {"width2", m.Aperture.Width2},
                        {"need_ix", m.NeedIx},
                        {"self_ix", m.SelfIx},
                        {"passed", !m.Fails()},
                        {"proposal", ProposalText(outcome.Proposals[i])},
                        {"log", m.Log}});
  }
  TJson sashes = TJson::array();
  for (const TFlugelResult& f : outcome.Report.Flugels)
    sashes.push_back({{"no", f.Flugel->Name}, {"width", f.Width}, {"height", f.Height}, {"result", f.Result}});
  TJson stulps = TJson::array();
  for (const TSteelProposal& p : outcome.StulpProposals)
    stulps.push_back({{"no", p.No}, {"proposal", ProposalText(p)}});
  return {{"passed", outcome.Passed()}, {"verdict", outcome.Passed() ? kPasses : kFails},
          {"stopped", outcome.Stopped}, {"mullions", mullions},
          {"sashes", sashes},           {"stulps", stulps}};
}

}  // namespace kv::cli
