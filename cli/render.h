#pragma once
// The picture files of a construction on the command line: SVG from the core, PNG and PDF from the
// painter canvas, with the picture's size, drawing styles and zoom.
#include <CLI/CLI.hpp>

#include <ostream>
#include <string>
#include <vector>

#include "construction/construction.h"
#include "design/draw_styles.h"

namespace kv::cli {

struct TPictureOptions {
  std::string Svg;
  std::string Png;
  std::string Pdf;
  // "WIDTHxHEIGHT" in pixels.
  std::string Size = "1200x900";
  // Twelve hexadecimal digits, or the names of the styles; neither: the design window's styles.
  std::string Styles;
  std::vector<std::string> StyleNames;
  float Zoom = 1;
};

// The options above on a subcommand (--pdf when WithPdf).
void AddPictureOptions(CLI::App* App, TPictureOptions& Options, bool WithPdf);
bool PicturesWanted(const TPictureOptions& Options);
// The styles the options give.
Tgx25DrawStyles PictureStyles(const TPictureOptions& Options);
// Writes every picture asked for and names each file on Out.
void WritePictures(Tgx25Construction& Construction, const TPictureOptions& Options, std::ostream& Out);

}  // namespace kv::cli
