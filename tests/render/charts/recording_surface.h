// A drawing surface that draws nothing and records every operation with the pen, brush,
// font, colours and alignment in force, so a test states exactly what a chart drew.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "surface/drawing_objects.h"
#include "surface/drawing_surface.h"

namespace quorvel::test {

enum class OpKind {
    kCreatePen,
    kCreateBrush,
    kCreateFont,
    kSelect,
    kDelete,
    kSetBkColor,
    kSetTextColor,
    kSetTextAlign,
    kTextOut,
    kMoveTo,
    kLine,
    kRectangle,
    kPatBlt,
    kFillSpan,
    kDrawText,
    kSmoothCircle,
};

struct RecordedOp {
    OpKind kind{};
    ObjectHandle handle = 0;  ///< created, selected or deleted object
    /// line from-to, rectangle corners, blit x y w h, span y x0 x1, text box corners, circle
    /// centre and radius rounded down
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
    ColorRef colour = 0;  ///< the colour set or filled
    unsigned format = 0;  ///< DrawText's layout
    unsigned align = 0;   ///< the alignment in force (or set)
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    ColorRef textColour = 0;
    ColorRef bkColour = 0;
    bool usesReleasedObject = false;  ///< drew with a pen, brush or font already released
};

struct Line {
    int x1, y1, x2, y2;
    friend bool operator==(const Line&, const Line&) = default;
};
std::ostream& operator<<(std::ostream& out, const Line& line);

struct Text {
    int x, y;
    std::string text;
    friend bool operator==(const Text&, const Text&) = default;
};
std::ostream& operator<<(std::ostream& out, const Text& text);

inline constexpr int kRecordedLineHeight = 15;
/// Every character of a TextOut cell is this wide, whatever the font.
inline constexpr int kRecordedCharWidth = 7;

class RecordingSurface final : public DrawingSurface {
  public:
    ObjectHandle CreatePen(PenStyle style, int width, ColorRef colour) override;
    ObjectHandle CreateHatchBrush(ColorRef colour) override;
    ObjectHandle CreateSolidBrush(ColorRef colour) override;
    ObjectHandle CreateFont(int height, int escapement) override;
    void SelectObject(ObjectHandle object) override;
    void DeleteObject(ObjectHandle object) override;
    void SetBkColor(ColorRef colour) override;
    void SetTextColor(ColorRef colour) override;
    void SetTextAlign(unsigned align) override;
    void TextOut(int x, int y, std::string_view text) override;
    /// kRecordedCharWidth a character.
    int TextWidth(std::string_view text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;
    void FillSpan(int y, int x0, int x1, ColorRef colour) override;
    void DrawText(const PixelRect& box, unsigned format, std::string_view text) override;
    /// kRecordedLineHeight, whatever the platform's font.
    int TextLineHeight() override;
    void SmoothCircle(double x, double y, double radius) override;

    const std::vector<RecordedOp>& ops() const { return ops_; }
    /// The drawing operations of one kind, in order.
    std::vector<RecordedOp> OpsOf(OpKind kind) const;
    /// The lines drawn with a pen of this colour, in order.
    std::vector<Line> LinesIn(ColorRef colour) const;
    /// Lines drawn with a pen of this colour and style, in order.
    std::vector<Line> LinesWith(PenStyle style, ColorRef colour) const;
    /// Texts written with a font of this cell height, in order.
    std::vector<Text> TextsIn(int fontHeight) const;
    int liveObjects() const { return objects_.liveCount(); }
    bool drewWithReleasedObject() const;

  private:
    RecordedOp WithState(OpKind kind) const;
    /// Appends an operation with the state in force and the given coordinates.
    RecordedOp& Record(OpKind kind, int x1 = 0, int y1 = 0, int x2 = 0, int y2 = 0);
    bool Released(ObjectHandle handle) const;

    DrawingObjectTable objects_;
    std::vector<RecordedOp> ops_;
    ObjectHandle selectedPen_ = 0;
    ObjectHandle selectedBrush_ = 0;
    ObjectHandle selectedFont_ = 0;
    ColorRef textColour_ = kBlack;
    ColorRef bkColour_ = kWhite;
    unsigned align_ = 0;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace quorvel::test
