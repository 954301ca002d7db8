#pragma once
// A canvas that records what the drawing pass paints, in device coordinates with the attributes of
// each call, for the tests.
#include <string>
#include <vector>

#include "design/canvas.h"

namespace kv::test {

struct TCanvasCall {
  enum TKind { Polygon, Polyline, Ellipse, TextOut } Kind;
  std::vector<TPoint> Points;
  TCanvasAttributes Attributes;
  std::string Text;
};

class TRecordingCanvas : public TCanvas {
public:
  std::vector<TCanvasCall> Calls;

  std::vector<TCanvasCall> OfKind(TCanvasCall::TKind Kind) const {
    std::vector<TCanvasCall> found;
    for (const TCanvasCall& call : Calls)
      if (call.Kind == Kind) found.push_back(call);
    return found;
  }
  bool HasText(const std::string& Text) const {
    for (const TCanvasCall& call : Calls)
      if (call.Kind == TCanvasCall::TextOut && call.Text == Text) return true;
    return false;
  }

protected:
  void PaintPolygon(std::span<const TPoint> Points) override { Record(TCanvasCall::Polygon, Points); }
  void PaintPolyline(std::span<const TPoint> Points) override { Record(TCanvasCall::Polyline, Points); }
  void PaintEllipse(const TPixelRect& Bounds) override {
    const TPoint corners[] = {{Bounds.Left, Bounds.Top}, {Bounds.Right, Bounds.Bottom}};
    Record(TCanvasCall::Ellipse, corners);
  }
  void PaintText(const TPoint& P, std::string_view Text) override {
    Record(TCanvasCall::TextOut, std::span(&P, 1));
    Calls.back().Text = std::string(Text);
  }

private:
  void Record(TCanvasCall::TKind Kind, std::span<const TPoint> Points) {
    Calls.push_back({Kind, {Points.begin(), Points.end()}, Attributes, {}});
  }
};

}  // namespace kv::test
