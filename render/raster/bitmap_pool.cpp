#include "raster/bitmap_pool.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVEL_PIXELS_FROM_MALLOC 1  // clang's address sanitizer
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || !defined(__unix__)
#define QUORVEL_PIXELS_FROM_MALLOC 1
#endif
#if !defined(QUORVEL_PIXELS_FROM_MALLOC)
#include <sys/mman.h>
#endif

namespace quorvel {

namespace {

// A paint may reuse a block up to this many times the size it needs: a drag changes the
// size a little at a time, and a block much larger than the window is memory held for
// nothing.
constexpr std::size_t kReuseFactor = 2;

struct Block {
    std::uint32_t* pixels = nullptr;
    std::size_t capacity = 0;  // in pixels
};

// Pixels come straight from the system, so that a block let go is given back at once,
// whatever the allocator's thresholds. Sanitized builds keep malloc, whose red zones catch
// writes beyond the bitmap.
Block NewBlock(std::size_t pixels) {
    const std::size_t bytes = pixels * sizeof(std::uint32_t);
#if defined(QUORVEL_PIXELS_FROM_MALLOC)
    void* memory = std::malloc(bytes);
#else
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        memory = nullptr;
    }
#endif
    if (memory == nullptr) {
        return {};
    }
    return {static_cast<std::uint32_t*>(memory), pixels};
}

void FreeBlock(const Block& block) {
    if (block.pixels == nullptr) {
        return;
    }
#if defined(QUORVEL_PIXELS_FROM_MALLOC)
    std::free(block.pixels);
#else
    munmap(block.pixels, block.capacity * sizeof(std::uint32_t));
#endif
}

// One spare block: the one let go last. Never destroyed, so that an image let go during
// the program's exit still finds it.
struct Pool {
    std::mutex mutex;
    Block spare;
};

Pool& ThePool() {
    static Pool* pool = new Pool;
    return *pool;
}

void ReturnBlock(void* info) {
    Block* block = static_cast<Block*>(info);
    Pool& pool = ThePool();
    {
        const std::lock_guard lock(pool.mutex);
        std::swap(*block, pool.spare);
    }
    FreeBlock(*block);
    delete block;
}

}  // namespace

QImage TakeChartBitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::size_t needed = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    Block block;
    Block unfit;
    {
        Pool& pool = ThePool();
        const std::lock_guard lock(pool.mutex);
        if (pool.spare.capacity >= needed && pool.spare.capacity / kReuseFactor <= needed) {
            std::swap(block, pool.spare);
        } else {
            std::swap(unfit, pool.spare);
        }
    }
    FreeBlock(unfit);
    if (block.pixels == nullptr) {
        block = NewBlock(needed);
        if (block.pixels == nullptr) {
            return {};
        }
    }
    Block* owner = new Block(block);
    return QImage(reinterpret_cast<uchar*>(owner->pixels), width, height,
                  static_cast<qsizetype>(width) * 4, QImage::Format_RGB32, ReturnBlock, owner);
}

}  // namespace quorvel
