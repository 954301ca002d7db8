#pragma once
// Small helpers over the owning lists (vectors of unique_ptr) of the model.
#include <algorithm>
#include <memory>
#include <vector>

namespace kv {

// Item Index of a closed contour list, counted cyclically; nullptr for an empty list.
template <class T>
T* CyclicItem(const std::vector<std::unique_ptr<T>>& List, int Index) {
  const int count = static_cast<int>(List.size());
  if (count == 0) return nullptr;
  return List[static_cast<size_t>(((Index % count) + count) % count)].get();
}

// Position of Item in List, -1 when absent.
template <class T, class U>
int IndexOfOwned(const std::vector<std::unique_ptr<T>>& List, const U* Item) {
  for (size_t i = 0; i < List.size(); ++i)
    if (List[i].get() == Item) return static_cast<int>(i);
  return -1;
}

// Deletes Item from List; false when it is not there.
template <class T, class U>
bool RemoveOwned(std::vector<std::unique_ptr<T>>& List, const U* Item) {
  const int index = IndexOfOwned(List, Item);
  if (index < 0) return false;
  List.erase(List.begin() + index);
  return true;
}

}  // namespace kv
