#pragma once
// A compiled formula turned into the processor's own instructions. A formula that a price method
// evaluates thousands of times is worth translating: the operation list is walked once and every
// step becomes the same extended-precision instructions the list's routines execute, with the
// values kept in the floating-point registers between steps. The result is the same to the last
// bit as running the list.
#include <cstddef>

namespace kv {

class OParse;

class TNativeFormula {
public:
  TNativeFormula() = default;
  TNativeFormula(const TNativeFormula&) = delete;
  TNativeFormula& operator=(const TNativeFormula&) = delete;
  ~TNativeFormula();

  // Translates the list; false (and nothing held) where the processor, the system's memory
  // protection or one of the operations does not allow it, so the list is run instead.
  bool Translate(const OParse& parse);
  void Clear();
  bool Ready() const { return FEntry != nullptr; }
  // Evaluates with the cells' current values, as OParse::Run does.
  long double Run() const { return FEntry(); }

private:
  using TEntry = long double (*)();
  void* FCode = nullptr;
  size_t FSize = 0;
  TEntry FEntry = nullptr;
};

}  // namespace kv
