#include "paint/clean_map_image.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <optional>
#include <thread>
#include <vector>

#include "charts/plot_frame.h"
#include "paint/paint_cycle.h"
#include "plan/number_text.h"
#include "plan/slider_rules.h"

namespace quorvel {

namespace {

// The body is filled straight into the image's rows: a map holds thousands of spans per
// row, and handing each one through the drawing-surface interface as a rectangle would
// cost more than the whole arithmetic. The decorations are few and go through QPainter.

QColor ToQColor(ColorRef colour) {
    return QColor::fromRgb(MapPixel(colour));
}

// The image's rows as plain memory: QImage's own accessors bookkeep on every call, which
// the threads must not share.
struct BodyRows {
    uchar* bits = nullptr;
    qsizetype bytesPerLine = 0;
    int width = 0;
    int height = 0;
};

void FillRows(const PlanFields& plan, const CleanMapView& view, const BodyRows& body, int first,
              int step, std::atomic<int>& refusal) {
    const int width = body.width;
    std::array<QRgb, kMapCodeCount> lut{};
    for (int code = 0; code < kMapCodeCount; ++code) {
        lut[static_cast<std::size_t>(code)] = MapPixel(MapCodeColour(static_cast<MapCode>(code)));
    }
    CleanMapRowScratch scratch;
    std::vector<MapCode> codes(static_cast<std::size_t>(width));
    for (int y = first; y < body.height; y += step) {
        const FinderStatus status =
            CleanMapRow(plan, view, RowIf(view, body.height, y), body.height, scratch, codes);
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
        auto* line = reinterpret_cast<QRgb*>(body.bits + y * body.bytesPerLine);
        for (int x = 0; x < width; ++x) {
            line[x] = lut[codes[static_cast<std::size_t>(x)]];
        }
    }
}

// Ticks at 1, 2 or 5 times a power of ten, about one per `spacing` pixels.
double TickStep(double span, int pixels, int spacing) {
    const double rough = span / std::max(1, pixels / spacing);
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= rough) {
            return m * decade;
        }
    }
    return 10 * decade;
}

QString TickText(double value, double step) {
    return QString::fromStdString(FormatTickLabel(value, step));
}

template <typename Place>
void DrawTicks(QPainter& p, FrequencyInterval range, int pixels, int spacing, Place&& place) {
    const double span = range.hi - range.lo;
    if (!(span > 0) || !std::isfinite(span) || pixels < 2) {
        return;
    }
    const double step = TickStep(span, pixels, spacing);
    // Counted, not stepped: far from 0 adding one to a multiple of the step may change
    // nothing.
    constexpr int kMostTicks = 64;
    const double first = std::ceil(range.lo / step);
    for (int i = 0; i < kMostTicks && (first + i) * step <= range.hi; ++i) {
        const double value = (first + i) * step;
        place(p, (value - range.lo) / span, TickText(value, step));
    }
}

QString AgainstText(Against against) {
    switch (against) {
        case Against::kIf:
            return QStringLiteral("IF band");
        case Against::kRf:
            return QStringLiteral("RF band");
        case Against::kBoth:
            break;
    }
    return QStringLiteral("IF and RF bands");
}

void DrawLegend(QPainter& p, const PlanFields& plan, const CleanMapView& view, QRect area) {
    const int row = std::max(10, p.fontMetrics().height());
    int y = area.top();
    const auto entry = [&](MapCode code, const QString& text) {
        if (y + row > area.bottom()) {
            return;
        }
        p.fillRect(QRect(area.left(), y + 2, 14, row - 4), ToQColor(MapCodeColour(code)));
        p.drawText(QRect(area.left() + 20, y, area.width() - 20, row), Qt::AlignVCenter, text);
        y += row;
    };
    entry(kMapClean, QStringLiteral("clean"));
    entry(kMapSelfFold, QStringLiteral("self fold"));
    if (view.fsRange.lo <= 0) {
        entry(kMapUnsampled, QStringLiteral("Fs <= 0"));
    }
    for (int n = 2; n <= std::min(plan.m_harmonics, kHarmonicCap); ++n) {
        entry(static_cast<MapCode>(n), QStringLiteral("H%1").arg(n));
    }
    std::optional<SpurFamily> last;
    for (const SpurMember& member : ModelledMembersOf(view.query.model)) {
        if (member.family != last) {
            last = member.family;
            entry(FamilyMapCode(member.family), QString::fromUtf8(SpurFamilyName(member.family)));
        }
    }
}

QString RefusalText(FinderStatus status) {
    switch (status) {
        case FinderStatus::kTooManyIntervals:
            return QStringLiteral("Too many intervals in these ranges: narrow them");
        case FinderStatus::kTooLargeAtThisSize:
            return QStringLiteral("The map is too large at this size to compute: make it smaller");
        case FinderStatus::kOk:
        case FinderStatus::kBadInput:
            break;
    }
    return QStringLiteral("No map for these values");
}

// Everything but the plan's own mark: what the plan's Fs and IF do not change.
void DrawFrame(QPainter& p, const PlanFields& plan, const CleanMapView& view, QRect body,
               FinderStatus status) {
    const QColor text = ToQColor(kChartTextColour);
    p.setPen(ToQColor(kAxisColour));
    p.drawRect(body.adjusted(-1, -1, 0, 0));
    p.setPen(text);
    const int fm = p.fontMetrics().height();
    DrawTicks(p, view.fsRange, body.width(), 90, [&](QPainter& q, double at, const QString& s) {
        const int x = body.left() + static_cast<int>(at * body.width());
        q.drawLine(x, body.bottom() + 1, x, body.bottom() + 4);
        q.drawText(QRect(x - 40, body.bottom() + 5, 80, fm), Qt::AlignHCenter, s);
    });
    DrawTicks(p, view.ifRange, body.height(), 40, [&](QPainter& q, double at, const QString& s) {
        const int y = body.bottom() - static_cast<int>(at * body.height());
        q.drawLine(body.left() - 5, y, body.left() - 2, y);
        q.drawText(QRect(0, y - fm / 2, body.left() - 7, fm), Qt::AlignRight | Qt::AlignVCenter, s);
    });
    p.drawText(QRect(body.left(), body.bottom() + 6 + fm, body.width(), fm), Qt::AlignHCenter,
               QStringLiteral("Fs (MHz)"));
    p.save();
    p.translate(12, body.center().y());
    p.rotate(-90);
    p.drawText(QRect(-body.height() / 2, -fm / 2, body.height(), fm), Qt::AlignHCenter,
               QStringLiteral("IF (MHz)"));
    p.restore();
    QString title = QStringLiteral("Clean map: IF BW %1, RF BW %2, H = %3, against the %4")
                        .arg(plan.m_ifBw)
                        .arg(plan.m_rfBw)
                        .arg(std::min(plan.m_harmonics, kHarmonicCap))
                        .arg(AgainstText(view.query.against));
    if (view.query.margin > 0) {
        title += QStringLiteral(", margin %1").arg(view.query.margin);
    }
    p.drawText(QRect(body.left(), 4, body.width() + 90, fm), Qt::AlignLeft, title);
    DrawLegend(p, plan, view, QRect(body.right() + 10, body.top(), 86, body.height()));
    if (status != FinderStatus::kOk) {
        p.drawText(body, Qt::AlignCenter | Qt::TextWordWrap, RefusalText(status));
    }
}

}  // namespace

void DrawCleanMapMark(QPainter& p, const PlanFields& plan, const CleanMapView& view, int width,
                      int height) {
    const PixelRect r = CleanMapBody(width, height);
    const QRect body(r.left, r.top, r.right - r.left, r.bottom - r.top);
    const auto sx = (plan.m_fs - view.fsRange.lo) / (view.fsRange.hi - view.fsRange.lo);
    const auto sy = (plan.m_if - view.ifRange.lo) / (view.ifRange.hi - view.ifRange.lo);
    if (body.isEmpty() || !(sx >= 0 && sx <= 1 && sy >= 0 && sy <= 1)) {
        return;
    }
    const QPointF at(body.left() + sx * body.width(), body.bottom() + 1 - sy * body.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4));
    p.drawEllipse(at, 6, 6);
    p.setPen(QPen(ToQColor(kBandOutlineColour), 2));
    p.drawEllipse(at, 6, 6);
    p.restore();
}

QRgb MapPixel(ColorRef colour) {
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

namespace {

FinderStatus FillBody(const PlanFields& plan, const CleanMapView& view, const BodyRows& rows) {
    std::atomic<int> refusal{static_cast<int>(FinderStatus::kOk)};
    const int threads = static_cast<int>(
        std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(rows.height)));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        helpers.emplace_back([&, t] { FillRows(plan, view, rows, t, threads, refusal); });
    }
    FillRows(plan, view, rows, 0, threads, refusal);
    for (auto& helper : helpers) {
        helper.join();
    }
    return static_cast<FinderStatus>(refusal.load());
}

}  // namespace

FinderStatus FillCleanMapBody(const PlanFields& plan, const CleanMapView& view, QImage& body) {
    if (body.isNull()) {
        return FinderStatus::kOk;
    }
    const FinderStatus status =
        FillBody(plan, view, {body.bits(), body.bytesPerLine(), body.width(), body.height()});
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
    const PixelRect r = CleanMapBody(width, height);
    const QRect body(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (body.isEmpty()) {
        out.image.fill(Qt::black);
        return out;
    }
    // The body is written in place, straight into the map's own rows; only the margins
    // are cleared.
    uchar* const origin = out.image.bits() + body.top() * out.image.bytesPerLine() +
                          body.left() * static_cast<qsizetype>(sizeof(QRgb));
    out.status =
        FillBody(plan, view, {origin, out.image.bytesPerLine(), body.width(), body.height()});
    QPainter p(&out.image);
    const QRegion margins = QRegion(out.image.rect()).subtracted(QRegion(body));
    for (const QRect& margin : margins) {
        p.fillRect(margin, Qt::black);
    }
    if (out.status != FinderStatus::kOk) {
        p.fillRect(body, MapPixel(MapCodeColour(kMapUnsampled)));
    }
    DrawFrame(p, plan, view, body, out.status);
    return out;
}

CleanMapImage ComposeCleanMap(const PlanFields& plan, const CleanMapView& view, int width,
                              int height) {
    CleanMapImage map = ComposeCleanMapFrame(plan, view, width, height);
    if (!map.image.isNull() && map.status == FinderStatus::kOk) {
        QPainter p(&map.image);
        DrawCleanMapMark(p, plan, view, width, height);
    }
    return map;
}

const CleanMapImage& CleanMapCache::Frame(const PlanFields& plan, const CleanMapView& view,
                                          int width, int height) {
    // The body and frame read the widths, H and the view, never the plan's Fs or IF.
    PlanFields key = plan;
    key.m_fs = 0;
    key.m_if = 0;
    key.m_markerX = 0;
    key.m_markerY = 0;
    key.m_lastSliderPos = 0;
    key.m_sliderVariable = 0;
    ApplyHarmonicCap(key);
    const bool same = valid_ && key == plan_ && view.fsRange == view_.fsRange &&
                      view.ifRange == view_.ifRange && view.query.against == view_.query.against &&
                      view.query.margin == view_.query.margin &&
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
