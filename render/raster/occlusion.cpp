#include "occlusion.h"

#include <algorithm>
#include <cstddef>

namespace quorvel {

namespace {

struct Span {
    int left;
    int right;
};

// Adds [left, right) to the sorted, disjoint spans, merging what touches it.
void Cover(std::vector<Span>& covered, int left, int right) {
    std::vector<Span> merged;
    merged.reserve(covered.size() + 1);
    bool placed = false;
    for (const Span& s : covered) {
        if (s.right < left) {
            merged.push_back(s);
        } else if (s.left > right) {
            if (!placed) {
                merged.push_back({left, right});
                placed = true;
            }
            merged.push_back(s);
        } else {
            left = std::min(left, s.left);
            right = std::max(right, s.right);
        }
    }
    if (!placed) {
        merged.push_back({left, right});
    }
    covered = std::move(merged);
}

}  // namespace

std::vector<VisibleBlock> VisibleBlocks(std::span<const PixelRect> rects, int width, int height) {
    std::vector<PixelRect> cut;
    cut.reserve(rects.size());
    std::vector<int> rows{0, height};
    for (const PixelRect& r : rects) {
        const PixelRect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
                          std::min(r.bottom, height)};
        cut.push_back(c);
        if (c.left < c.right && c.top < c.bottom) {
            rows.push_back(c.top);
            rows.push_back(c.bottom);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    // Between two neighbouring row boundaries every rectangle covers all rows or none, so
    // one pass from the last rectangle to the first finds each one's visible columns.
    std::vector<VisibleBlock> blocks;
    std::vector<Span> covered;
    for (std::size_t b = 0; b + 1 < rows.size(); ++b) {
        const int top = rows[b];
        const int bottom = rows[b + 1];
        if (top >= bottom) {
            continue;
        }
        covered.clear();
        for (std::size_t i = cut.size(); i-- > 0;) {
            const PixelRect& c = cut[i];
            if (c.left >= c.right || c.top > top || c.bottom < bottom) {
                continue;
            }
            int x = c.left;
            for (const Span& s : covered) {
                if (s.right <= x) {
                    continue;
                }
                if (s.left >= c.right) {
                    break;
                }
                if (s.left > x) {
                    blocks.push_back({static_cast<int>(i), {x, top, s.left, bottom}});
                }
                x = s.right;
                if (x >= c.right) {
                    break;
                }
            }
            if (x < c.right) {
                blocks.push_back({static_cast<int>(i), {x, top, c.right, bottom}});
            }
            Cover(covered, c.left, c.right);
        }
    }
    return blocks;
}

}  // namespace quorvel
