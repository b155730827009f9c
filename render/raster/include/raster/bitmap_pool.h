// Memory for the composed chart area, kept from one paint to the next. At 4K every paint
// needs a new 32 MB bitmap, and mapping fresh pages for it costs about as much as
// filling it; reusing the last bitmap's memory once it is let go saves that.
#pragma once

#include <QImage>

namespace quorvel {

/// A Format_RGB32 image of `width` x `height` pixels whose contents are undefined: the
/// memory of the bitmap let go last when it is large enough and at most twice the size,
/// else new memory (and a spare block too large for the size is given back). A null image when
/// memory runs out. Safe to hold, copy and destroy anywhere; the memory returns to the pool when
/// the last copy goes.
QImage TakeChartBitmap(int width, int height);

}  // namespace quorvel
