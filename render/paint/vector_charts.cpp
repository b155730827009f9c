#include "paint/vector_charts.h"

#include <QImage>
#include <memory>

#include "charts/chart_area.h"
#include "charts/chart_look.h"
#include "charts/clean_map_chart.h"
#include "charts/spectrum_chart.h"
#include "charts/spectrum_layout.h"
#include "paint/clean_map_image.h"
#include "raster/painter_surface.h"

namespace quorvel {

namespace {

class VectorChart {
  public:
    VectorChart(QPainter& painter, int width, int height, Theme theme)
        : painter_(MakePainterSurface(painter, width, height)),
          looked_(*painter_, {.theme = theme}, width, height) {}

    /// A vector device starts empty, where most charts expect a surface that starts black.
    void FillGround(int width, int height) {
        looked_.surface().PatBlt(0, 0, width, height, RasterOp::kBlackness);
    }

    DrawingSurface& surface() { return looked_.surface(); }

  private:
    std::unique_ptr<DrawingSurface> painter_;
    ChartLookSurface looked_;
};

}  // namespace

void PaintChartAreaOn(QPainter& painter, const PlanFields& plan, int width, int height,
                      MarkerPoint marker, Theme theme) {
    VectorChart chart(painter, width, height, theme);
    chart.FillGround(width, height);
    PaintChartArea(chart.surface(), plan, width, height, marker);
}

void PaintSpectrumOn(QPainter& painter, const PlanFields& plan, const SpurModel& model, int width,
                     int height, Theme theme) {
    PaintSpectrumOn(painter, LayOutSpectrum(plan, model, width, height), nullptr, theme);
}

void PaintSpectrumOn(QPainter& painter, const SpectrumLayout& layout,
                     const MeasuredOverlay* measured, Theme theme) {
    VectorChart chart(painter, layout.width, layout.height, theme);
    chart.FillGround(layout.width, layout.height);
    DrawSpectrumChart(chart.surface(), layout, measured);
}

FinderStatus PaintCleanMapOn(QPainter& painter, const PlanFields& plan, const CleanMapView& view,
                             int width, int height, Theme theme) {
    const CleanMapGeometry geometry = LayOutCleanMap(view, width, height);
    FinderStatus status = FinderStatus::kOk;
    if (geometry.HasBody()) {
        QImage body(geometry.bodyWidth(), geometry.bodyHeight(), QImage::Format_RGB32);
        status = FillCleanMapBody(plan, view, body, theme);
        if (status == FinderStatus::kOk) {
            painter.drawImage(QPoint(geometry.body.left, geometry.body.top), body);
        }
    }
    // The map covers every pixel itself: the body is on the device already, or the chart
    // greys it and says why, and the margins are filled around it.
    VectorChart chart(painter, width, height, theme);
    DrawCleanMapChart(chart.surface(), plan, geometry, {{}, status});
    if (status == FinderStatus::kOk) {
        DrawCleanMapMark(chart.surface(), plan, geometry);
    }
    return status;
}

}  // namespace quorvel
