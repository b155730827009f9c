#include "raster/bitmap_pool.h"

#include <cstdint>
#include <mutex>

#include "pixel_memory.h"

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

Block NewBlock(std::size_t pixels) {
    void* memory = ChartPixelMemory().take(pixels * sizeof(std::uint32_t));
    if (memory == nullptr) {
        return {};
    }
    return {static_cast<std::uint32_t*>(memory), pixels};
}

void FreeBlock(const Block& block) {
    if (block.pixels != nullptr) {
        ChartPixelMemory().give(block.pixels, block.capacity * sizeof(std::uint32_t));
    }
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
