#pragma once
// The construction stream: a construction written to a value stream as a flat sequence of values,
// each object its fields in a fixed order and then those of its children. Order files embed it,
// backup copies and copies of a construction go through it. Reading follows the stream's format
// date: fields added later are read only from streams at least that new.
#include <cstdint>
#include <optional>
#include <string>

#include "shell/value_stream.h"
#include "shell/versions.h"

namespace kv {

class Tgx25Construction;
class TAbstractFrame;
class Tgx25Line;
class Tgx25SimplePoint;

// The layout that writers always produce.
inline constexpr const char* kConstructionStreamVersion = "23.04.2012";
// From this date on references are Kind x 1000000 + ListIndex x 1000 + ItemIndex; before it
// Kind x 10000 + ListIndex x 100 + ItemIndex.
inline constexpr TFormatDate kWideRefsDate = "16.02.2011";

// When on, every identifier read from a stream is replaced by a new random one (a copy must not
// share bar codes with its original). Off unless a copy asks for it; kept in the current session
// context.
bool& _GXGenNewBarCode();

// Turns the switch on for its lifetime.
class TGenNewBarCodeScope {
public:
  TGenNewBarCodeScope() : previous_(_GXGenNewBarCode()) { _GXGenNewBarCode() = true; }
  ~TGenNewBarCodeScope() { _GXGenNewBarCode() = previous_; }
  TGenNewBarCodeScope(const TGenNewBarCodeScope&) = delete;
  TGenNewBarCodeScope& operator=(const TGenNewBarCodeScope&) = delete;

private:
  bool previous_;
};

// What a reference of the stream names inside a frame-like element.
enum TRefKind : int32_t {
  rkLinePoint = 0,    // a point in the Points of side ListIndex (a line: the side itself)
  rkImpostPoint = 1,  // a point in the Points of bar ListIndex (a line: the bar itself)
  rkCorner = 2        // corner ItemIndex of the element
};

struct TStreamRef {
  TRefKind Kind = rkLinePoint;
  int32_t ListIndex = 0;
  int32_t ItemIndex = 0;
  friend bool operator==(const TStreamRef&, const TStreamRef&) = default;
};

// The stored value of a reference (Wide: the encoding from kWideRefsDate on); nullopt when an
// index does not fit.
std::optional<int32_t> EncodeStreamRef(const TStreamRef& Ref, bool Wide = true);
// A stored value decoded; Wide: the encoding from kWideRefsDate on. nullopt for a negative value.
std::optional<TStreamRef> DecodeStreamRef(int32_t Value, bool Wide);

// The reference of a point of Element: a point on one of its sides or bars, or (when Corners) one
// of its corners; nullopt when the point is none of these.
std::optional<TStreamRef> PointStreamRef(const TAbstractFrame& Element, const Tgx25SimplePoint* Point, bool Corners);
// The reference of a side (kind 0) or bar (kind 1) of Element; nullopt when it is neither.
std::optional<TStreamRef> LineStreamRef(const TAbstractFrame& Element, const Tgx25Line* Line);
// What the reference names in Element, nullptr when nothing.
Tgx25SimplePoint* ResolvePointRef(const TAbstractFrame& Element, const TStreamRef& Ref, bool Corners);
Tgx25Line* ResolveLineRef(const TAbstractFrame& Element, const TStreamRef& Ref);

class Tgx25Glass;

// The record of one glass (order files keep their glass items with it).
void SaveGlassRecord(const Tgx25Glass& Glass, TSpecStream& Stream,
                     const std::string& Version = kConstructionStreamVersion);
void LoadGlassRecord(Tgx25Glass& Glass, TSpecStream& Stream, const std::string& Version);

// Writes the construction in the layout of Version: the current one unless a test of the readers
// asks for an older one.
void SaveConstruction(const Tgx25Construction& Construction, TSpecStream& Stream,
                      const std::string& Version = kConstructionStreamVersion);
// Reads a construction written with the format date Version (empty: the current layout) into
// Construction, whose frames and lists are cleared first. Failures raise the program's errors.
void LoadConstruction(Tgx25Construction& Construction, TSpecStream& Stream, const std::string& Version);

}  // namespace kv
