#pragma once
// The options that describe one frame on the command line (construction type, figure, sizes, arc
// data, mullion positions, sashes, glass, colour, catalogue) and the construction built from them
// with the catalogue; shared by `construction build` and the order commands.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "construction/construction.h"
#include "shell/databases.h"

namespace kv::cli {

struct TBuildOptions {
  // Window type of the catalogue (TypeWin).
  int TypeWin = 1;
  // Figure name: rect, balkon-left, ..., arc-tri-right (see FigureNames).
  std::string Figure = "rect";
  // Millimetres.
  int Width = 1300;
  int Height = 1400;
  // The shape options of the figure (0: not given); an option the figure does not use is refused.
  int HX = 0;
  int HY = 0;
  float Radius = 0;
  float Radius2 = 0;
  // Axes of vertical mullions (from the left edge) and horizontal transoms (from the top edge), mm.
  // The vertical ones run through the frame first; each transom then divides every field it crosses.
  std::vector<int> Vertical;
  std::vector<int> Horizontal;
  // Fields (numbered from 1 after the division) that get a sash; turn-only sashes when Turn is set.
  std::vector<int> Sashes;
  bool Turn = false;
  // Fittings complect of the sashes; empty: the first complect of the system that fits each sash.
  std::string Furn;
  // Glass article; empty: the window type's glass.
  std::string Glass;
  // Profile colour; empty: the system's base colour.
  std::string Color;
  // Folder of the catalogue databases (as `catalogue create` makes them); empty: the demo catalogue.
  std::string CatalogueDir;
};

// The figure names in the order of TFigType.
const std::vector<std::string>& FigureNames();

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

// One frame built and fully calculated from the options with the open catalogue (numbered "1"),
// its sashes with their fittings. Program errors (catalogue gaps, impossible figures or divisions,
// a named complect that does not fit) are raised as EKvError.
std::unique_ptr<Tgx25Construction> BuildConstruction(const TBuildOptions& Options);

}  // namespace kv::cli
