#pragma once
// The reinforcement choice after a static check: for every mullion that fails, the reinforcement
// of its profile that carries the required Ix; applied to a working copy of the construction,
// which is then recalculated and checked again.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "statics/static_check.h"

namespace kv {

struct TSteelProposal {
  int32_t ImpostID = 0;  // InternalID of the mullion
  std::string No;
  std::string Steel;  // empty when the mullion needs no replacement or none is strong enough
  float Ix = 0;
  bool Needed = false;
};

// One proposal per checked mullion. For a failing one, of the allowed reinforcements whose Ix
// reaches the required one: the profile's default with ImpostSaveDefSteel, else the strongest with
// ImpostSetMaxIxIfStatic, else the first by combination priority with UseSteelPriority (the weaker
// of equal priority), else the weakest; the switches are those the check ran with.
std::vector<TSteelProposal> ProposeSteel(const TStaticReport& Report);
// "%s (Ix = %.2f)", "Замен не требуется", or that no reinforcement is strong enough.
std::string ProposalText(const TSteelProposal& Proposal);
// A copy of the construction with the proposed reinforcements, recalculated.
std::unique_ptr<Tgx25Construction> ApplySteelProposals(const Tgx25Construction& Source,
                                                       const std::vector<TSteelProposal>& Proposals);

}  // namespace kv
