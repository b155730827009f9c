#include "text_cell_cache.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "cell_font.h"

namespace quorvel {

namespace {

// Readouts change with every drag step: the cache is emptied rather than left to grow.
constexpr std::size_t kMostCells = 512;
// Chart text is a dozen pixels high and a readout line some 150 wide. A larger cell comes
// from an absurd value (a label of 300 digits): it is drawn once and never again, so
// probing and keeping it would only triple its cost; it goes straight through QPainter.
constexpr int kLargestCellPixels = 4 * 1024;

std::string KeyOf(std::string_view text, const TextState& state) {
    std::string key;
    key.reserve(text.size() + 24);
    for (const unsigned v :
         {static_cast<unsigned>(state.font.height), static_cast<unsigned>(state.font.escapement),
          state.background, state.colour}) {
        key.append(reinterpret_cast<const char*>(&v), sizeof v);
    }
    key.append(text);
    return key;
}

bool IsQuarterTurn(const QTransform& t) {
    const auto unit = [](double v) { return v == 0.0 || v == 1.0 || v == -1.0; };
    return unit(t.m11()) && unit(t.m12()) && unit(t.m21()) && unit(t.m22());
}

// The text written on a surround of one colour, its cell at (margin, margin).
QImage Render(std::string_view text, const TextState& state, const QRect& bounds, int margin,
              QRgb surround) {
    QImage scratch(bounds.width() + 2 * margin, bounds.height() + 2 * margin, QImage::Format_RGB32);
    scratch.fill(surround);
    QPainter painter(&scratch);
    PrepareChartPainter(painter);
    PaintTextCell(painter, scratch.rect(), margin - bounds.left(), margin - bounds.top(), text,
                  state);
    return scratch;
}

// Whether anything outside the cell differs from the surround.
bool InkOutside(const QImage& image, const QRect& cell, QRgb surround) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (!cell.contains(x, y) && row[x] != surround) {
                return true;
            }
        }
    }
    return false;
}

struct Entry {
    int advance = 0;
    bool probed = false;  // whether the pixels were made (or found not to be keepable)
    std::optional<QImage> pixels;
};

std::optional<QImage> MakeCell(std::string_view text, const TextState& state, int advance) {
    const TextCellPlacement placement = PlaceTextCell(0, 0, advance, state);
    // A quarter turn of a cell at a whole-pixel point has whole-pixel bounds.
    const QRect bounds = placement.ImageBounds().toRect();
    if (!IsQuarterTurn(placement.toImage) || bounds.isEmpty() ||
        std::int64_t{bounds.width()} * bounds.height() > kLargestCellPixels) {
        return std::nullopt;
    }
    const int margin = placement.cell.height() + 4;
    // Glyphs that reach outside the cell blend with whatever lies there: written on two
    // surrounds, such a text shows in one of them at least.
    const QImage onBlack = Render(text, state, bounds, margin, qRgb(0, 0, 0));
    const QImage onWhite = Render(text, state, bounds, margin, qRgb(255, 255, 255));
    const QRect cell(margin, margin, bounds.width(), bounds.height());
    if (InkOutside(onBlack, cell, qRgb(0, 0, 0)) ||
        InkOutside(onWhite, cell, qRgb(255, 255, 255))) {
        return std::nullopt;
    }
    // The cell is filled before its glyphs go on: inside it the surround never shows.
    return onBlack.copy(cell);
}

}  // namespace

namespace {

// The entry for the text in this state, its width measured.
Entry& Find(std::string_view text, const TextState& state) {
    struct Cache {
        const QCoreApplication* owner = nullptr;
        std::unordered_map<std::string, Entry> cells;
    };
    // Never destroyed, so no image outlives the application's end.
    static Cache* const cache = new Cache;
    if (cache->owner != QCoreApplication::instance() || cache->cells.size() >= kMostCells) {
        cache->cells.clear();
        cache->owner = QCoreApplication::instance();
    }
    std::string key = KeyOf(text, state);
    auto it = cache->cells.find(key);
    if (it == cache->cells.end()) {
        Entry entry;
        const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        entry.advance = CachedCellFont(state.font.height).metrics.horizontalAdvance(qtext);
        it = cache->cells.emplace(std::move(key), std::move(entry)).first;
    }
    return it->second;
}

}  // namespace

int CachedTextAdvance(std::string_view text, const TextState& state) {
    return Find(text, state).advance;
}

const QImage* CachedTextCell(std::string_view text, const TextState& state) {
    Entry& entry = Find(text, state);
    if (!entry.probed) {
        entry.pixels = MakeCell(text, state, entry.advance);
        entry.probed = true;
    }
    return entry.pixels ? &*entry.pixels : nullptr;
}

}  // namespace quorvel
