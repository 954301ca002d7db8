// The test catalogue and the construction builders of the construction tests, built into the
// order tests as well.
#include "catalogue/small_catalogue.cpp"             // NOLINT(bugprone-suspicious-include)
#include "construction/model_builders.cpp"           // NOLINT(bugprone-suspicious-include)
#include "construction/sample_constructions.cpp"     // NOLINT(bugprone-suspicious-include)
