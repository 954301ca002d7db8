#pragma once
// The key index of an in-memory table: from the text of a key to the positions of its rows in
// table order. The slots sit in one array probed by open addressing and the key texts back to back
// in one string, each slot keeping its key's hash, so a probe hashes the key once and compares
// texts only on a full hash match, without following list nodes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class TKeyIndex {
public:
  // Adds a row position under the key; positions of one key come in ascending order.
  void Insert(std::string_view key, uint32_t position);
  // The positions of the key's rows in table order; empty when the key is absent.
  std::span<const uint32_t> Find(std::string_view key) const;
  void Clear();

private:
  static constexpr uint32_t kNoGroup = UINT32_MAX;

  // A key with its first row; a key with several rows keeps them all in a group.
  struct TSlot {
    uint64_t Hash = 0;
    uint32_t KeyOffset = 0;
    uint32_t KeyLength = 0;
    uint32_t First = 0;
    uint32_t Group = kNoGroup;
    bool Used = false;
  };

  static uint64_t Hash(std::string_view key);
  // The slot holding the key, or the free slot where it belongs.
  size_t SlotOf(std::string_view key, uint64_t hash) const;
  bool Holds(const TSlot& slot, std::string_view key, uint64_t hash) const;
  // Doubles the slots once they are half used, so probe runs stay short.
  void Grow();

  std::vector<TSlot> slots_;
  std::string keys_;
  std::vector<std::vector<uint32_t>> groups_;
  size_t used_ = 0;
};

}  // namespace kv
