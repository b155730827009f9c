// The program's icon, IDR_MAINFRAME: a folded alias line crossing a green IF band on a
// dark plot, the picture the charts themselves show. This code is the icon's source; the
// PNG and ICO files under res/icons are rendered from it by quorvel_render_icons.
#pragma once

#include <QIcon>
#include <QImage>

namespace quorvel {

/// Draws the icon at `size` x `size` pixels, ARGB32 (premultiplied), transparent corners.
QImage DrawMainFrameIcon(int size);

/// The icon as the program carries it: the 16 x 16 and 32 x 32 images (plus larger ones
/// for desktops that show big launch icons), read from the embedded resource.
QIcon MainFrameIcon();

/// The sizes rendered into res/icons, and the two that make up the Windows icon group.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};
inline constexpr int kIconGroupSizes[] = {16, 32};

}  // namespace quorvel
