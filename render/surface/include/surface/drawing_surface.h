// The drawing operations the charts are built from, with the semantics of a classic 2-D
// device context: objects made and selected by handle, lines without their end point,
// rectangles without their right and bottom edges, opaque text cells.
#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel {

/// A colour as 0x00BBGGRR.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;

enum class PenStyle { kSolid, kDot };
enum class BrushStyle { kSolid, kBackwardDiagonalHatch };

struct PenSpec {
    PenStyle style = PenStyle::kSolid;
    int width = 1;
    ColorRef colour = kBlack;
    friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

struct BrushSpec {
    BrushStyle style = BrushStyle::kSolid;
    ColorRef colour = kWhite;
    friend bool operator==(const BrushSpec&, const BrushSpec&) = default;
};

/// Face "Arial", normal weight, upright. `height` is the cell height in pixels (ascent plus
/// descent); `escapement` in tenths of a degree, counter-clockwise (900 reads bottom to top).
struct FontSpec {
    int height = 16;
    int escapement = 0;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

/// Block fills: black is the only one the charts use.
enum class RasterOp { kBlackness };

/// A drawing object made by a surface; 0 is no object.
using ObjectHandle = std::uint32_t;

/// Text alignment flags: left and top are the unset bits.
inline constexpr unsigned kAlignLeft = 0;
inline constexpr unsigned kAlignTop = 0;
inline constexpr unsigned kAlignRight = 2;
inline constexpr unsigned kAlignCenter = 6;
inline constexpr unsigned kAlignBottom = 8;

/// DrawText layout flags: left and top are the unset bits.
inline constexpr unsigned kTextLeft = 0;
inline constexpr unsigned kTextTop = 0;
inline constexpr unsigned kTextRight = 1;
inline constexpr unsigned kTextHCentre = 2;
inline constexpr unsigned kTextVCentre = 4;
inline constexpr unsigned kTextWordBreak = 8;
/// Turned a quarter counter-clockwise about the box's centre, reading bottom to top.
inline constexpr unsigned kTextUpward = 16;

/// Four signed pixel coordinates; right and bottom are excluded where a fill is meant.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// A surface the charts draw on. Coordinates are pixels, origin top left, y downward;
/// whatever falls outside is clipped. A new surface holds a solid black pen, a solid white
/// brush, a 16-pixel font, white background, black text, left-top alignment, and the
/// current position (0, 0).
class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    virtual ObjectHandle CreatePen(PenStyle style, int width, ColorRef colour) = 0;
    /// A backward-diagonal ('/') hatch brush.
    virtual ObjectHandle CreateHatchBrush(ColorRef colour) = 0;
    virtual ObjectHandle CreateSolidBrush(ColorRef colour) = 0;
    virtual ObjectHandle CreateFont(int height, int escapement) = 0;
    /// Makes the object the surface's pen, brush or font. An unknown or released handle
    /// changes nothing.
    virtual void SelectObject(ObjectHandle object) = 0;
    /// Releases the object. A selected object may be released: the surface keeps drawing
    /// with it until another object of its kind is selected.
    virtual void DeleteObject(ObjectHandle object) = 0;

    /// The colour of text cells, hatch gaps and dot gaps (the background is always opaque).
    virtual void SetBkColor(ColorRef colour) = 0;
    virtual void SetTextColor(ColorRef colour) = 0;
    /// kAlignLeft/kAlignRight/kAlignCenter or-ed with kAlignTop/kAlignBottom.
    virtual void SetTextAlign(unsigned align) = 0;
    /// Writes Latin-1 text in an opaque cell placed at (x, y) by the text alignment, in the
    /// direction of the font's escapement.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    /// The width in pixels of the cell TextOut writes for `text` in the selected font, so
    /// that a chart can keep its texts apart.
    virtual int TextWidth(std::string_view text) = 0;

    virtual void MoveTo(int x, int y) = 0;
    /// A line from the current position up to, not including, (x, y), which becomes the
    /// current position.
    virtual void LineTo(int x, int y) = 0;
    /// Pen outline and brush interior of the rectangle with its right and bottom edges
    /// excluded; the corners may come in either order.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    /// Fills the area (x, y, width, height) by the raster operation, ignoring the pen.
    virtual void PatBlt(int x, int y, int width, int height, RasterOp op) = 0;
    /// Pixels x0 to x1 - 1 of row y in `colour`, pen and brush ignored; nothing unless
    /// x0 < x1. Rows of many colours are filled run by run.
    virtual void FillSpan(int y, int x0, int x1, ColorRef colour) = 0;

    /// Text laid out in `box` (right and bottom excluded) by the kText flags, in the
    /// platform's user-interface font and the text colour, straight onto what lies beneath:
    /// no cell, no background. It may spill out of the box. The selected font is not used.
    virtual void DrawText(const PixelRect& box, unsigned format, std::string_view text) = 0;
    /// The height of one line of DrawText.
    virtual int TextLineHeight() = 0;
    /// An antialiased circle of `radius` around (x, y), a point between pixels where it
    /// falls, outlined with the pen at its full width; the inside is left as it is.
    virtual void SmoothCircle(double x, double y, double radius) = 0;
};

}  // namespace quorvel
