#include "pixel_memory.h"

#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVEL_PIXELS_FROM_MALLOC 1  // clang's address sanitizer
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUORVEL_PIXELS_FROM_MALLOC 1
#endif

#if defined(QUORVEL_PIXELS_FROM_MALLOC)
#elif defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace quorvel {

namespace {

#if defined(QUORVEL_PIXELS_FROM_MALLOC)
void* Take(std::size_t bytes) {
    return std::malloc(bytes);
}
void Give(void* pixels, std::size_t /*bytes*/) {
    std::free(pixels);
}
#elif defined(_WIN32)
void* Take(std::size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}
void Give(void* pixels, std::size_t /*bytes*/) {
    VirtualFree(pixels, 0, MEM_RELEASE);
}
#else
void* Take(std::size_t bytes) {
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return memory == MAP_FAILED ? nullptr : memory;
}
void Give(void* pixels, std::size_t bytes) {
    munmap(pixels, bytes);
}
#endif

}  // namespace

PixelMemory ChartPixelMemory() {
    return {Take, Give};
}

}  // namespace quorvel
