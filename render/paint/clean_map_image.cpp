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
#include "scaled_image.h"

namespace quorvel {

namespace {

// The body's rows, worked out on every core and each drawn at once, its codes still fresh,
// as runs of one code: the arithmetic and the scanning are the cost, the drawing a small
// part of it. Every thread takes the next row no one has taken and draws it on a surface of
// its own over the image's pixels; no two rows share a pixel. So a thread that comes late,
// the caller's after drawing the frame, takes fewer rows, and all end together.
//
// The reason a refused map gives is the one of rows dealt out in turn to a fixed number of
// lanes, each lane stopping at its first refusal (row y in lane y mod lanes), whoever works
// the rows out: a row of a lane past that lane's first refusal is not worked out.
class BodyRows {
  public:
    BodyRows(const PlanFields& plan, const CleanMapGeometry& geometry, QImage& image,
             const ChartLook& look)
        : map_(plan, geometry.view),
          geometry_(geometry),
          look_(look),
          rows_(geometry.bodyHeight()),
          lanes_(static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u,
                                             static_cast<unsigned>(std::max(rows_, 1))))),
          bits_(image.bits()),
          width_(image.width()),
          height_(image.height()),
          bytesPerLine_(image.bytesPerLine()),
          statuses_(static_cast<std::size_t>(rows_), FinderStatus::kOk),
          firstRefused_(static_cast<std::size_t>(lanes_)) {
        for (auto& first : firstRefused_) {
            first.store(rows_, std::memory_order_relaxed);
        }
    }
    BodyRows(const BodyRows&) = delete;
    BodyRows& operator=(const BodyRows&) = delete;
    ~BodyRows() { JoinHelpers(); }

    /// Sets a thread to work on the rows for every lane but one.
    void StartHelpers() {
        for (int t = 1; t < lanes_; ++t) {
            helpers_.emplace_back([this] { Work(); });
        }
    }

    /// Works rows on the calling thread until every row is taken, waits for the helpers, and
    /// says whether the map was refused and why.
    FinderStatus Finish() {
        Work();
        JoinHelpers();
        // A row too wide on its own calls for narrower ranges whatever the size: that
        // reason wins over another lane's size.
        FinderStatus status = FinderStatus::kOk;
        for (const auto& first : firstRefused_) {
            const int y = first.load(std::memory_order_relaxed);
            if (y >= rows_) {
                continue;
            }
            const FinderStatus refused = statuses_[static_cast<std::size_t>(y)];
            if (refused != FinderStatus::kTooLargeAtThisSize) {
                return refused;
            }
            status = refused;
        }
        return status;
    }

  private:
    void Work() {
        QImage image(bits_, width_, height_, bytesPerLine_, QImage::Format_RGB32);
        const std::unique_ptr<DrawingSurface> raster = MakeRasterSurface(image);
        ChartLookSurface looked(*raster, look_, geometry_.width, geometry_.height);
        DrawingSurface& surface = looked.surface();
        CleanMapRowScratch scratch;
        std::vector<MapCode> row(static_cast<std::size_t>(geometry_.bodyWidth()));
        CleanMapRowRuns runs;
        for (int y = next_.fetch_add(1, std::memory_order_relaxed); y < rows_;
             y = next_.fetch_add(1, std::memory_order_relaxed)) {
            std::atomic<int>& laneRefused = firstRefused_[static_cast<std::size_t>(y % lanes_)];
            if (y > laneRefused.load(std::memory_order_relaxed)) {
                continue;
            }
            const FinderStatus status =
                CleanMapRow(map_, RowIf(map_.view, rows_, y), rows_, scratch, row);
            if (status != FinderStatus::kOk) {
                statuses_[static_cast<std::size_t>(y)] = status;
                int first = laneRefused.load(std::memory_order_relaxed);
                while (y < first &&
                       !laneRefused.compare_exchange_weak(first, y, std::memory_order_relaxed)) {
                }
                continue;
            }
            runs.clear();
            AppendCleanMapRuns(row, runs);
            DrawCleanMapRow(surface, geometry_, y, runs);
        }
    }

    void JoinHelpers() {
        for (auto& helper : helpers_) {
            helper.join();
        }
        helpers_.clear();
    }

    const CleanMapRowSetup map_;
    const CleanMapGeometry& geometry_;
    const ChartLook look_;
    const int rows_;
    const int lanes_;
    uchar* const bits_;  // the whole image's
    const int width_;
    const int height_;
    const qsizetype bytesPerLine_;
    // [y]: row y's refusal, written by the thread that worked it out, read once all are done.
    std::vector<FinderStatus> statuses_;
    std::vector<std::atomic<int>> firstRefused_;  // [lane]: its first refused row, or rows_
    std::atomic<int> next_{0};
    std::vector<std::thread> helpers_;
};

// Every pixel of the map but the mark's: the image's old content never shows.
FinderStatus DrawMap(const PlanFields& plan, const CleanMapGeometry& geometry,
                     const ChartLook& look, QImage& image) {
    const std::unique_ptr<DrawingSurface> raster = MakeRasterSurface(image);
    ChartLookSurface looked(*raster, look, geometry.width, geometry.height);
    DrawingSurface* const surface = &looked.surface();
    if (!geometry.HasBody()) {
        DrawCleanMapChart(*surface, plan, geometry, {});
        return FinderStatus::kOk;
    }
    const bool frameBeside = CleanMapFrameClearsBody(geometry, surface->TextLineHeight());
    BodyRows rows(plan, geometry, image, look);
    rows.StartHelpers();
    if (frameBeside) {
        // The frame costs about what a tenth of the rows do: drawn while the helpers start
        // on them.
        DrawCleanMapFrame(*surface, plan, geometry);
        const FinderStatus status = rows.Finish();
        if (status != FinderStatus::kOk) {
            DrawCleanMapRefusal(*surface, geometry, status);
        }
        return status;
    }
    const FinderStatus status = rows.Finish();
    // The body's rows are drawn already.
    DrawCleanMapChart(*surface, plan, geometry, {{}, status});
    return status;
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
    // The converter model changes what every pixel shows, as the bands and margin do.
    return a.fsRange == b.fsRange && a.ifRange == b.ifRange && a.query.against == b.query.against &&
           a.query.margin == b.query.margin && a.query.model == b.query.model;
}

// `at` in device pixels.
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

FinderStatus FillCleanMapBody(const PlanFields& plan, const CleanMapView& view, QImage& body,
                              Theme theme) {
    if (body.isNull()) {
        return FinderStatus::kOk;
    }
    const CleanMapGeometry whole{
        view, body.width(), body.height(), {0, 0, body.width(), body.height()}};
    BodyRows rows(plan, whole, body, {.theme = theme});
    rows.StartHelpers();
    const FinderStatus status = rows.Finish();
    if (status != FinderStatus::kOk) {
        body.fill(MapPixel(ThemeColour(theme, MapCodeColour(kMapUnsampled))));
    }
    return status;
}

CleanMapImage ComposeCleanMapFrame(const PlanFields& plan, const CleanMapView& view, int width,
                                   int height, const ChartLook& look) {
    CleanMapImage out;
    out.look = look;
    if (!FitsAtScale(width, height, look.scale)) {
        return out;
    }
    const int scale = std::clamp(look.scale, 1, kMostChartScale);
    out.image = QImage(width * scale, height * scale, QImage::Format_RGB32);
    ScaleImageFonts(out.image, scale);
    out.status = DrawMap(plan, LayOutCleanMap(view, width, height), look, out.image);
    FinishScaledChartImage(out.image, scale);
    return out;
}

std::optional<CleanMapMarkPatch> ComposeCleanMapMark(const CleanMapImage& frame,
                                                     const PlanFields& plan,
                                                     const CleanMapView& view) {
    if (frame.image.isNull() || frame.status != FinderStatus::kOk) {
        return std::nullopt;
    }
    const int scale = std::clamp(frame.look.scale, 1, kMostChartScale);
    const QRect map(0, 0, frame.image.width() / scale, frame.image.height() / scale);
    const CleanMapGeometry geometry = LayOutCleanMap(view, map.width(), map.height());
    const auto centre = geometry.PlaceOnBody(plan.m_fs, plan.m_if);
    if (!centre) {
        return std::nullopt;
    }
    const QRect reach(TruncToInt(std::floor(centre->x)) - kCleanMapMarkReach,
                      TruncToInt(std::floor(centre->y)) - kCleanMapMarkReach,
                      2 * kCleanMapMarkReach + 1, 2 * kCleanMapMarkReach + 1);
    const QRect area = reach.intersected(map);
    CleanMapMarkPatch patch{frame.image.copy(area.x() * scale, area.y() * scale,
                                             area.width() * scale, area.height() * scale),
                            area.topLeft()};
    // Drawn at one device pixel to the pixel, as the frame was.
    patch.image.setDevicePixelRatio(1);
    {
        const std::unique_ptr<DrawingSurface> raster = MakeRasterSurface(patch.image);
        ChartLookSurface looked(*raster, frame.look, area.width(), area.height());
        DrawCleanMapMark(looked.surface(), plan, geometry, {-area.left(), -area.top()});
    }
    FinishScaledChartImage(patch.image, scale);
    return patch;
}

CleanMapImage ComposeCleanMap(const PlanFields& plan, const CleanMapView& view, int width,
                              int height, const ChartLook& look) {
    CleanMapImage map = ComposeCleanMapFrame(plan, view, width, height, look);
    if (const auto mark = ComposeCleanMapMark(map, plan, view)) {
        const int scale = std::clamp(look.scale, 1, kMostChartScale);
        CopyPatch(mark->image, mark->at * scale, map.image);
    }
    return map;
}

const CleanMapImage& CleanMapCache::Frame(const PlanFields& plan, const CleanMapView& view,
                                          int width, int height, const ChartLook& look) {
    const PlanFields key = FramePlan(plan);
    const int scale = std::clamp(look.scale, 1, kMostChartScale);
    const bool same = valid_ && key == plan_ && SameFrameView(view, view_) && frame_.look == look &&
                      frame_.image.size() == QSize(width * scale, height * scale);
    if (!same) {
        frame_ = ComposeCleanMapFrame(plan, view, width, height, look);
        plan_ = key;
        view_ = view;
        valid_ = true;
        ++composeCount_;
    }
    return frame_;
}

}  // namespace quorvel
