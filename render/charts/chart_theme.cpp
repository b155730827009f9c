#include "charts/chart_theme.h"

#include <algorithm>
#include <cstdint>

namespace quorvel {

namespace {

// Colours whose channels lie this close together read as greys: the ground, the grid, the
// text, and the dark green-grey shades under the spectrum's bands.
constexpr int kGreyChroma = 32;
// Luma in thousandths of a channel step (0.299 R + 0.587 G + 0.114 B, times 1000): below
// a quarter of white's, a colour reads well on white; above it, what lies beyond is
// compressed to a third, so that a lighter colour stays the lighter one.
constexpr int kRedWeight = 299;
constexpr int kGreenWeight = 587;
constexpr int kBlueWeight = 114;
constexpr int kReadableLuma = 255 * (kRedWeight + kGreenWeight + kBlueWeight) / 4;
constexpr int kBrightCompression = 3;

int Red(ColorRef c) {
    return static_cast<int>(c & 0xFFu);
}
int Green(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
int Blue(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}
ColorRef FromChannels(int r, int g, int b) {
    return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 |
           static_cast<ColorRef>(b) << 16;
}

ColorRef LightColour(ColorRef colour) {
    if (colour == kWhite) {
        // On black, white is what stands out as paper does: the readout's cell, the clean
        // ground of the map. On paper it is paper.
        return kWhite;
    }
    const int r = Red(colour);
    const int g = Green(colour);
    const int b = Blue(colour);
    const int hi = std::max({r, g, b});
    const int lo = std::min({r, g, b});
    if (hi - lo <= kGreyChroma) {
        // The lightness turned over with the hue and the spread of the channels kept: every
        // channel moves alike, so hi + lo becomes 510 - (hi + lo).
        const int shift = 255 - hi - lo;
        return FromChannels(r + shift, g + shift, b + shift);
    }
    const int luma = kRedWeight * r + kGreenWeight * g + kBlueWeight * b;
    if (luma <= kReadableLuma) {
        return colour;
    }
    // Towards black along the colour's own line, which keeps its hue and saturation.
    const int target = kReadableLuma + (luma - kReadableLuma) / kBrightCompression;
    const auto scale = [&](int c) { return c * target / luma; };
    return FromChannels(scale(r), scale(g), scale(b));
}

}  // namespace

ColorRef ThemeColour(Theme theme, ColorRef colour) {
    colour &= 0xFFFFFFu;
    return theme == Theme::kLight ? LightColour(colour) : colour;
}

ThemedSurface::ThemedSurface(DrawingSurface& inner, Theme theme, int width, int height)
    : inner_(inner), theme_(theme), width_(std::max(width, 0)), height_(std::max(height, 0)) {
    startPen_ = inner_.CreatePen(PenStyle::kSolid, 1, Map(kBlack));
    startBrush_ = inner_.CreateSolidBrush(Map(kWhite));
    inner_.SelectObject(startPen_);
    inner_.SelectObject(startBrush_);
    inner_.SetBkColor(Map(background_));
    innerText_ = CellTextColour();
    inner_.SetTextColor(innerText_);
}

ColorRef ThemedSurface::CellTextColour() const {
    return Map(background_) == background_ ? textColour_ : Map(textColour_);
}

void ThemedSurface::UseTextColour(ColorRef colour) {
    if (colour != innerText_) {
        innerText_ = colour;
        inner_.SetTextColor(colour);
    }
}

ThemedSurface::~ThemedSurface() {
    inner_.DeleteObject(startBrush_);
    inner_.DeleteObject(startPen_);
}

void ThemedSurface::FillGround() {
    PatBlt(0, 0, width_, height_, RasterOp::kBlackness);
}

ObjectHandle ThemedSurface::CreatePen(PenStyle style, int width, ColorRef colour) {
    return inner_.CreatePen(style, width, Map(colour));
}
ObjectHandle ThemedSurface::CreateHatchBrush(ColorRef colour) {
    return inner_.CreateHatchBrush(Map(colour));
}
ObjectHandle ThemedSurface::CreateSolidBrush(ColorRef colour) {
    return inner_.CreateSolidBrush(Map(colour));
}
ObjectHandle ThemedSurface::CreateFont(int height, int escapement) {
    return inner_.CreateFont(height, escapement);
}
void ThemedSurface::SelectObject(ObjectHandle object) {
    inner_.SelectObject(object);
}
void ThemedSurface::DeleteObject(ObjectHandle object) {
    inner_.DeleteObject(object);
}
void ThemedSurface::SetBkColor(ColorRef colour) {
    background_ = colour;
    inner_.SetBkColor(Map(colour));
}
void ThemedSurface::SetTextColor(ColorRef colour) {
    textColour_ = colour;
}
void ThemedSurface::SetTextAlign(unsigned align) {
    inner_.SetTextAlign(align);
}
void ThemedSurface::TextOut(int x, int y, std::string_view text) {
    UseTextColour(CellTextColour());
    inner_.TextOut(x, y, text);
}
int ThemedSurface::TextWidth(std::string_view text) {
    return inner_.TextWidth(text);
}
void ThemedSurface::MoveTo(int x, int y) {
    inner_.MoveTo(x, y);
}
void ThemedSurface::LineTo(int x, int y) {
    inner_.LineTo(x, y);
}
void ThemedSurface::Rectangle(int left, int top, int right, int bottom) {
    inner_.Rectangle(left, top, right, bottom);
}

void ThemedSurface::PatBlt(int x, int y, int width, int height, RasterOp op) {
    const ColorRef ground = Map(kBlack);
    if (ground == kBlack) {
        inner_.PatBlt(x, y, width, height, op);
        return;
    }
    // Block fills know only black: the themed one is a span a row, cut to the surface so
    // that a far-reaching fill costs no more than the surface's rows.
    const std::int64_t x0 = std::min<std::int64_t>(x, std::int64_t{x} + width);
    const std::int64_t x1 = std::max<std::int64_t>(x, std::int64_t{x} + width);
    const std::int64_t y0 = std::min<std::int64_t>(y, std::int64_t{y} + height);
    const std::int64_t y1 = std::max<std::int64_t>(y, std::int64_t{y} + height);
    const int left = static_cast<int>(std::clamp<std::int64_t>(x0, 0, width_));
    const int right = static_cast<int>(std::clamp<std::int64_t>(x1, 0, width_));
    const int top = static_cast<int>(std::clamp<std::int64_t>(y0, 0, height_));
    const int bottom = static_cast<int>(std::clamp<std::int64_t>(y1, 0, height_));
    for (int row = top; row < bottom && left < right; ++row) {
        inner_.FillSpan(row, left, right, ground);
    }
}

void ThemedSurface::FillSpan(int y, int x0, int x1, ColorRef colour) {
    inner_.FillSpan(y, x0, x1, Map(colour));
}
void ThemedSurface::DrawText(const PixelRect& box, unsigned format, std::string_view text) {
    UseTextColour(Map(textColour_));
    inner_.DrawText(box, format, text);
}
int ThemedSurface::TextLineHeight() {
    return inner_.TextLineHeight();
}
void ThemedSurface::SmoothCircle(double x, double y, double radius) {
    inner_.SmoothCircle(x, y, radius);
}

}  // namespace quorvel
