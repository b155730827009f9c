// The bitmap of a chart drawn at a scale: device pixels for the chart's, fonts that follow.
#pragma once

#include <QImage>

namespace quorvel {

/// Whether width x height chart pixels at `scale` (held to 1..kMostChartScale) make an image
/// of 1 to kLargestChartSide device pixels a side.
bool FitsAtScale(int width, int height, int scale);

/// Gives `image` `scale` times its dots per inch, so that the platform font DrawText writes
/// in grows with the chart drawn on it.
void ScaleImageFonts(QImage& image, int scale);

/// A pooled bitmap of width x height chart pixels at `scale`, its contents undefined and its
/// fonts scaled. A null image when it does not fit or memory runs out.
QImage TakeScaledChartBitmap(int width, int height, int scale);

/// Once drawn, the bitmap paints at its size in chart pixels: its device pixel ratio is the
/// scale. Not before: a painter on such an image would scale what it draws again.
void FinishScaledChartImage(QImage& image, int scale);

}  // namespace quorvel
