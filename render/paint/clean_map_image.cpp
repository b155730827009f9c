#include "paint/clean_map_image.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "charts/clean_map_chart.h"
#include "paint/paint_cycle.h"
#include "plan/slider_rules.h"
#include "plan/truncate.h"
#include "raster/raster_surface.h"

namespace quorvel {

namespace {

// The rows are worked out on every core into runs of codes, which the chart then draws
// run by run: the arithmetic and the scanning are the cost, the drawing a small part of it.
struct BodyCodes {
    std::vector<CleanMapRowRuns> runs;
    int width = 0;
    int height = 0;
};

void CodeRows(const CleanMapRowSetup& map, BodyCodes& body, int first, int step,
              std::atomic<int>& refusal) {
    CleanMapRowScratch scratch;
    std::vector<MapCode> row(static_cast<std::size_t>(body.width));
    for (int y = first; y < body.height; y += step) {
        const FinderStatus status =
            CleanMapRow(map, RowIf(map.view, body.height, y), body.height, scratch, row);
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
        AppendCleanMapRuns(row, body.runs[static_cast<std::size_t>(y)]);
    }
}

FinderStatus CodeBody(const PlanFields& plan, const CleanMapView& view, BodyCodes& body) {
    body.runs.assign(static_cast<std::size_t>(body.height), {});
    const CleanMapRowSetup map(plan, view);
    std::atomic<int> refusal{static_cast<int>(FinderStatus::kOk)};
    const int threads = static_cast<int>(
        std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(body.height)));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        helpers.emplace_back([&, t] { CodeRows(map, body, t, threads, refusal); });
    }
    CodeRows(map, body, 0, threads, refusal);
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
    BodyCodes codes{{}, body.width(), body.height()};
    const FinderStatus status = CodeBody(plan, view, codes);
    if (status != FinderStatus::kOk) {
        body.fill(MapPixel(MapCodeColour(kMapUnsampled)));
        return status;
    }
    const CleanMapGeometry whole{
        view, body.width(), body.height(), {0, 0, body.width(), body.height()}};
    DrawCleanMapBody(*MakeRasterSurface(body), whole, codes.runs);
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
    BodyCodes codes{{}, geometry.bodyWidth(), geometry.bodyHeight()};
    if (geometry.HasBody()) {
        out.status = CodeBody(plan, view, codes);
    }
    // Every pixel is drawn: the image's old content never shows.
    DrawCleanMapChart(*MakeRasterSurface(out.image), plan, geometry, {codes.runs, out.status});
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
