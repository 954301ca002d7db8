#include "shell/key_index.h"

namespace kv {

void TKeyText::AddBeyondRoom(std::string_view part) {
  if (long_.empty()) long_.assign(inline_.data(), size_);
  long_.append(part);
  long_.push_back(kSeparator);
}

bool TKeyIndex::Holds(const TSlot& slot, const TKeyText& key) const {
  return slot.Hash == key.Hash() && key.SameTextAs(std::string_view(keys_.data() + slot.KeyOffset, slot.KeyLength));
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
