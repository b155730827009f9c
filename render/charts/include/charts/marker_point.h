// Where a left click asked for the frequency readout. The point belongs to the window, not
// to the plan: it is drawn from but never saved, and a plan change does not carry it.
#pragma once

namespace quorvel {

/// A marker point in dialog client coordinates, control strip included. The window keeps
/// x at 0 for no marker (a right click, a slider move); any point with x <= 0 shows none.
struct MarkerPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const MarkerPoint&, const MarkerPoint&) = default;
};

/// True when `marker` asks for a readout.
inline bool MarkerShown(MarkerPoint marker) {
    return marker.x > 0;
}

}  // namespace quorvel
