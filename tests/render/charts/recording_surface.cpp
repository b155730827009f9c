#include "recording_surface.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <variant>

#include "plan/truncate.h"

namespace quorvel::test {

std::ostream& operator<<(std::ostream& out, const Line& line) {
    return out << "(" << line.x1 << "," << line.y1 << ")-(" << line.x2 << "," << line.y2 << ")";
}

std::ostream& operator<<(std::ostream& out, const Text& text) {
    return out << "\"" << text.text << "\"@(" << text.x << "," << text.y << ")";
}

RecordedOp RecordingSurface::WithState(OpKind kind) const {
    RecordedOp op;
    op.kind = kind;
    op.pen = objects_.pen();
    op.brush = objects_.brush();
    op.font = objects_.font();
    op.textColour = textColour_;
    op.bkColour = bkColour_;
    op.align = align_;
    return op;
}

bool RecordingSurface::Released(ObjectHandle handle) const {
    return handle != 0 && objects_.Find(handle) == nullptr;
}

RecordedOp& RecordingSurface::Record(OpKind kind, int x1, int y1, int x2, int y2) {
    RecordedOp& op = ops_.emplace_back(WithState(kind));
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    return op;
}

ObjectHandle RecordingSurface::CreatePen(PenStyle style, int width, ColorRef colour) {
    RecordedOp& op = Record(OpKind::kCreatePen);
    op.pen = PenSpec{style, width, colour};
    return op.handle = objects_.Add(op.pen);
}

ObjectHandle RecordingSurface::CreateHatchBrush(ColorRef colour) {
    RecordedOp& op = Record(OpKind::kCreateBrush);
    op.brush = BrushSpec{BrushStyle::kBackwardDiagonalHatch, colour};
    return op.handle = objects_.Add(op.brush);
}

ObjectHandle RecordingSurface::CreateSolidBrush(ColorRef colour) {
    RecordedOp& op = Record(OpKind::kCreateBrush);
    op.brush = BrushSpec{BrushStyle::kSolid, colour};
    return op.handle = objects_.Add(op.brush);
}

ObjectHandle RecordingSurface::CreateFont(int height, int escapement) {
    RecordedOp& op = Record(OpKind::kCreateFont);
    op.font = FontSpec{height, escapement};
    return op.handle = objects_.Add(op.font);
}

void RecordingSurface::SelectObject(ObjectHandle object) {
    if (const DrawingObject* found = objects_.Find(object)) {
        if (std::holds_alternative<PenSpec>(*found)) {
            selectedPen_ = object;
        } else if (std::holds_alternative<BrushSpec>(*found)) {
            selectedBrush_ = object;
        } else {
            selectedFont_ = object;
        }
    }
    objects_.Select(object);
    Record(OpKind::kSelect).handle = object;
}

void RecordingSurface::DeleteObject(ObjectHandle object) {
    objects_.Release(object);
    Record(OpKind::kDelete).handle = object;
}

void RecordingSurface::SetBkColor(ColorRef colour) {
    bkColour_ = colour;
    Record(OpKind::kSetBkColor).colour = colour;
}

void RecordingSurface::SetTextColor(ColorRef colour) {
    textColour_ = colour;
    Record(OpKind::kSetTextColor).colour = colour;
}

void RecordingSurface::SetTextAlign(unsigned align) {
    align_ = align;
    Record(OpKind::kSetTextAlign);
}

void RecordingSurface::TextOut(int x, int y, std::string_view text) {
    RecordedOp& op = Record(OpKind::kTextOut, x, y);
    op.text = std::string(text);
    op.usesReleasedObject = Released(selectedFont_);
}

int RecordingSurface::TextWidth(std::string_view text) {
    return kRecordedCharWidth * static_cast<int>(text.size());
}

void RecordingSurface::MoveTo(int x, int y) {
    Record(OpKind::kMoveTo, x, y);
    x_ = x;
    y_ = y;
}

void RecordingSurface::LineTo(int x, int y) {
    Record(OpKind::kLine, x_, y_, x, y).usesReleasedObject = Released(selectedPen_);
    x_ = x;
    y_ = y;
}

void RecordingSurface::Rectangle(int left, int top, int right, int bottom) {
    Record(OpKind::kRectangle, left, top, right, bottom).usesReleasedObject =
        Released(selectedPen_) || Released(selectedBrush_);
}

void RecordingSurface::PatBlt(int x, int y, int width, int height, RasterOp) {
    Record(OpKind::kPatBlt, x, y, width, height);
}

void RecordingSurface::FillSpan(int y, int x0, int x1, ColorRef colour) {
    Record(OpKind::kFillSpan, y, x0, x1).colour = colour;
}

void RecordingSurface::DrawText(const PixelRect& box, unsigned format, std::string_view text) {
    RecordedOp& op = Record(OpKind::kDrawText, box.left, box.top, box.right, box.bottom);
    op.format = format;
    op.text = std::string(text);
}

int RecordingSurface::TextLineHeight() {
    return kRecordedLineHeight;
}

void RecordingSurface::SmoothCircle(double x, double y, double radius) {
    Record(OpKind::kSmoothCircle, TruncToInt(std::floor(x)), TruncToInt(std::floor(y)),
           TruncToInt(std::floor(radius)))
        .usesReleasedObject = Released(selectedPen_);
}

std::vector<RecordedOp> RecordingSurface::OpsOf(OpKind kind) const {
    std::vector<RecordedOp> out;
    std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(out),
                 [kind](const RecordedOp& op) { return op.kind == kind; });
    return out;
}

std::vector<Line> RecordingSurface::LinesIn(ColorRef colour) const {
    std::vector<Line> out;
    for (const RecordedOp& op : OpsOf(OpKind::kLine)) {
        if (op.pen.colour == colour) {
            out.push_back({op.x1, op.y1, op.x2, op.y2});
        }
    }
    return out;
}

std::vector<Line> RecordingSurface::LinesWith(PenStyle style, ColorRef colour) const {
    std::vector<Line> out;
    for (const RecordedOp& op : OpsOf(OpKind::kLine)) {
        if (op.pen.colour == colour && op.pen.style == style) {
            out.push_back({op.x1, op.y1, op.x2, op.y2});
        }
    }
    return out;
}

std::vector<Text> RecordingSurface::TextsIn(int fontHeight) const {
    std::vector<Text> out;
    for (const RecordedOp& op : OpsOf(OpKind::kTextOut)) {
        if (op.font.height == fontHeight) {
            out.push_back({op.x1, op.y1, op.text});
        }
    }
    return out;
}

bool RecordingSurface::drewWithReleasedObject() const {
    return std::any_of(ops_.begin(), ops_.end(),
                       [](const RecordedOp& op) { return op.usesReleasedObject; });
}

}  // namespace quorvel::test
