// Memory handles: a handle points at a block pointer; the block's size is kept in front of it.
#include "BM.hpp"

#include "LiveHandles.hpp"

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

Int32 liveHandles = 0;

struct Block {
    GSSize size;
    char* data;
};

Block* BlockOf(GSConstHandle handle)
{
    return reinterpret_cast<Block*>(reinterpret_cast<char*>(const_cast<GSHandle>(handle)) - offsetof(Block, data));
}

}  // namespace

GSHandle BMAllocateHandle(GSSize nBytes, GSFlags allocFlags, short /*actionCode*/)
{
    if (nBytes < 0)
        return nullptr;
    auto* block = static_cast<Block*>(std::malloc(sizeof(Block)));
    if (block == nullptr)
        return nullptr;
    block->size = nBytes;
    block->data = static_cast<char*>(std::malloc(static_cast<size_t>(nBytes > 0 ? nBytes : 1)));
    if (block->data == nullptr) {
        std::free(block);
        return nullptr;
    }
    if (allocFlags & ALLOCATE_CLEAR)
        std::memset(block->data, 0, static_cast<size_t>(nBytes > 0 ? nBytes : 1));
    ++liveHandles;
    // The handle is the address of the block's data pointer, which is the block's second member.
    return &block->data;
}

void BMKillHandle(GSHandle* h)
{
    if (h == nullptr || *h == nullptr)
        return;
    Block* block = BlockOf(*h);
    std::free(block->data);
    std::free(block);
    *h = nullptr;
    --liveHandles;
}

GSSize BMGetHandleSize(GSConstHandle h) { return h == nullptr ? 0 : BlockOf(h)->size; }

GSHandle BMReallocHandle(GSHandle h, GSSize nBytes, GSFlags reallocFlags, short /*actionCode*/)
{
    if (h == nullptr || nBytes < 0)
        return nullptr;
    Block* block = BlockOf(h);
    char* data = static_cast<char*>(std::realloc(block->data, static_cast<size_t>(nBytes > 0 ? nBytes : 1)));
    if (data == nullptr)
        return nullptr;
    if (reallocFlags & REALLOC_FULLCLEAR)
        std::memset(data, 0, static_cast<size_t>(nBytes));
    else if (nBytes > block->size)
        std::memset(data + block->size, 0, static_cast<size_t>(nBytes - block->size));
    block->data = data;
    block->size = nBytes;
    return h;
}

namespace Sim {

Int32 LiveHandleCount() { return liveHandles; }

}  // namespace Sim
