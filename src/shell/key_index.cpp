#include "shell/key_index.h"

#include <cstring>

namespace kv {

namespace {

constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

uint64_t Mixed(uint64_t value) {
  value ^= value >> 32;
  value *= kMultiplier;
  return value ^ (value >> 29);
}

uint64_t Word(const char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, 8);
  return word;
}

uint32_t HalfWord(const char* bytes) {
  uint32_t word;
  std::memcpy(&word, bytes, 4);
  return word;
}

}  // namespace

// Keys are short (an article, a code, a few numbers), so they are taken eight bytes at a time; the
// last word ends at the key's end and may overlap the one before.
uint64_t TKeyIndex::Hash(std::string_view key) {
  const char* bytes = key.data();
  const size_t size = key.size();
  uint64_t hash = size * kMultiplier;
  if (size >= 8) {
    for (size_t i = 0; i + 8 < size; i += 8) {
      hash = (hash ^ Word(bytes + i)) * kMultiplier;
      hash ^= hash >> 31;
    }
    return Mixed(hash ^ Word(bytes + size - 8));
  }
  uint64_t tail = 0;
  if (size >= 4) {
    tail = (uint64_t{HalfWord(bytes)} << 32) | HalfWord(bytes + size - 4);
  } else {
    for (size_t i = 0; i < size; ++i) tail = (tail << 8) | static_cast<unsigned char>(bytes[i]);
  }
  return Mixed(hash ^ tail);
}

bool TKeyIndex::Holds(const TSlot& slot, std::string_view key, uint64_t hash) const {
  return slot.Hash == hash && slot.KeyLength == key.size() &&
         std::memcmp(keys_.data() + slot.KeyOffset, key.data(), key.size()) == 0;
}

size_t TKeyIndex::SlotOf(std::string_view key, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  size_t at = hash & mask;
  while (slots_[at].Used && !Holds(slots_[at], key, hash)) at = (at + 1) & mask;
  return at;
}

void TKeyIndex::Grow() {
  std::vector<TSlot> old = std::move(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, TSlot{});
  const size_t mask = slots_.size() - 1;
  for (const TSlot& slot : old) {
    if (!slot.Used) continue;
    size_t at = slot.Hash & mask;
    while (slots_[at].Used) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

void TKeyIndex::Insert(std::string_view key, uint32_t position) {
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  const uint64_t hash = Hash(key);
  TSlot& slot = slots_[SlotOf(key, hash)];
  if (!slot.Used) {
    slot =
        TSlot{hash, static_cast<uint32_t>(keys_.size()), static_cast<uint32_t>(key.size()), position, kNoGroup, true};
    keys_.append(key);
    ++used_;
    return;
  }
  if (slot.Group == kNoGroup) {
    slot.Group = static_cast<uint32_t>(groups_.size());
    groups_.push_back({slot.First});
  }
  groups_[slot.Group].push_back(position);
}

std::span<const uint32_t> TKeyIndex::Find(std::string_view key) const {
  if (slots_.empty()) return {};
  const TSlot& slot = slots_[SlotOf(key, Hash(key))];
  if (!slot.Used) return {};
  if (slot.Group == kNoGroup) return {&slot.First, 1};
  return groups_[slot.Group];
}

void TKeyIndex::Clear() {
  slots_.clear();
  keys_.clear();
  groups_.clear();
  used_ = 0;
}

}  // namespace kv
