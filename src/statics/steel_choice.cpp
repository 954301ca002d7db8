#include "statics/steel_choice.h"

#include <algorithm>

#include "catalogue/profile_lookups.h"
#include "catalogue/static_limits.h"
#include "shell/format_settings.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

constexpr const char* kMaxIxTaken = "%s: выбрана арматура с максимальным Ix\r\n(%s, Ix = %.2f).";
constexpr const char* kCheckFirst =
    "Расчет на статику возможно не производился или после его проведения были проведены изменения в конструкции "
    "изделия. Перед проведением автозамен профилей необходимо провести расчет конструкции на статику.";

// The caption of the bar in the list of replacements.
std::string KindOf(const TInforcedImpost& Bar) {
  switch (Bar.LineType) {
    case ltStoika: return "СТОЙКА";
    case ltRiegel: return Bar.MoreHorizontal() ? "РИГЕЛЬ ГОРИЗОНТАЛЬНЫЙ" : "РИГЕЛЬ ВЕРТИКАЛЬНЫЙ";
    case ltStulp: return "ШТУЛЬП";
    default: return "ИМПОСТ";
  }
}

// The reinforcements of the profile that pass, weakest first.
template <typename TPasses>
std::vector<TSteelIx> SteelsThatPass(const std::string& Profile, const TPasses& Passes) {
  std::vector<TSteelIx> steels = GetAllowedSteels(Profile);
  std::erase_if(steels, [&Passes](const TSteelIx& s) { return !Passes(s); });
  return steels;
}

TSteelProposal Proposal(const TInforcedImpost& Bar, bool Needed, const std::vector<TSteelIx>& Enough,
                        const TSteelSwitches& Switches) {
  TSteelProposal proposal{Bar.InternalID, Bar.No, KindOf(Bar), "", 0, Needed};
  if (!Needed || Enough.empty()) return proposal;
  const TSteelIx& chosen = ChooseSteel(Enough, GetDefaultSteel(Bar.Profile.ID), Switches);
  proposal.Steel = chosen.Steel;
  proposal.Ix = chosen.Ix;
  return proposal;
}

TSteelProposal MullionProposal(const TMullionResult& Mullion, const TSteelSwitches& Switches) {
  if (!Mullion.Fails()) return Proposal(*Mullion.Impost, false, {}, Switches);
  const auto enough = [&Mullion](const TSteelIx& s) { return s.Ix >= Mullion.NeedIx; };
  return Proposal(*Mullion.Impost, true, SteelsThatPass(Mullion.Impost->Profile.ID, enough), Switches);
}

// The sash passes the graph of its stile with that reinforcement; a combination without a graph
// does not pass.
bool PassesWithStulpSteel(const TFlugelResult& Sash, const std::string& Steel) {
  TFlugelGraphKey key = Sash.Key;
  key.StulpSteel = Steel;
  try {
    return TestLimitGraph(GetFlugelLimitGraph(key), Sash.Width, Sash.Height, false) == 0;
  } catch (const EInterfaceError&) {
    return false;
  }
}

TSteelProposal StulpProposal(const Tgx25Stulp& Stulp, const std::vector<const TFlugelResult*>& Sashes,
                             const TSteelSwitches& Switches) {
  const bool needed = std::any_of(Sashes.begin(), Sashes.end(), [](const auto* f) { return f->Result != 0; });
  if (!needed) return Proposal(Stulp, false, {}, Switches);
  const auto all_pass = [&Sashes](const TSteelIx& s) {
    return std::all_of(Sashes.begin(), Sashes.end(), [&s](const auto* f) { return PassesWithStulpSteel(*f, s.Steel); });
  };
  return Proposal(Stulp, true, SteelsThatPass(Stulp.Profile.ID, all_pass), Switches);
}

}  // namespace

TSteelSwitches MullionSteelSwitches(const TProfOptCheck& Options) {
  return {Options.ImpostSaveDefSteel, Options.ImpostSetMaxIxIfNoStatic, Options.ImpostSetMaxIxIfStatic,
          Options.UseSteelPriority, Options.ShowAlertIfMaxIx};
}

TSteelSwitches FlugelSteelSwitches(const TProfOptCheck& Options) {
  return {Options.FlugelSaveDefSteel, Options.FlugelSetMaxIxIfNoStatic, Options.FlugelSetMaxIxIfStatic,
          Options.UseSteelPriority, Options.ShowAlertIfMaxIx};
}

const TSteelIx& ChooseSteel(const std::vector<TSteelIx>& Enough, const std::string& DefaultSteel,
                            const TSteelSwitches& Switches) {
  if (Switches.SaveDefSteel) {
    const auto found =
        std::find_if(Enough.begin(), Enough.end(), [&](const TSteelIx& s) { return s.Steel == DefaultSteel; });
    if (found != Enough.end()) return *found;
  }
  if (Switches.SetMaxIxIfStatic) return Enough.back();
  if (Switches.UseSteelPriority)
    return *std::min_element(Enough.begin(), Enough.end(),
                             [](const TSteelIx& a, const TSteelIx& b) { return a.Priority < b.Priority; });
  return Enough.front();
}

std::optional<TSteelIx> StrongestSteel(const std::string& Profile) {
  const std::vector<TSteelIx> steels = GetAllowedSteels(Profile);
  if (steels.empty()) return std::nullopt;
  return steels.back();
}

void AlertMaxIx(const TSteelSwitches& Switches, const std::string& Bar, const TSteelIx& Steel) {
  if (Switches.AlertIfMaxIx) ShowWarning(Format(kMaxIxTaken, Bar, Steel.Steel, Steel.Ix));
}

std::vector<TSteelProposal> ProposeSteel(const TStaticReport& Report) {
  const TSteelSwitches switches = MullionSteelSwitches(Report.Options);
  std::vector<TSteelProposal> proposals;
  for (const TMullionResult& mullion : Report.Mullions) proposals.push_back(MullionProposal(mullion, switches));
  return proposals;
}

std::vector<TSteelProposal> ProposeStulpSteel(const TStaticReport& Report) {
  std::vector<const Tgx25Stulp*> stulps;
  for (const TFlugelResult& sash : Report.Flugels)
    if (sash.Stulp != nullptr && std::find(stulps.begin(), stulps.end(), sash.Stulp) == stulps.end())
      stulps.push_back(sash.Stulp);
  std::vector<TSteelProposal> proposals;
  for (const Tgx25Stulp* stulp : stulps) {
    std::vector<const TFlugelResult*> sashes;
    for (const TFlugelResult& sash : Report.Flugels)
      if (sash.Stulp == stulp) sashes.push_back(&sash);
    proposals.push_back(StulpProposal(*stulp, sashes, FlugelSteelSwitches(Report.Options)));
  }
  return proposals;
}

std::string ProposalText(const TSteelProposal& Proposal) {
  if (!Proposal.Needed) return "Замен не требуется";
  if (Proposal.Steel.empty()) return "Нет армирования с достаточным Ix";
  return Format("%s (Ix = %.2f)", Proposal.Steel, Proposal.Ix);
}

std::string ReplacementWarning(const Tgx25Construction& Construction) {
  return StaticChecked(Construction) ? std::string() : kCheckFirst;
}

std::unique_ptr<Tgx25Construction> ApplySteelProposals(const Tgx25Construction& Source,
                                                       const std::vector<TSteelProposal>& Proposals) {
  auto copy = std::make_unique<Tgx25Construction>(Source.Owner);
  copy->Assign(Source);
  for (const TSteelProposal& proposal : Proposals) {
    if (proposal.Steel.empty()) continue;
    if (auto* bar = dynamic_cast<TInforcedImpost*>(copy->FindObjectByInternalID(proposal.ImpostID)))
      bar->SetSteel(proposal.Steel, bar->Profile.Color);
  }
  for (int i = 0; i < copy->FrameCount(); ++i) copy->GetFrame(i)->FullRecalc();
  return copy;
}

}  // namespace kv
