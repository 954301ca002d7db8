#pragma once
// The options that describe one frame on the command line (construction type, figure, sizes, arc
// data, mullion positions, sashes, glass, colour, catalogue) and the catalogue the frame is built
// with (construction_builder.h); shared by `construction build` and the order commands.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "construction/construction_builder.h"
#include "shell/databases.h"

namespace kv::cli {

// The frame's options and the catalogue they are built with.
struct TBuildOptions : TFrameBuildOptions {
  // Fittings complect of the sashes; empty: the first complect of the system that fits each sash.
  std::string Furn;
  // Fittings system the sashes move to with their corresponding complects; empty: the frame's.
  std::string FurnSys;
  // Handle height set by the user, mm; 0: the height the fittings give.
  int HandleHeight = 0;
  // The construction mirrored, each sash with the mirror complect of its own.
  bool Mirror = false;
  // Folder of the catalogue databases (as `catalogue create` makes them); empty: the demo catalogue.
  std::string CatalogueDir;
};

// Registers the options above on a subcommand.
void AddBuildOptions(CLI::App* App, TBuildOptions& Options);

// The catalogue opened for the lookups: the databases of the folder CatalogueDir, or (empty) the
// demo catalogue created in a temporary folder that is removed again.
class TBuildCatalogue {
public:
  explicit TBuildCatalogue(const std::string& CatalogueDir);
  ~TBuildCatalogue();
  TBuildCatalogue(const TBuildCatalogue&) = delete;
  TBuildCatalogue& operator=(const TBuildCatalogue&) = delete;

private:
  std::filesystem::path FTemporary;
  std::unique_ptr<TOpenedCatalogue> FOpened;
};

// The positions of the demo order: the caption and the options of each construction.
std::vector<std::pair<std::string, TBuildOptions>> DemoPositions();

// One frame built from the options with the open catalogue (numbered "1"), its sashes with their
// fittings (complect, fittings system, handle height), mirrored when asked. Program errors (catalogue gaps, impossible
// figures or divisions, a named complect that does not fit) are raised as EKvError.
std::unique_ptr<Tgx25Construction> BuildConstruction(const TBuildOptions& Options);

}  // namespace kv::cli
