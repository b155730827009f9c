#include "spectrum_labels.h"

#include <algorithm>

namespace quorvel {

namespace {

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right + kSpectrumLabelGap && b.left < a.right + kSpectrumLabelGap &&
           a.top < b.bottom + kSpectrumLabelGap && b.top < a.bottom + kSpectrumLabelGap;
}

}  // namespace

std::string Latin1(std::string_view utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            text += static_cast<char>(c);
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code =
                ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            text += code < 0x100 ? static_cast<char>(code) : '?';
            i += 2;
        } else {
            const int length = (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
            text += utf8.substr(i, 3) == "\xE2\x88\x92" ? '-' : '?';  // U+2212
            i += static_cast<std::size_t>(length);
        }
    }
    return text;
}

SpectrumLabels::SpectrumLabels(DrawingSurface& dc, const PixelRect& plot, int fontHeight)
    : dc_(dc), plot_(plot), fontHeight_(fontHeight) {}

void SpectrumLabels::KeepOff(const PixelRect& box) {
    taken_.push_back(box);
}

bool SpectrumLabels::Place(std::string_view text, int centre, std::initializer_list<int> tops) {
    const int width = dc_.TextWidth(text);
    if (width > plot_.right - plot_.left) {
        return false;
    }
    const int left = std::clamp(centre - width / 2, plot_.left, plot_.right - width);
    for (const int top : tops) {
        const PixelRect box{left, top, left + width, top + fontHeight_};
        const bool fits = box.top >= plot_.top && box.bottom <= plot_.bottom &&
                          std::none_of(taken_.begin(), taken_.end(),
                                       [&](const PixelRect& other) { return Overlap(box, other); });
        if (fits) {
            taken_.push_back(box);
            dc_.TextOut(box.left, box.top, text);
            return true;
        }
    }
    return false;
}

}  // namespace quorvel
