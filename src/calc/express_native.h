#pragma once
// A compiled formula turned into the processor's own instructions. A formula that a price method
// evaluates thousands of times is worth translating: the operation list is walked once and every
// step becomes the same extended-precision instructions the list's routines execute, with the
// values kept in the floating-point registers between steps. The result is the same to the last
// bit as running the list.
#include <array>
#include <cstddef>

namespace kv {

class OParse;

class TNativeFormula {
public:
  TNativeFormula() = default;
  TNativeFormula(const TNativeFormula&) = delete;
  TNativeFormula& operator=(const TNativeFormula&) = delete;
  ~TNativeFormula();

  // Translates the list, whose operands are the variable cells, the parameter cells and
  // constants; false (and nothing held) where the processor, the system's memory protection or
  // one of the operations does not allow it, so the list is run instead.
  bool Translate(const OParse& parse, const std::array<long double*, 3>& variable_cells,
                 const std::array<long double*, 6>& parameter_cells);
  void Clear();
  bool Ready() const { return FEntry != nullptr; }
  // The translated code: it reads the variable and parameter cells' current values and not its
  // context, and computes what OParse::Run does.
  using TEntry = long double (*)(void* context);
  TEntry Entry() const { return FEntry; }

private:
  void* FCode = nullptr;
  size_t FSize = 0;
  TEntry FEntry = nullptr;
};

}  // namespace kv
