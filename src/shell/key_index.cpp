#include "shell/key_index.h"

#include <algorithm>
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

// Key texts compared as they are hashed, a word at a time.
bool SameText(const char* a, const char* b, size_t size) {
  if (size >= 8) {
    for (size_t i = 0; i + 8 < size; i += 8) {
      if (Word(a + i) != Word(b + i)) return false;
    }
    return Word(a + size - 8) == Word(b + size - 8);
  }
  if (size >= 4) return HalfWord(a) == HalfWord(b) && HalfWord(a + size - 4) == HalfWord(b + size - 4);
  return std::equal(a, a + size, b);
}

}  // namespace

// Parts are short (an article, a code, a number), so they are taken eight bytes at a time; the
// last word ends at the part's end and may overlap the one before.
uint64_t TKeyText::PartHash(std::string_view part) {
  const char* bytes = part.data();
  const size_t size = part.size();
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

void TKeyText::AddBeyondRoom(std::string_view part) {
  if (long_.empty()) long_.assign(inline_.data(), size_);
  long_.append(part);
  long_.push_back(kSeparator);
}

bool TKeyIndex::Holds(const TSlot& slot, const TKeyText& key) const {
  const std::string_view text = key.Text();
  return slot.Hash == key.Hash() && slot.KeyLength == text.size() &&
         SameText(keys_.data() + slot.KeyOffset, text.data(), text.size());
}

size_t TKeyIndex::SlotOf(const TKeyText& key) const {
  const size_t mask = slots_.size() - 1;
  size_t at = key.Hash() & mask;
  while (slots_[at].Used && !Holds(slots_[at], key)) at = (at + 1) & mask;
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

void TKeyIndex::Insert(const TKeyText& key, uint32_t position) {
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  TSlot& slot = slots_[SlotOf(key)];
  if (!slot.Used) {
    const std::string_view text = key.Text();
    slot = TSlot{
        key.Hash(), static_cast<uint32_t>(keys_.size()), static_cast<uint32_t>(text.size()), position, kNoGroup, true};
    keys_.append(text);
    ++used_;
    return;
  }
  if (slot.Group == kNoGroup) {
    slot.Group = static_cast<uint32_t>(groups_.size());
    groups_.push_back({slot.First});
  }
  groups_[slot.Group].push_back(position);
}

std::span<const uint32_t> TKeyIndex::Find(const TKeyText& key) const {
  if (slots_.empty()) return {};
  const TSlot& slot = slots_[SlotOf(key)];
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
