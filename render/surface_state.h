// What every drawing surface keeps between operations: the objects it has made with the
// pen, brush and font selected, the background and text colours, and the text alignment.
#pragma once

#include "render/drawing_objects.h"
#include "render/drawing_surface.h"
#include "render/text_cell.h"

namespace quorvel {

class SurfaceState : public DrawingSurface {
  public:
    ObjectHandle CreatePen(PenStyle style, int width, ColorRef colour) override {
        return objects_.Add(PenSpec{style, width, colour});
    }
    ObjectHandle CreateHatchBrush(ColorRef colour) override {
        return objects_.Add(BrushSpec{BrushStyle::kBackwardDiagonalHatch, colour});
    }
    ObjectHandle CreateFont(int height, int escapement) override {
        return objects_.Add(FontSpec{height, escapement});
    }
    void SelectObject(ObjectHandle object) override { objects_.Select(object); }
    void DeleteObject(ObjectHandle object) override { objects_.Release(object); }
    void SetBkColor(ColorRef colour) override { background_ = colour; }
    void SetTextColor(ColorRef colour) override { textColour_ = colour; }
    void SetTextAlign(unsigned align) override { textAlign_ = align; }

  protected:
    TextState CurrentTextState() const {
        return TextState{objects_.font(), textAlign_, background_, textColour_};
    }

    DrawingObjectTable objects_;
    ColorRef background_ = kWhite;
    ColorRef textColour_ = kBlack;
    unsigned textAlign_ = kAlignLeft | kAlignTop;
};

}  // namespace quorvel
