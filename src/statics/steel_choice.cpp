#include "statics/steel_choice.h"

#include <algorithm>

#include "catalogue/profile_lookups.h"
#include "catalogue/static_limits.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

// Of the reinforcements strong enough (weakest first, not empty) the one the switches prefer.
const TSteelIx& ChooseSteel(const std::vector<TSteelIx>& Enough, const std::string& Profile,
                            const TProfOptCheck& Options) {
  if (Options.ImpostSaveDefSteel) {
    const std::string standard = GetDefaultSteel(Profile);
    const auto found =
        std::find_if(Enough.begin(), Enough.end(), [&](const TSteelIx& s) { return s.Steel == standard; });
    if (found != Enough.end()) return *found;
  }
  if (Options.ImpostSetMaxIxIfStatic) return Enough.back();
  if (Options.UseSteelPriority)
    return *std::min_element(Enough.begin(), Enough.end(),
                             [](const TSteelIx& a, const TSteelIx& b) { return a.Priority < b.Priority; });
  return Enough.front();
}

TSteelProposal ProposalFor(const TMullionResult& Mullion, const TProfOptCheck& Options) {
  TSteelProposal proposal{Mullion.Impost->InternalID, Mullion.Impost->No, "", 0, Mullion.Fails()};
  if (!proposal.Needed) return proposal;
  std::vector<TSteelIx> steels = GetAllowedSteels(Mullion.Impost->Profile.ID);
  std::erase_if(steels, [&Mullion](const TSteelIx& s) { return s.Ix < Mullion.NeedIx; });
  if (steels.empty()) return proposal;
  const TSteelIx& chosen = ChooseSteel(steels, Mullion.Impost->Profile.ID, Options);
  proposal.Steel = chosen.Steel;
  proposal.Ix = chosen.Ix;
  return proposal;
}

}  // namespace

std::vector<TSteelProposal> ProposeSteel(const TStaticReport& Report) {
  std::vector<TSteelProposal> proposals;
  for (const TMullionResult& mullion : Report.Mullions) proposals.push_back(ProposalFor(mullion, Report.Options));
  return proposals;
}

std::string ProposalText(const TSteelProposal& Proposal) {
  if (!Proposal.Needed) return "Замен не требуется";
  if (Proposal.Steel.empty()) return "Нет армирования с достаточным Ix";
  return Format("%s (Ix = %.2f)", Proposal.Steel, Proposal.Ix);
}

std::unique_ptr<Tgx25Construction> ApplySteelProposals(const Tgx25Construction& Source,
                                                       const std::vector<TSteelProposal>& Proposals) {
  auto copy = std::make_unique<Tgx25Construction>(Source.Owner);
  copy->Assign(Source);
  for (const TSteelProposal& proposal : Proposals) {
    if (proposal.Steel.empty()) continue;
    if (auto* mullion = dynamic_cast<TImpost*>(copy->FindObjectByInternalID(proposal.ImpostID)))
      mullion->SetSteel(proposal.Steel, mullion->Steel.Color);
  }
  for (int i = 0; i < copy->FrameCount(); ++i) copy->GetFrame(i)->FullRecalc();
  return copy;
}

}  // namespace kv
