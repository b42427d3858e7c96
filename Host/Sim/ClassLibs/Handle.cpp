// Memory handles: a handle points at a block pointer; the block's size is kept in front of it.
#include "BM.hpp"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
Int32 liveHandles = 0;

struct Block {
    Int32 size;
    char* data;
};
}  // namespace

GSHandle BMAllocateHandle(Int32 size, Int32 initFlags, Int32 /*reserved*/)
{
    if (size < 0)
        return nullptr;
    auto* block = static_cast<Block*>(std::malloc(sizeof(Block)));
    if (block == nullptr)
        return nullptr;
    block->size = size;
    block->data = static_cast<char*>(std::malloc(static_cast<size_t>(size > 0 ? size : 1)));
    if (block->data == nullptr) {
        std::free(block);
        return nullptr;
    }
    if (initFlags & ALLOCATE_CLEAR)
        std::memset(block->data, 0, static_cast<size_t>(size > 0 ? size : 1));
    ++liveHandles;
    // The handle is the address of the block's data pointer, which is the block's second member.
    return &block->data;
}

static Block* BlockOf(GSHandle handle)
{
    return reinterpret_cast<Block*>(reinterpret_cast<char*>(handle) - offsetof(Block, data));
}

GSErrCode BMKillHandle(GSHandle* handle)
{
    if (handle == nullptr || *handle == nullptr)
        return NoError;
    Block* block = BlockOf(*handle);
    std::free(block->data);
    std::free(block);
    *handle = nullptr;
    --liveHandles;
    return NoError;
}

Int32 BMGetHandleSize(GSHandle handle) { return handle == nullptr ? 0 : BlockOf(handle)->size; }

GSErrCode BMReallocHandle(GSHandle handle, Int32 newSize, Int32, Int32)
{
    if (handle == nullptr || newSize < 0)
        return -1;
    Block* block = BlockOf(handle);
    char* data = static_cast<char*>(std::realloc(block->data, static_cast<size_t>(newSize > 0 ? newSize : 1)));
    if (data == nullptr)
        return -1;
    if (newSize > block->size)
        std::memset(data + block->size, 0, static_cast<size_t>(newSize - block->size));
    block->data = data;
    block->size = newSize;
    return NoError;
}

Int32 BMLiveHandleCount() { return liveHandles; }
