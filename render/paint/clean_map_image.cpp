#include "paint/clean_map_image.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "charts/clean_map_chart.h"
#include "paint/paint_cycle.h"
#include "plan/slider_rules.h"
#include "plan/truncate.h"
#include "raster/raster_surface.h"

namespace quorvel {

namespace {

// The rows are worked out on every core, each thread drawing every row it works out at
// once, its codes still fresh, as runs of one code: the arithmetic and the scanning are the
// cost, the drawing a small part of it. A thread draws on a surface of its own over the
// image's pixels; no two threads' rows share a pixel, and nothing else draws meanwhile.
struct BodyTarget {
    uchar* bits = nullptr;  // the whole image's
    int width = 0;
    int height = 0;
    qsizetype bytesPerLine = 0;
    const CleanMapGeometry* geometry = nullptr;
};

void DrawRows(const CleanMapRowSetup& map, const BodyTarget& target, int first, int step,
              std::atomic<int>& refusal) {
    QImage image(target.bits, target.width, target.height, target.bytesPerLine,
                 QImage::Format_RGB32);
    const std::unique_ptr<DrawingSurface> surface = MakeRasterSurface(image);
    const CleanMapGeometry& geometry = *target.geometry;
    const int rows = geometry.bodyHeight();
    CleanMapRowScratch scratch;
    std::vector<MapCode> row(static_cast<std::size_t>(geometry.bodyWidth()));
    CleanMapRowRuns runs;
    for (int y = first; y < rows; y += step) {
        const FinderStatus status = CleanMapRow(map, RowIf(map.view, rows, y), rows, scratch, row);
        if (status != FinderStatus::kOk) {
            // A row too wide on its own calls for narrower ranges whatever the size: that
            // reason wins over another thread's size.
            int none = static_cast<int>(FinderStatus::kOk);
            if (status != FinderStatus::kTooLargeAtThisSize) {
                refusal.store(static_cast<int>(status));
            } else {
                refusal.compare_exchange_strong(none, static_cast<int>(status));
            }
            return;
        }
        runs.clear();
        AppendCleanMapRuns(row, runs);
        DrawCleanMapRow(*surface, geometry, y, runs);
    }
}

// Draws the body's rows on `image` where `geometry` puts them. On any status but kOk
// what was drawn of the body is to be covered.
FinderStatus DrawBody(const PlanFields& plan, const CleanMapGeometry& geometry, QImage& image) {
    const CleanMapRowSetup map(plan, geometry.view);
    const BodyTarget target{image.bits(), image.width(), image.height(), image.bytesPerLine(),
                            &geometry};
    std::atomic<int> refusal{static_cast<int>(FinderStatus::kOk)};
    const int threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u,
                                                    static_cast<unsigned>(geometry.bodyHeight())));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        helpers.emplace_back([&, t] { DrawRows(map, target, t, threads, refusal); });
    }
    DrawRows(map, target, 0, threads, refusal);
    for (auto& helper : helpers) {
        helper.join();
    }
    return static_cast<FinderStatus>(refusal.load());
}

// What the frame is drawn from: the plan less what only the mark shows (its Fs and IF) and
// the slider variable. The body and frame read the widths, H and the view.
PlanFields FramePlan(const PlanFields& plan) {
    PlanFields key = plan;
    key.m_fs = 0;
    key.m_if = 0;
    key.m_sliderVariable = 0;
    ApplyHarmonicCap(key);
    return key;
}

bool SameFrameView(const CleanMapView& a, const CleanMapView& b) {
    return a.fsRange == b.fsRange && a.ifRange == b.ifRange && a.query.against == b.query.against &&
           a.query.margin == b.query.margin;
}

void CopyPatch(const QImage& patch, QPoint at, QImage& image) {
    const auto bytes = static_cast<std::size_t>(patch.width()) * sizeof(QRgb);
    for (int y = 0; y < patch.height(); ++y) {
        std::memcpy(image.scanLine(at.y() + y) + static_cast<std::size_t>(at.x()) * sizeof(QRgb),
                    patch.constScanLine(y), bytes);
    }
}

}  // namespace

QRgb MapPixel(ColorRef colour) {
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

FinderStatus FillCleanMapBody(const PlanFields& plan, const CleanMapView& view, QImage& body) {
    if (body.isNull()) {
        return FinderStatus::kOk;
    }
    const CleanMapGeometry whole{
        view, body.width(), body.height(), {0, 0, body.width(), body.height()}};
    const FinderStatus status = DrawBody(plan, whole, body);
    if (status != FinderStatus::kOk) {
        body.fill(MapPixel(MapCodeColour(kMapUnsampled)));
    }
    return status;
}

CleanMapImage ComposeCleanMapFrame(const PlanFields& plan, const CleanMapView& view, int width,
                                   int height) {
    CleanMapImage out;
    if (width < 1 || height < 1 || width > kLargestChartSide || height > kLargestChartSide) {
        return out;
    }
    out.image = QImage(width, height, QImage::Format_RGB32);
    const CleanMapGeometry geometry = LayOutCleanMap(view, width, height);
    if (geometry.HasBody()) {
        out.status = DrawBody(plan, geometry, out.image);
    }
    // Every pixel is drawn, the body's rows already: the image's old content never shows.
    DrawCleanMapChart(*MakeRasterSurface(out.image), plan, geometry, {{}, out.status});
    return out;
}

std::optional<CleanMapMarkPatch> ComposeCleanMapMark(const CleanMapImage& frame,
                                                     const PlanFields& plan,
                                                     const CleanMapView& view) {
    if (frame.image.isNull() || frame.status != FinderStatus::kOk) {
        return std::nullopt;
    }
    const CleanMapGeometry geometry =
        LayOutCleanMap(view, frame.image.width(), frame.image.height());
    const auto centre = geometry.PlaceOnBody(plan.m_fs, plan.m_if);
    if (!centre) {
        return std::nullopt;
    }
    const QRect reach(TruncToInt(std::floor(centre->x)) - kCleanMapMarkReach,
                      TruncToInt(std::floor(centre->y)) - kCleanMapMarkReach,
                      2 * kCleanMapMarkReach + 1, 2 * kCleanMapMarkReach + 1);
    const QRect area = reach.intersected(frame.image.rect());
    CleanMapMarkPatch patch{frame.image.copy(area), area.topLeft()};
    DrawCleanMapMark(*MakeRasterSurface(patch.image), plan, geometry, {-area.left(), -area.top()});
    return patch;
}

CleanMapImage ComposeCleanMap(const PlanFields& plan, const CleanMapView& view, int width,
                              int height) {
    CleanMapImage map = ComposeCleanMapFrame(plan, view, width, height);
    if (const auto mark = ComposeCleanMapMark(map, plan, view)) {
        CopyPatch(mark->image, mark->at, map.image);
    }
    return map;
}

const CleanMapImage& CleanMapCache::Frame(const PlanFields& plan, const CleanMapView& view,
                                          int width, int height) {
    const PlanFields key = FramePlan(plan);
    const bool same = valid_ && key == plan_ && SameFrameView(view, view_) &&
                      frame_.image.size() == QSize(width, height);
    if (!same) {
        frame_ = ComposeCleanMapFrame(plan, view, width, height);
        plan_ = key;
        view_ = view;
        valid_ = true;
        ++composeCount_;
    }
    return frame_;
}

}  // namespace quorvel
