#pragma once
// The drawing styles: what a drawing of a construction shows (dimension chains, colours, which
// kinds of parts, fittings, labels and how labels look), a set of 44 members kept in 6 bytes.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

enum Tgx25DrawStyle : uint8_t {
  drsTotalSizing,
  drsTopLevelSizing,
  drsDetailSizing,
  drsFlugelFalzSizing,
  drsColor,
  drsSteelVisible,
  drsMontageVisible,
  drsAttachVisible,
  drsFrameVisible,
  drsFlugelVisible,
  drsImpostVisible,
  drsFlugelImpostVisible,
  drsStulpVisible,
  drsFalshVisible,
  drsSprossVisible,
  drsGlassVisible,
  drsFurnVisible,
  drsMosquitoVisible,
  drsFrameLineIDVisible,
  drsFlugelLineIDVisible,
  drsGlassLineIDVisible,
  drsFrameIDVisible,
  drsFlugelIDVisible,
  drsImpostIDVisible,
  drsFlugelImpostIDVisible,
  drsStulpIDVisible,
  drsFalshIDVisible,
  drsSprossIDVisible,
  drsFramePartIDVisible,
  drsFlugelPartIDVisible,
  drsFalshPartIDVisible,
  drsSprossPartIDVisible,
  drsGlassIDVisible,
  drsStandAlone,
  drsFrameDrawing,
  drsImpostDrawing,
  drsMosquitoDrawing,
  drsGlassSizeVisible,
  drsGlassArticleVisible,
  drsIDFramed,
  drsIDBold,
  drsIDBrushClear,
  drsCutSizing,
  drsAnkerSizing
};

inline constexpr int kDrawStyleCount = 44;

// Member n is bit n mod 8 of byte n div 8.
class Tgx25DrawStyles {
public:
  using TBytes = std::array<uint8_t, 6>;

  Tgx25DrawStyles() = default;
  explicit Tgx25DrawStyles(const TBytes& Bytes) : FBytes(Bytes) {}
  Tgx25DrawStyles(std::initializer_list<Tgx25DrawStyle> Members);

  bool Contains(Tgx25DrawStyle Style) const { return (FBytes[Style / 8] >> (Style % 8)) & 1; }
  void Include(Tgx25DrawStyle Style) { FBytes[Style / 8] |= static_cast<uint8_t>(1u << (Style % 8)); }
  void Exclude(Tgx25DrawStyle Style) { FBytes[Style / 8] &= static_cast<uint8_t>(~(1u << (Style % 8))); }
  const TBytes& Bytes() const { return FBytes; }
  // The six bytes as twelve hexadecimal digits ("007F00000E00").
  std::string Hex() const;
  friend bool operator==(const Tgx25DrawStyles&, const Tgx25DrawStyles&) = default;

private:
  TBytes FBytes{};
};

// The reduced set used while the picture is dragged: the kinds of parts plus drsStandAlone,
// drsFrameDrawing and drsImpostDrawing (bytes 00 7F 00 00 0E 00).
Tgx25DrawStyles DragDrawStyles();

// "drsTotalSizing" ... "drsAnkerSizing", in the order of the members.
std::string_view DrawStyleName(Tgx25DrawStyle Style);
std::optional<Tgx25DrawStyle> DrawStyleByName(std::string_view Name);
// Twelve hexadecimal digits; nothing when the text is not such.
std::optional<Tgx25DrawStyles> DrawStylesFromHex(std::string_view Text);

}  // namespace kv
