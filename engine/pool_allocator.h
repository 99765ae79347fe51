#pragma once
// PoolAllocator: an allocator for records that are made and dropped every frame
// (bullets, debris, explosions, sound channels). Freed blocks go onto a free list
// kept per block size and are handed out again, so once a level has warmed up
// these records cost the heap nothing. Blocks are never returned to the heap;
// the list stays as long as the largest number alive at once.
//
// Use with std::allocate_shared, which rebinds the allocator to its combined
// control block and record, one block per record.
#include <cstddef>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace vn {

template <size_t Size, size_t Align>
class BlockPool {
 public:
  static void* Take() {
    {
      std::lock_guard lock(mutex_);  // sound channels may be dropped on the audio thread
      if (free_ != nullptr) {
        FreeBlock* block = free_;
        free_ = block->next;
        return block;
      }
    }
    return ::operator new(kBlockSize, std::align_val_t{kAlign});
  }

  static void Give(void* pointer) {
    auto* block = static_cast<FreeBlock*>(pointer);
    std::lock_guard lock(mutex_);
    block->next = free_;
    free_ = block;
  }

 private:
  struct FreeBlock { FreeBlock* next; };
  static constexpr size_t kBlockSize = Size < sizeof(FreeBlock) ? sizeof(FreeBlock) : Size;
  static constexpr size_t kAlign = Align < alignof(FreeBlock) ? alignof(FreeBlock) : Align;
  static inline std::mutex mutex_;
  static inline FreeBlock* free_ = nullptr;
};

template <typename T>
struct PoolAllocator {
  using value_type = T;

  PoolAllocator() = default;
  template <typename U>
  PoolAllocator(const PoolAllocator<U>&) noexcept {}

  T* allocate(size_t count) {
    if (count != 1) return std::allocator<T>().allocate(count);
    return static_cast<T*>(BlockPool<sizeof(T), alignof(T)>::Take());
  }

  void deallocate(T* pointer, size_t count) noexcept {
    if (count != 1) return std::allocator<T>().deallocate(pointer, count);
    BlockPool<sizeof(T), alignof(T)>::Give(pointer);
  }

  template <typename U>
  bool operator==(const PoolAllocator<U>&) const noexcept { return true; }
};

// std::make_shared with the record's memory taken from its pool.
template <typename T>
std::shared_ptr<T> MakePooled() {
  return std::allocate_shared<T>(PoolAllocator<T>());
}

// Fills T's pool with `count` blocks up front, so the first busy moments of a
// level take no memory from the heap either.
template <typename T>
void WarmPool(size_t count) {
  std::vector<std::shared_ptr<T>> records;
  records.reserve(count);
  for (size_t i = 0; i < count; ++i) records.push_back(MakePooled<T>());
}

}  // namespace vn
