#pragma once
// The key index of an in-memory table: from the text of a key to the positions of its rows in
// table order. The slots sit in one array probed by open addressing and the key texts back to back
// in one string, each slot keeping its key's hash, so a probe compares texts only on a full hash
// match, without following list nodes.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The text of a key: each part followed by a unit separator. The hash is taken part by part as
// the parts are added, from the texts where they lie, so a probe never reads the assembled key back
// to hash it. A key of the usual length is built in place, so a probe allocates nothing.
class TKeyText {
public:
  // Each part's hash is worked out on its own, so the parts of a key hash side by side; the turn of
  // the hash before keeps the same texts in another order apart. Inline with its hash and comparison,
  // as every probe adds parts and compares its key.
  TKeyText& Add(std::string_view part) {
    hash_ = std::rotl(hash_, 23) ^ PartHash(part);
    if (long_.empty() && size_ + part.size() < kInlineSize) {
      std::copy(part.begin(), part.end(), inline_.data() + size_);
      size_ += part.size();
      inline_[size_++] = kSeparator;
    } else {
      AddBeyondRoom(part);
    }
    return *this;
  }
  std::string_view Text() const { return long_.empty() ? std::string_view(inline_.data(), size_) : long_; }
  uint64_t Hash() const { return hash_; }
  // The key's text compared with a stored one as it is hashed, a word at a time.
  bool SameTextAs(std::string_view stored) const {
    const std::string_view text = Text();
    const size_t size = text.size();
    if (stored.size() != size) return false;
    const char* a = text.data();
    const char* b = stored.data();
    if (size >= 8) {
      for (size_t i = 0; i + 8 < size; i += 8) {
        if (Word(a + i) != Word(b + i)) return false;
      }
      return Word(a + size - 8) == Word(b + size - 8);
    }
    if (size >= 4) return HalfWord(a) == HalfWord(b) && HalfWord(a + size - 4) == HalfWord(b + size - 4);
    return std::equal(a, a + size, b);
  }

private:
  static constexpr size_t kInlineSize = 64;
  static constexpr char kSeparator = '\x1f';
  static constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

  static uint64_t Word(const char* bytes) {
    uint64_t word;
    std::memcpy(&word, bytes, 8);
    return word;
  }
  static uint32_t HalfWord(const char* bytes) {
    uint32_t word;
    std::memcpy(&word, bytes, 4);
    return word;
  }
  static uint64_t Mixed(uint64_t value) {
    value ^= value >> 32;
    value *= kMultiplier;
    return value ^ (value >> 29);
  }
  // Parts are short (an article, a code, a number), so they are taken eight bytes at a time; the
  // last word ends at the part's end and may overlap the one before.
  static uint64_t PartHash(std::string_view part) {
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
  void AddBeyondRoom(std::string_view part);

  std::array<char, kInlineSize> inline_;
  size_t size_ = 0;
  uint64_t hash_ = 0;
  std::string long_;  // the key once it outgrows the room in place
};

class TKeyIndex {
public:
  // Adds a row position under the key; positions of one key come in ascending order.
  void Insert(const TKeyText& key, uint32_t position);
  // The positions of the key's rows in table order; empty when the key is absent.
  std::span<const uint32_t> Find(const TKeyText& key) const;
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

  // The slot holding the key, or the free slot where it belongs.
  size_t SlotOf(const TKeyText& key) const;
  bool Holds(const TSlot& slot, const TKeyText& key) const;
  // Doubles the slots once they are half used, so probe runs stay short.
  void Grow();

  std::vector<TSlot> slots_;
  std::string keys_;
  std::vector<std::vector<uint32_t>> groups_;
  size_t used_ = 0;
};

}  // namespace kv
