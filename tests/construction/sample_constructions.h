#pragma once
// Constructions with every kind of content for the stream and order tests: frames with mullions
// and a meeting stile, sashes with fittings, base profiles and nets, glass with bead and adapter
// contours, linings, components, false mullions and glazing bars, a modificator, a nested frame,
// anchors and cut points on the sides, and every add-on and result list filled.
#include <memory>
#include <string>
#include <vector>

#include "construction/construction.h"

namespace kv::test {

// Seed: varies the stored values so that two samples differ.
std::unique_ptr<Tgx25Construction> RichConstruction(const std::string& No, int Seed = 1);

// A single rectangular frame of W x H millimetres with one glazed base part.
std::unique_ptr<Tgx25Construction> SimpleWindow(const std::string& No, int32_t W, int32_t H);

// The bytes of the construction stream of the construction.
std::vector<uint8_t> StreamBytes(const Tgx25Construction& Construction);

}  // namespace kv::test
