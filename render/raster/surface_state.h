// What every drawing surface keeps between operations: the objects it has made with the
// pen, brush and font selected, the background and text colours, the text alignment and
// the current position.
#pragma once

#include "surface/drawing_objects.h"
#include "surface/drawing_surface.h"
#include "text_cell.h"
#include "text_cell_cache.h"

namespace quorvel {

class SurfaceState : public DrawingSurface {
  public:
    ObjectHandle CreatePen(PenStyle style, int width, ColorRef colour) override {
        return objects_.Add(PenSpec{style, width, colour});
    }
    ObjectHandle CreateHatchBrush(ColorRef colour) override {
        return objects_.Add(BrushSpec{BrushStyle::kBackwardDiagonalHatch, colour});
    }
    ObjectHandle CreateSolidBrush(ColorRef colour) override {
        return objects_.Add(BrushSpec{BrushStyle::kSolid, colour});
    }
    ObjectHandle CreateFont(int height, int escapement) override {
        return objects_.Add(FontSpec{height, escapement});
    }
    void SelectObject(ObjectHandle object) override { objects_.Select(object); }
    void DeleteObject(ObjectHandle object) override { objects_.Release(object); }
    void SetBkColor(ColorRef colour) override { background_ = colour; }
    void SetTextColor(ColorRef colour) override { textColour_ = colour; }
    void SetTextAlign(unsigned align) override { textAlign_ = align; }
    int TextWidth(std::string_view text) override {
        return CachedTextAdvance(text, CurrentTextState());
    }
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void LineTo(int x, int y) override {
        DrawSegment(x_, y_, x, y);
        x_ = x;
        y_ = y;
    }

  protected:
    /// One line from the current position, leaving out its end point.
    virtual void DrawSegment(int x1, int y1, int x2, int y2) = 0;

    TextState CurrentTextState() const {
        return TextState{objects_.font(), textAlign_, background_, textColour_};
    }

    DrawingObjectTable objects_;
    ColorRef background_ = kWhite;
    ColorRef textColour_ = kBlack;
    unsigned textAlign_ = kAlignLeft | kAlignTop;

  private:
    int x_ = 0;
    int y_ = 0;
};

}  // namespace quorvel
