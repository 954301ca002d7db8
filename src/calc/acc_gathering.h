#pragma once
// The catalogue rules in the gathering of a frame: the rules of every profile and reinforcement
// piece, of every joint of two profiles and of every construction element, and the painting
// components of the construction's technology. Their results become cut-list pieces and material
// items of the frame; a rule that fails is shown with the calculator's message and ends the rules
// of its object, the other objects go on.
#include <string>

#include "calc/acc_calculators.h"
#include "construction/frames.h"

namespace kv {

// The profile, combination and element rules of the frame and of everything in it.
void GatherAccessoryRules(TFrame& Frame);
// The painting components of the construction's technology for the profile pieces of the frame's
// cut list, when the construction takes its colours from a technology.
void GatherTechnologyInfo(TFrame& Frame);

// Adds the results to the lists: cut results as pieces of group "other" under the code "FR" (and
// their metres as a material), counted results as material items; Origin names the rule set.
void TakeAccResults(const TProfCalcItems& Items, const std::string& Origin, TCutMapList& CutMap, TMatList& Materials);

}  // namespace kv
