// The colours a chart is shown in. The charts draw in the window's palette (light lines and
// text on black); a report wants them on white paper. A theme maps every colour a chart asks
// for on its way to the surface, so no chart knows about themes.
#pragma once

#include <array>
#include <utility>

#include "surface/drawing_surface.h"

namespace quorvel {

enum class Theme {
    kDark,   ///< the window's palette, as the charts ask for it
    kLight,  ///< white ground, dark lines and text
};

/// The themes by the names the command line gives them.
inline constexpr std::array<std::pair<Theme, const char*>, 2> kThemeNames{
    {{Theme::kDark, "dark"}, {Theme::kLight, "light"}}};

/// The colour the theme shows for a chart colour. The dark theme leaves every colour as it
/// is. The light one turns the greys over (black ground to white, light text to dark) but
/// for white, which stays paper, and keeps the hue of every other colour, darkening those too
/// light to read on white, so that colours told apart on black stay apart on white.
ColorRef ThemeColour(Theme theme, ColorRef colour);

/// A surface that hands everything to `inner`, every colour through ThemeColour, but for the
/// text of a cell whose colour the theme keeps (a white readout keeps its black text). The
/// charts draw on a surface that starts all black and fill with black (PatBlt): the themed
/// ground is `inner` filled in the theme's black, width x height pixels, which FillGround
/// does and every block fill is cut to.
class ThemedSurface final : public DrawingSurface {
  public:
    ThemedSurface(DrawingSurface& inner, Theme theme, int width, int height);
    ~ThemedSurface() override;
    ThemedSurface(const ThemedSurface&) = delete;
    ThemedSurface& operator=(const ThemedSurface&) = delete;

    /// The whole surface in the theme's black: what "starts all black" means here.
    void FillGround();

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
    int TextWidth(std::string_view text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void PatBlt(int x, int y, int width, int height, RasterOp op) override;
    void FillSpan(int y, int x0, int x1, ColorRef colour) override;
    void DrawText(const PixelRect& box, unsigned format, std::string_view text) override;
    int TextLineHeight() override;
    void SmoothCircle(double x, double y, double radius) override;

  private:
    ColorRef Map(ColorRef colour) const { return ThemeColour(theme_, colour); }
    ColorRef CellTextColour() const;
    void UseTextColour(ColorRef colour);

    DrawingSurface& inner_;
    const Theme theme_;
    const int width_;
    const int height_;
    // A new surface's pen and brush are black and white; the inner surface's would show
    // untouched.
    ObjectHandle startPen_ = 0;
    ObjectHandle startBrush_ = 0;
    ColorRef background_ = kWhite;  // as the chart set them
    ColorRef textColour_ = kBlack;
    ColorRef innerText_ = 0;  // the inner surface's, as last set
};

}  // namespace quorvel
