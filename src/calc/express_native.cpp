#include "calc/express_native.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <vector>

#include "calc/express.h"

#if defined(__x86_64__) && defined(__linux__)
#include <sys/mman.h>
#define KV_NATIVE_FORMULA 1
#endif

namespace kv {

#ifdef KV_NATIVE_FORMULA
namespace {

// Constants the instructions load by address.
const long double kLargestFinite = std::numeric_limits<long double>::max();
const long double kLnNearOne = kExpressLnNearOne;

// Condition codes of the short jumps, read after an unordered compare of st(0) with st(i):
// st(0) > st(i) clears ZF, PF and CF; st(0) < st(i) sets CF; equal sets ZF; unordered sets all three.
enum TJump : uint8_t {
  jBelow = 0x72,
  jAboveOrEqual = 0x73,
  jEqual = 0x74,
  jNotEqual = 0x75,
  jBelowOrEqual = 0x76,
  jAbove = 0x77,
  jParity = 0x7A,
  jAlways = 0xEB
};

// The x87 instruction sequences of the operations. Between operations the register stack holds
// exactly the last result; a two-operand step starts with y in st(0) and x in st(1), a
// one-operand step with x in st(0); every step leaves its result alone in st(0).
class TX87Writer {
public:
  const std::vector<uint8_t>& Code() const { return FCode; }
  bool Fits() const { return FFits; }

  void Bytes(std::initializer_list<uint8_t> bytes) { FCode.insert(FCode.end(), bytes); }

  void Address(const void* address) {
    Bytes({0x48, 0xB8});  // movabs rax, imm64
    uint64_t value = reinterpret_cast<uintptr_t>(address);
    for (int i = 0; i < 8; ++i, value >>= 8) FCode.push_back(static_cast<uint8_t>(value));
  }
  void Load(const long double* cell) {
    Address(cell);
    Bytes({0xDB, 0x28});  // fld tbyte [rax]
  }
  void Pop() { Bytes({0xDD, 0xD8}); }                 // fstp st(0)
  void PopInto1() { Bytes({0xDD, 0xD9}); }            // fstp st(1)
  void Duplicate() { Bytes({0xD9, 0xC0}); }           // fld st(0)
  void Exchange() { Bytes({0xD9, 0xC9}); }            // fxch st(1)
  void Zero() { Bytes({0xD9, 0xEE}); }                // fldz
  void One() { Bytes({0xD9, 0xE8}); }                 // fld1
  void CompareWith1AndPop() { Bytes({0xDF, 0xE9}); }  // fucomip st, st(1)
  void CompareWith1() { Bytes({0xDB, 0xE9}); }        // fucomi st, st(1)

  // A forward short jump, bound later to the current end of the code.
  size_t Jump(TJump condition) {
    Bytes({condition, 0});
    return FCode.size() - 1;
  }
  void Bind(size_t jump) {
    const size_t distance = FCode.size() - (jump + 1);
    if (distance > 127) FFits = false;
    FCode[jump] = static_cast<uint8_t>(distance);
  }

  // Replaces st(0) by 0 when it is not finite or is zero (negative zero included).
  void UndefinedToZero() {
    Duplicate();
    Bytes({0xD9, 0xE1});  // fabs
    Load(&kLargestFinite);
    CompareWith1AndPop();
    Pop();
    const size_t infinite = Jump(jBelow);  // also unordered: not a number
    Zero();
    CompareWith1AndPop();
    const size_t zero = Jump(jEqual);
    const size_t done = Jump(jAlways);
    Bind(infinite);
    Bind(zero);
    Pop();
    Zero();
    Bind(done);
  }

  // Drops the operands and pushes 1 where the jumps to_one lead, 0 where to_zero or the fall
  // through lead.
  void Flag(std::initializer_list<size_t> to_one, std::initializer_list<size_t> to_zero, int operands) {
    const size_t fall = Jump(jAlways);
    for (size_t jump : to_one) Bind(jump);
    for (int i = 0; i < operands; ++i) Pop();
    One();
    const size_t done = Jump(jAlways);
    Bind(fall);
    for (size_t jump : to_zero) Bind(jump);
    for (int i = 0; i < operands; ++i) Pop();
    Zero();
    Bind(done);
  }

  // Keeps x (st(1)) where the jumps to_x lead, y (st(0)) where to_y or the fall through lead.
  void Choose(std::initializer_list<size_t> to_x, std::initializer_list<size_t> to_y) {
    const size_t fall = Jump(jAlways);
    for (size_t jump : to_x) Bind(jump);
    Pop();
    const size_t done = Jump(jAlways);
    Bind(fall);
    for (size_t jump : to_y) Bind(jump);
    PopInto1();
    Bind(done);
  }

  void Divide() {
    Zero();
    CompareWith1AndPop();
    const size_t unordered = Jump(jParity);
    const size_t nonzero = Jump(jNotEqual);
    Pop();
    Pop();
    Zero();
    const size_t done = Jump(jAlways);
    Bind(unordered);
    Bind(nonzero);
    Bytes({0xDE, 0xF9});  // fdivp: st(1) / st(0)
    Bind(done);
  }

  void Sqrt() {
    Zero();
    CompareWith1AndPop();
    const size_t negative = Jump(jAbove);  // 0 > x
    Bytes({0xD9, 0xFA});                   // fsqrt
    const size_t done = Jump(jAlways);
    Bind(negative);
    Pop();
    Zero();
    Bind(done);
  }

  // ln 2 * log2 x far from 1, ln 2 * log2(1 + (x - 1)) near it, as the C library does. Values
  // that have no logarithm come out infinite or not a number and so become 0 afterwards.
  void Ln() {
    Duplicate();
    One();
    Bytes({0xDE, 0xE9});  // fsubp: x - 1
    Duplicate();
    Bytes({0xD9, 0xE1});  // fabs
    Load(&kLnNearOne);
    CompareWith1AndPop();
    Pop();
    const size_t far = Jump(jBelow);
    PopInto1();
    Bytes({0xD9, 0xED, 0xD9, 0xC9, 0xD9, 0xF9});  // fldln2, fxch, fyl2xp1
    const size_t done = Jump(jAlways);
    Bind(far);
    Pop();
    Bytes({0xD9, 0xED, 0xD9, 0xC9, 0xD9, 0xF1});  // fldln2, fxch, fyl2x
    Bind(done);
  }

  // Any other operation through its routine. The register stack must be empty across a call, so
  // x and y are handed over on the machine stack and the waiting values are kept above them.
  void Call(TExpressRoutine routine, int waiting) {
    const int32_t frame = 32 + 16 * waiting;
    Bytes({0x48, 0x81, 0xEC});  // sub rsp, frame
    Offset(frame);
    StoreOnStack(16);  // y
    StoreOnStack(0);   // x
    for (int i = 0; i < waiting; ++i) StoreOnStack(32 + 16 * i);
    Address(reinterpret_cast<const void*>(routine));
    Bytes({0xFF, 0xD0});  // call rax
    StoreOnStack(0);
    for (int i = waiting - 1; i >= 0; --i) LoadFromStack(32 + 16 * i);
    LoadFromStack(0);
    Bytes({0x48, 0x81, 0xC4});  // add rsp, frame
    Offset(frame);
  }

private:
  void Offset(int32_t value) {
    for (int i = 0; i < 4; ++i, value >>= 8) FCode.push_back(static_cast<uint8_t>(value & 0xFF));
  }
  void StoreOnStack(int32_t offset) {
    Bytes({0xDB, 0xBC, 0x24});  // fstp tbyte [rsp + offset]
    Offset(offset);
  }
  void LoadFromStack(int32_t offset) {
    Bytes({0xDB, 0xAC, 0x24});  // fld tbyte [rsp + offset]
    Offset(offset);
  }

  std::vector<uint8_t> FCode;
  bool FFits = true;
};

bool IsUnary(TExpressOpCode code) {
  switch (code) {
    case ocAdd:
    case ocSubtract:
    case ocMultiply:
    case ocDivide:
    case ocIntPower:
    case ocRealPower:
    case ocMax:
    case ocMin:
    case ocRn:
    case ocArg:
    case ocR:
    case ocRm:
    case ocLt:
    case ocEq:
    case ocLe:
    case ocNe: return false;
    default: return true;
  }
}

// The results computed and not yet read, in the order they wait on the register stack (the last
// one on top). The list comes from a formula's tree, so every result is read exactly once, by a
// later step that finds it on top of the stack: the values never need to leave the registers.
class TWaitingResults {
public:
  bool Computed(const long double* cell) const {
    return std::find(FComputed.begin(), FComputed.end(), cell) != FComputed.end();
  }
  // Takes the top value if it is the cell's; false where the list does not keep the stack order.
  bool Take(const long double* cell) {
    if (FWaiting.empty() || FWaiting.back() != cell) return false;
    FWaiting.pop_back();
    return true;
  }
  void Push(const long double* cell) {
    FWaiting.push_back(cell);
    FComputed.push_back(cell);
  }
  int Count() const { return static_cast<int>(FWaiting.size()); }

private:
  std::vector<const long double*> FWaiting;
  std::vector<const long double*> FComputed;
};

// Brings the operands of a step onto the register stack, y in st(0) and x in st(1); false where
// the list does not keep the stack order.
bool LoadOperands(TX87Writer& writer, const TExpressOperation& op, TWaitingResults& waiting) {
  const bool computed1 = waiting.Computed(op.Arg1);
  if (IsUnary(op.Code)) {
    if (computed1) return waiting.Take(op.Arg1);
    writer.Load(op.Arg1);
    return true;
  }
  const bool computed2 = waiting.Computed(op.Arg2);
  if (computed2 && !waiting.Take(op.Arg2)) return false;
  if (computed1 && !waiting.Take(op.Arg1)) return false;
  if (!computed1) writer.Load(op.Arg1);
  if (!computed2) writer.Load(op.Arg2);
  if (!computed1 && computed2) writer.Exchange();
  return true;
}

bool IsFlag(TExpressOpCode code) {
  return code == ocHeav || code == ocLt || code == ocEq || code == ocLe || code == ocNe;
}

// Writes the step's computation; false for the random operations, whose routines may raise and
// so must not run inside translated code.
bool WriteStep(TX87Writer& writer, const TExpressOperation& op, int waiting) {
  switch (op.Code) {
    case ocVariable:
    case ocNumber:
    case ocParameter:
    case ocPi: return true;
    case ocNegate: writer.Bytes({0xD9, 0xE0}); return true;    // fchs
    case ocAbs: writer.Bytes({0xD9, 0xE1}); return true;       // fabs
    case ocAdd: writer.Bytes({0xDE, 0xC1}); return true;       // faddp
    case ocSubtract: writer.Bytes({0xDE, 0xE9}); return true;  // fsubp: st(1) - st(0)
    case ocMultiply: writer.Bytes({0xDE, 0xC9}); return true;  // fmulp
    case ocSquare:
      writer.Bytes({0xD8, 0xC8});
      return true;  // fmul st, st
    // (x * x) * x and ((x * x) * x) * x, in the order the routines multiply.
    case ocCube: writer.Bytes({0xD9, 0xC0, 0xD8, 0xC8, 0xDE, 0xC9}); return true;
    case ocFourth: writer.Bytes({0xD9, 0xC0, 0xD8, 0xC8, 0xD8, 0xC9, 0xDE, 0xC9}); return true;
    case ocDivide: writer.Divide(); return true;
    case ocSqrt: writer.Sqrt(); return true;
    case ocLn: writer.Ln(); return true;
    case ocRn:
    case ocRm: return false;
    default: break;
  }
  const bool compares = op.Code == ocMax || op.Code == ocMin || (IsFlag(op.Code) && op.Code != ocHeav);
  if (compares) writer.CompareWith1();  // y against x
  switch (op.Code) {
    case ocMax: {  // x > y, not when unordered
      const size_t unordered = writer.Jump(jParity);
      const size_t greater = writer.Jump(jBelow);
      writer.Choose({greater}, {unordered});
      return true;
    }
    case ocMin: writer.Choose({writer.Jump(jAbove)}, {}); return true;  // x < y
    case ocLt: writer.Flag({writer.Jump(jAbove)}, {}, 2); return true;
    case ocLe: writer.Flag({writer.Jump(jAboveOrEqual)}, {}, 2); return true;
    case ocEq: {
      const size_t unordered = writer.Jump(jParity);
      const size_t equal = writer.Jump(jEqual);
      writer.Flag({equal}, {unordered}, 2);
      return true;
    }
    case ocNe: {
      const size_t unordered = writer.Jump(jParity);
      const size_t unequal = writer.Jump(jNotEqual);
      writer.Flag({unordered, unequal}, {}, 2);
      return true;
    }
    case ocHeav: {  // 0 <= x, not when unordered
      writer.Zero();
      writer.CompareWith1AndPop();
      const size_t unordered = writer.Jump(jParity);
      const size_t non_negative = writer.Jump(jBelowOrEqual);
      writer.Flag({non_negative}, {unordered}, 1);
      return true;
    }
    default:
      if (IsUnary(op.Code)) writer.Duplicate();  // the routine's y is x again
      writer.Call(op.Routine, waiting);
      return true;
  }
}

// Every step needs at most four registers above the values waiting below its operands (the
// logarithm: x, x - 1, |x - 1| and the bound), and the processor has eight.
constexpr int kMostWaiting = 4;

std::vector<uint8_t> Translated(const OParse& parse) {
  TX87Writer writer;
  writer.Bytes({0x55});  // push rbp: the machine stack aligned for the routines' calls
  TWaitingResults waiting;
  for (const TExpressOperation& op : parse.Operations()) {
    if (!LoadOperands(writer, op, waiting) || waiting.Count() > kMostWaiting) return {};
    if (!WriteStep(writer, op, waiting.Count())) return {};
    if (!IsFlag(op.Code)) writer.UndefinedToZero();
    waiting.Push(op.Result);
  }
  if (waiting.Count() != 1) return {};
  writer.Bytes({0x5D, 0xC3});  // pop rbp, ret
  if (!writer.Fits()) return {};
  return writer.Code();
}

}  // namespace
#endif

TNativeFormula::~TNativeFormula() { Clear(); }

bool TNativeFormula::Translate(const OParse& parse) {
  Clear();
#ifdef KV_NATIVE_FORMULA
  if (parse.Empty()) return false;
  const std::vector<uint8_t> code = Translated(parse);
  if (code.empty()) return false;
  // Written while writable, then made executable and no longer writable.
  void* memory = mmap(nullptr, code.size(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return false;
  std::memcpy(memory, code.data(), code.size());
  if (mprotect(memory, code.size(), PROT_READ | PROT_EXEC) != 0) {
    munmap(memory, code.size());
    return false;
  }
  FCode = memory;
  FSize = code.size();
  FEntry = reinterpret_cast<TEntry>(memory);
  return true;
#else
  return false;
#endif
}

void TNativeFormula::Clear() {
#ifdef KV_NATIVE_FORMULA
  if (FCode != nullptr) munmap(FCode, FSize);
#endif
  FCode = nullptr;
  FSize = 0;
  FEntry = nullptr;
}

}  // namespace kv
