// Chart fonts are asked for by their cell height (ascent plus descent), where Qt sizes a
// font by its em; this finds the Qt font that fills a given cell.
#pragma once

#include <QFont>
#include <QFontMetrics>

namespace quorvel {

struct CellFont {
    QFont font;
    QFontMetrics metrics{font};
    int cellHeight = 0;  ///< rows of the text cell: the height asked for
    int ascent = 0;      ///< rows from the cell's top to the baseline
};

/// Face "Arial" (Liberation Sans through fontconfig) at the largest pixel size whose ascent
/// plus descent fits `cellHeight`. Heights below 1 are taken as 1 and above 1024 as 1024.
CellFont MakeCellFont(int cellHeight);

/// MakeCellFont's result, kept for the rest of the application's life: finding the size
/// takes a dozen font look-ups, and every paint asks for the same few cells. GUI thread
/// only.
const CellFont& CachedCellFont(int cellHeight);

}  // namespace quorvel
