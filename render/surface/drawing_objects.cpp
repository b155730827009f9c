#include "surface/drawing_objects.h"

namespace quorvel {

ObjectHandle DrawingObjectTable::Add(const DrawingObject& object) {
    objects_.emplace_back(object);
    ++live_;
    return static_cast<ObjectHandle>(objects_.size());
}

const DrawingObject* DrawingObjectTable::Find(ObjectHandle handle) const {
    if (handle == 0 || handle > objects_.size() || !objects_[handle - 1]) {
        return nullptr;
    }
    return &*objects_[handle - 1];
}

bool DrawingObjectTable::Select(ObjectHandle handle) {
    const DrawingObject* object = Find(handle);
    if (object == nullptr) {
        return false;
    }
    if (const auto* pen = std::get_if<PenSpec>(object)) {
        pen_ = *pen;
    } else if (const auto* brush = std::get_if<BrushSpec>(object)) {
        brush_ = *brush;
    } else {
        font_ = std::get<FontSpec>(*object);
    }
    return true;
}

bool DrawingObjectTable::Release(ObjectHandle handle) {
    if (Find(handle) == nullptr) {
        return false;
    }
    objects_[handle - 1].reset();
    --live_;
    return true;
}

}  // namespace quorvel
