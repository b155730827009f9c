#include "raster/bitmap_pool.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>

namespace quorvel {

namespace {

struct Block {
    std::uint32_t* pixels = nullptr;
    std::size_t capacity = 0;  // in pixels
};

// One spare block: the largest let go so far. Never destroyed, so that an image let go
// during the program's exit still finds it.
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
        if (block->capacity >= pool.spare.capacity) {
            std::swap(*block, pool.spare);
        }
    }
    std::free(block->pixels);
    delete block;
}

}  // namespace

QImage TakeChartBitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::size_t needed = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    Block block;
    {
        Pool& pool = ThePool();
        const std::lock_guard lock(pool.mutex);
        if (pool.spare.capacity >= needed) {
            std::swap(block, pool.spare);
        }
    }
    if (block.pixels == nullptr) {
        block.pixels = static_cast<std::uint32_t*>(std::malloc(needed * sizeof(std::uint32_t)));
        block.capacity = needed;
        if (block.pixels == nullptr) {
            return {};
        }
    }
    Block* owner = new Block(block);
    return QImage(reinterpret_cast<uchar*>(owner->pixels), width, height,
                  static_cast<qsizetype>(width) * 4, QImage::Format_RGB32, ReturnBlock, owner);
}

}  // namespace quorvel
