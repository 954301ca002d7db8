#include "design/draw_styles.h"

#include <cstdio>

namespace kv {

namespace {

constexpr std::array<std::string_view, kDrawStyleCount> kStyleNames = {"drsTotalSizing",
                                                                       "drsTopLevelSizing",
                                                                       "drsDetailSizing",
                                                                       "drsFlugelFalzSizing",
                                                                       "drsColor",
                                                                       "drsSteelVisible",
                                                                       "drsMontageVisible",
                                                                       "drsAttachVisible",
                                                                       "drsFrameVisible",
                                                                       "drsFlugelVisible",
                                                                       "drsImpostVisible",
                                                                       "drsFlugelImpostVisible",
                                                                       "drsStulpVisible",
                                                                       "drsFalshVisible",
                                                                       "drsSprossVisible",
                                                                       "drsGlassVisible",
                                                                       "drsFurnVisible",
                                                                       "drsMosquitoVisible",
                                                                       "drsFrameLineIDVisible",
                                                                       "drsFlugelLineIDVisible",
                                                                       "drsGlassLineIDVisible",
                                                                       "drsFrameIDVisible",
                                                                       "drsFlugelIDVisible",
                                                                       "drsImpostIDVisible",
                                                                       "drsFlugelImpostIDVisible",
                                                                       "drsStulpIDVisible",
                                                                       "drsFalshIDVisible",
                                                                       "drsSprossIDVisible",
                                                                       "drsFramePartIDVisible",
                                                                       "drsFlugelPartIDVisible",
                                                                       "drsFalshPartIDVisible",
                                                                       "drsSprossPartIDVisible",
                                                                       "drsGlassIDVisible",
                                                                       "drsStandAlone",
                                                                       "drsFrameDrawing",
                                                                       "drsImpostDrawing",
                                                                       "drsMosquitoDrawing",
                                                                       "drsGlassSizeVisible",
                                                                       "drsGlassArticleVisible",
                                                                       "drsIDFramed",
                                                                       "drsIDBold",
                                                                       "drsIDBrushClear",
                                                                       "drsCutSizing",
                                                                       "drsAnkerSizing"};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Tgx25DrawStyles::Tgx25DrawStyles(std::initializer_list<Tgx25DrawStyle> Members) {
  for (Tgx25DrawStyle style : Members) Include(style);
}

std::string Tgx25DrawStyles::Hex() const {
  std::string text;
  for (uint8_t byte : FBytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    text += digits;
  }
  return text;
}

Tgx25DrawStyles DragDrawStyles() {
  return {drsFrameVisible, drsFlugelVisible, drsImpostVisible, drsFlugelImpostVisible, drsStulpVisible,
          drsFalshVisible, drsSprossVisible, drsStandAlone,    drsFrameDrawing,        drsImpostDrawing};
}

std::string_view DrawStyleName(Tgx25DrawStyle Style) { return kStyleNames.at(Style); }

std::optional<Tgx25DrawStyle> DrawStyleByName(std::string_view Name) {
  for (size_t i = 0; i < kStyleNames.size(); ++i)
    if (kStyleNames[i] == Name) return static_cast<Tgx25DrawStyle>(i);
  return std::nullopt;
}

std::optional<Tgx25DrawStyles> DrawStylesFromHex(std::string_view Text) {
  Tgx25DrawStyles::TBytes bytes{};
  if (Text.size() != 2 * bytes.size()) return std::nullopt;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int high = HexDigit(Text[2 * i]);
    const int low = HexDigit(Text[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes[i] = static_cast<uint8_t>(high * 16 + low);
  }
  return Tgx25DrawStyles(bytes);
}

}  // namespace kv
