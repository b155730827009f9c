#include "recording_surface.h"

#include <variant>

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

ObjectHandle RecordingSurface::CreatePen(PenStyle style, int width, ColorRef colour) {
    RecordedOp op = WithState(OpKind::kCreatePen);
    op.pen = PenSpec{style, width, colour};
    op.handle = objects_.Add(op.pen);
    ops_.push_back(op);
    return op.handle;
}

ObjectHandle RecordingSurface::CreateHatchBrush(ColorRef colour) {
    RecordedOp op = WithState(OpKind::kCreateBrush);
    op.brush = BrushSpec{BrushStyle::kBackwardDiagonalHatch, colour};
    op.handle = objects_.Add(op.brush);
    ops_.push_back(op);
    return op.handle;
}

ObjectHandle RecordingSurface::CreateFont(int height, int escapement) {
    RecordedOp op = WithState(OpKind::kCreateFont);
    op.font = FontSpec{height, escapement};
    op.handle = objects_.Add(op.font);
    ops_.push_back(op);
    return op.handle;
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
    RecordedOp op = WithState(OpKind::kSelect);
    op.handle = object;
    ops_.push_back(op);
}

void RecordingSurface::DeleteObject(ObjectHandle object) {
    objects_.Release(object);
    RecordedOp op = WithState(OpKind::kDelete);
    op.handle = object;
    ops_.push_back(op);
}

void RecordingSurface::SetBkColor(ColorRef colour) {
    bkColour_ = colour;
    RecordedOp op = WithState(OpKind::kSetBkColor);
    op.colour = colour;
    ops_.push_back(op);
}

void RecordingSurface::SetTextColor(ColorRef colour) {
    textColour_ = colour;
    RecordedOp op = WithState(OpKind::kSetTextColor);
    op.colour = colour;
    ops_.push_back(op);
}

void RecordingSurface::SetTextAlign(unsigned align) {
    align_ = align;
    ops_.push_back(WithState(OpKind::kSetTextAlign));
}

void RecordingSurface::TextOut(int x, int y, std::string_view text) {
    RecordedOp op = WithState(OpKind::kTextOut);
    op.x1 = x;
    op.y1 = y;
    op.text = std::string(text);
    op.usesReleasedObject = Released(selectedFont_);
    ops_.push_back(op);
}

void RecordingSurface::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
    RecordedOp op = WithState(OpKind::kMoveTo);
    op.x1 = x;
    op.y1 = y;
    ops_.push_back(op);
}

void RecordingSurface::LineTo(int x, int y) {
    RecordedOp op = WithState(OpKind::kLine);
    op.x1 = x_;
    op.y1 = y_;
    op.x2 = x;
    op.y2 = y;
    op.usesReleasedObject = Released(selectedPen_);
    ops_.push_back(op);
    x_ = x;
    y_ = y;
}

void RecordingSurface::Rectangle(int left, int top, int right, int bottom) {
    RecordedOp op = WithState(OpKind::kRectangle);
    op.x1 = left;
    op.y1 = top;
    op.x2 = right;
    op.y2 = bottom;
    op.usesReleasedObject = Released(selectedPen_) || Released(selectedBrush_);
    ops_.push_back(op);
}

void RecordingSurface::PatBlt(int x, int y, int width, int height, RasterOp) {
    RecordedOp op = WithState(OpKind::kPatBlt);
    op.x1 = x;
    op.y1 = y;
    op.x2 = width;
    op.y2 = height;
    ops_.push_back(op);
}

std::vector<RecordedOp> RecordingSurface::OpsOf(OpKind kind) const {
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : ops_) {
        if (op.kind == kind) {
            out.push_back(op);
        }
    }
    return out;
}

std::vector<Line> RecordingSurface::LinesIn(ColorRef colour) const {
    std::vector<Line> out;
    for (const RecordedOp& op : ops_) {
        if (op.kind == OpKind::kLine && op.pen.colour == colour) {
            out.push_back({op.x1, op.y1, op.x2, op.y2});
        }
    }
    return out;
}

std::vector<Line> RecordingSurface::LinesWith(PenStyle style, ColorRef colour) const {
    std::vector<Line> out;
    for (const RecordedOp& op : ops_) {
        if (op.kind == OpKind::kLine && op.pen.colour == colour && op.pen.style == style) {
            out.push_back({op.x1, op.y1, op.x2, op.y2});
        }
    }
    return out;
}

std::vector<Text> RecordingSurface::TextsIn(int fontHeight) const {
    std::vector<Text> out;
    for (const RecordedOp& op : ops_) {
        if (op.kind == OpKind::kTextOut && op.font.height == fontHeight) {
            out.push_back({op.x1, op.y1, op.text});
        }
    }
    return out;
}

bool RecordingSurface::drewWithReleasedObject() const {
    for (const RecordedOp& op : ops_) {
        if (op.usesReleasedObject) {
            return true;
        }
    }
    return false;
}

}  // namespace quorvel::test
