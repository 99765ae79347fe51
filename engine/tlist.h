#pragma once
// TList: an ordered list of shared records with the walking rules the game relies
// on: removing the record being visited is safe and does not skip the next one,
// and records appended during a walk are visited in the same walk.
#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace vn {

template <typename T>
class TList {
 public:
  using Ref = std::shared_ptr<T>;

  void AddLast(Ref item) { items_.push_back(std::move(item)); ++count_; }

  // Removes the first entry that is the same record; 1 if found, else 0.
  int Remove(const Ref& item) {
    for (size_t i = 0; i < items_.size(); ++i) {
      if (items_[i] && items_[i] == item) {
        if (walking_ > 0) items_[i].reset();
        else items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        --count_;
        return 1;
      }
    }
    return 0;
  }

  void Clear() {
    if (walking_ > 0) for (auto& item : items_) item.reset();
    else items_.clear();
    count_ = 0;
  }

  // Room for `count` records, so appending up to that many never reallocates.
  void Reserve(size_t count) { items_.reserve(count); }

  size_t Count() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }

  // Calls visit(ref) for every record front to back. visit may return void, or
  // bool where false stops the walk.
  template <typename Visit>
  void ForEach(Visit&& visit) {
    ++walking_;
    struct Guard { TList* list; ~Guard() { if (--list->walking_ == 0) list->Compact(); } } guard{this};
    for (size_t i = 0; i < items_.size(); ++i) {
      Ref item = items_[i];
      if (!item) continue;
      if constexpr (std::is_same_v<decltype(visit(item)), bool>) {
        if (!visit(item)) break;
      } else {
        visit(item);
      }
    }
  }

  // The records in order (a copy, safe to keep while the list changes).
  std::vector<Ref> Snapshot() const {
    std::vector<Ref> out;
    out.reserve(count_);
    for (const auto& item : items_) if (item) out.push_back(item);
    return out;
  }

  Ref First() const {
    for (const auto& item : items_) if (item) return item;
    return nullptr;
  }

 private:
  void Compact() {
    std::erase_if(items_, [](const Ref& r) { return !r; });
  }
  std::vector<Ref> items_;
  size_t count_ = 0;
  int walking_ = 0;
};

}  // namespace vn
