#pragma once
// The reinforcement choice of the static check: for every mullion that fails, the reinforcement of
// its profile that carries the required Ix, and for every meeting stile whose sashes fail their
// limit graph, the stile reinforcement whose graph they pass; applied to a working copy of the
// construction, which is then recalculated and checked again.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "statics/static_check.h"

namespace kv {

struct TSteelProposal {
  int32_t ImpostID = 0;  // InternalID of the mullion or meeting stile
  std::string No;
  std::string Kind;  // "СТОЙКА", "РИГЕЛЬ ГОРИЗОНТАЛЬНЫЙ", "РИГЕЛЬ ВЕРТИКАЛЬНЫЙ", "ИМПОСТ", "ШТУЛЬП"
  std::string Steel;  // empty when the bar needs no replacement or none is strong enough
  float Ix = 0;
  bool Needed = false;
};

// The switches that govern the reinforcement of one kind of bar: mullions or sashes (a sash's
// reinforcement and the meeting stile its limit graph depends on).
struct TSteelSwitches {
  bool SaveDefSteel = false;        // keep the profile's default when it is enough
  bool SetMaxIxIfNoStatic = false;  // the strongest one while the check of this kind is off
  bool SetMaxIxIfStatic = false;    // the strongest one that is enough (for a sash: without asking)
  bool UseSteelPriority = false;    // the first by combination priority
  bool AlertIfMaxIx = false;        // tell the user when the program took the strongest one itself
};
TSteelSwitches MullionSteelSwitches(const TProfOptCheck& Options);
TSteelSwitches FlugelSteelSwitches(const TProfOptCheck& Options);

// Of the reinforcements strong enough (weakest first, not empty) the one the switches prefer: the
// profile's default with SaveDefSteel, else the strongest with SetMaxIxIfStatic, else the first by
// combination priority with UseSteelPriority (the weaker of equal priority), else the weakest.
const TSteelIx& ChooseSteel(const std::vector<TSteelIx>& Enough, const std::string& DefaultSteel,
                            const TSteelSwitches& Switches);
// The strongest reinforcement the profile takes; nullopt when it takes none.
std::optional<TSteelIx> StrongestSteel(const std::string& Profile);
// With AlertIfMaxIx the user is told that Bar ("Импост № 1", "Створка № 2") got Steel.
void AlertMaxIx(const TSteelSwitches& Switches, const std::string& Bar, const TSteelIx& Steel);

// One proposal per checked mullion: for a failing one the reinforcement of its profile reaching the
// required Ix that the mullion switches choose; the switches are those the check ran with.
std::vector<TSteelProposal> ProposeSteel(const TStaticReport& Report);
// One proposal per meeting stile beside a checked sash: where a sash on it fails its graph, the
// stile's reinforcement under whose graph every checked sash on the stile passes, as the sash
// switches choose it.
std::vector<TSteelProposal> ProposeStulpSteel(const TStaticReport& Report);
// "%s (Ix = %.2f)", "Замен не требуется", or that no reinforcement is strong enough.
std::string ProposalText(const TSteelProposal& Proposal);
// What the replacement of reinforcements says before it starts: that the construction must be
// checked first when some mullion carries no result; empty when every one does.
std::string ReplacementWarning(const Tgx25Construction& Construction);
// A copy of the construction with the proposed reinforcements of mullions and meeting stiles,
// recalculated.
std::unique_ptr<Tgx25Construction> ApplySteelProposals(const Tgx25Construction& Source,
                                                       const std::vector<TSteelProposal>& Proposals);

}  // namespace kv
