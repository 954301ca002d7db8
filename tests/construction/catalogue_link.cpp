// The small test catalogue of the catalogue tests, built into this test program as well.
#include "catalogue/small_catalogue.cpp"  // NOLINT(bugprone-suspicious-include)
