#include "cell_font.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <algorithm>
#include <map>

namespace quorvel {

namespace {

constexpr int kLargestCell = 1024;

QFont ArialAtPixelSize(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    // Tick labels are 10 to 12 pixels high: hinted glyphs stay crisp on the black chart.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int CellOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

}  // namespace

CellFont MakeCellFont(int cellHeight) {
    const int wanted = std::clamp(cellHeight, 1, kLargestCell);
    // The cell grows with the pixel size, so search for the largest size that fits.
    int fits = 1;
    int tooBig = wanted + 1;
    while (tooBig - fits > 1) {
        const int middle = fits + (tooBig - fits) / 2;
        if (CellOf(ArialAtPixelSize(middle)) <= wanted) {
            fits = middle;
        } else {
            tooBig = middle;
        }
    }
    CellFont cell;
    cell.font = ArialAtPixelSize(fits);
    cell.metrics = QFontMetrics(cell.font);
    const QFontMetrics& metrics = cell.metrics;
    cell.ascent = metrics.ascent();
    // Only a 1-pixel request can end below the font's own cell.
    cell.cellHeight = std::max(wanted, metrics.ascent() + metrics.descent());
    return cell;
}

const CellFont& CachedCellFont(int cellHeight) {
    const int wanted = std::clamp(cellHeight, 1, kLargestCell);
    // Fonts belong to the application object: a new one starts a new cache. The cache is
    // never destroyed, so no font outlives the font system at exit.
    struct Cache {
        const QCoreApplication* owner = nullptr;
        std::map<int, CellFont> cells;
    };
    static Cache* const cache = new Cache;
    if (cache->owner != QCoreApplication::instance()) {
        cache->cells.clear();
        cache->owner = QCoreApplication::instance();
    }
    auto it = cache->cells.find(wanted);
    if (it == cache->cells.end()) {
        it = cache->cells.emplace(wanted, MakeCellFont(wanted)).first;
    }
    return it->second;
}

}  // namespace quorvel
