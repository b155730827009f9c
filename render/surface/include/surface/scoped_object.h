// Owns one drawing object of a surface and releases it when it goes out of scope, so every
// chart releases what it made in the reverse order of making it.
#pragma once

#include <utility>

#include "surface/drawing_surface.h"

namespace quorvel {

class ScopedObject {
  public:
    ScopedObject(DrawingSurface& surface, ObjectHandle handle)
        : surface_(&surface), handle_(handle) {}
    ScopedObject(ScopedObject&& other) noexcept
        : surface_(other.surface_), handle_(std::exchange(other.handle_, 0)) {}
    ScopedObject& operator=(ScopedObject&& other) noexcept {
        if (this != &other) {
            Release();
            surface_ = other.surface_;
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }
    ScopedObject(const ScopedObject&) = delete;
    ScopedObject& operator=(const ScopedObject&) = delete;
    ~ScopedObject() { Release(); }

    ObjectHandle handle() const { return handle_; }
    void Select() const { surface_->SelectObject(handle_); }
    void Release() {
        if (handle_ != 0) {
            surface_->DeleteObject(std::exchange(handle_, 0));
        }
    }

  private:
    DrawingSurface* surface_;
    ObjectHandle handle_;
};

}  // namespace quorvel
