#include "calc/express_native.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include "calc/express.h"

#if defined(__x86_64__) && defined(__linux__)
#include <sys/mman.h>
#define KV_NATIVE_FORMULA 1
#endif

namespace kv {

#ifdef KV_NATIVE_FORMULA
namespace {

// Where the values of a step come from: the variables are the entry's arguments, the parameters'
// cells change between evaluations, and every other operand cell holds a constant.
struct TOperandCells {
  const std::array<long double*, 3>& Variables;
  const std::array<long double*, 6>& Parameters;
};

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

// The x87 instruction sequences of the operations. A two-operand step starts with y in st(0) and x
// in st(1), a one-operand step with x in st(0); every step leaves its result in st(0) in place of
// its operands and does not touch the values below them.
class TX87Writer {
public:
  explicit TX87Writer(const TOperandCells& cells) : FCells(cells) {}

  bool Fits() const { return FFits; }
  // The code followed by the doubles it loads.
  std::vector<uint8_t> Finished() {
    for (const auto& [jump, back] : FZeroings) {
      BindLong(jump);
      Pop();
      Zero();
      Bytes({0xE9, 0, 0, 0, 0});  // jmp back
      PutDistance(FCode.size() - 4, back);
    }
    while (FCode.size() % 8 != 0) FCode.push_back(0xCC);  // int3 padding
    const size_t pool = FCode.size();
    for (const auto& [at, index] : FPoolReads) PutDistance(at, pool + 8 * index);
    const size_t bytes = FPool.size() * sizeof(double);
    FCode.resize(pool + bytes);
    if (bytes != 0) std::memcpy(&FCode[pool], FPool.data(), bytes);
    return std::move(FCode);
  }

  void Bytes(std::initializer_list<uint8_t> bytes) { FCode.insert(FCode.end(), bytes); }

  void Address(const void* address) {
    Bytes({0x48, 0xB8});  // movabs rax, imm64
    uint64_t value = reinterpret_cast<uintptr_t>(address);
    for (int i = 0; i < 8; ++i, value >>= 8) FCode.push_back(static_cast<uint8_t>(value));
  }
  void Load(const long double* cell) {
    if (!ShortConstant(cell)) {
      Address(cell);
      return Bytes({0xDB, 0x28});  // fld tbyte [rax]
    }
    if (*cell == 0) return Zero();
    if (*cell == 1) return One();
    LoadDouble(static_cast<double>(*cell));
  }
  // A constant loaded by a short instruction: 0, 1 or another value a double holds exactly.
  // Loading the other operands reads the whole extended value, which is slower.
  bool ShortConstant(const long double* cell) const {
    const auto& variables = FCells.Variables;
    const auto& parameters = FCells.Parameters;
    if (std::find(variables.begin(), variables.end(), cell) != variables.end() ||
        std::find(parameters.begin(), parameters.end(), cell) != parameters.end())
      return false;
    if (*cell == 0) return !std::signbit(*cell);
    return static_cast<long double>(static_cast<double>(*cell)) == *cell;
  }
  void Copy(int i) { Bytes({0xD9, static_cast<uint8_t>(0xC0 + i)}); }  // fld st(i)
  void LoadDouble(double value) {
    auto found = std::find(FPool.begin(), FPool.end(), value);
    if (found == FPool.end()) found = FPool.insert(FPool.end(), value);
    Bytes({0xDD, 0x05, 0, 0, 0, 0});  // fld qword [rip + pool entry]
    FPoolReads.emplace_back(FCode.size() - 4, static_cast<size_t>(found - FPool.begin()));
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
  // A forward near jump, bound later.
  size_t LongJump(TJump condition) {
    Bytes({0x0F, static_cast<uint8_t>(condition + 0x10), 0, 0, 0, 0});
    return FCode.size() - 4;
  }
  void BindLong(size_t jump) { PutDistance(jump, FCode.size()); }
  // The displacement at `at` of an instruction that ends there plus 4, to reach `target`.
  void PutDistance(size_t at, size_t target) {
    const auto distance = static_cast<int32_t>(static_cast<int64_t>(target) - static_cast<int64_t>(at + 4));
    std::memcpy(&FCode[at], &distance, 4);
  }
  void Bind(size_t jump) {
    const size_t distance = FCode.size() - (jump + 1);
    if (distance > 127) FFits = false;
    FCode[jump] = static_cast<uint8_t>(distance);
  }

  // Replaces st(0) by 0 when it is not finite or is zero (negative zero included): v - v is 0
  // for a finite v and not a number otherwise, and compares equal or unordered with v exactly
  // then. The replacing is rare, so it is done out of line and the usual path runs straight on.
  void UndefinedToZero() {
    Duplicate();
    Bytes({0xD8, 0xE1});  // fsub st, st(1)
    CompareWith1AndPop();
    const size_t jump = LongJump(jEqual);
    FZeroings.emplace_back(jump, FCode.size());
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
    LoadDouble(kExpressLnNearOne);
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

  const TOperandCells& FCells;
  std::vector<uint8_t> FCode;
  std::vector<double> FPool;
  std::vector<std::pair<size_t, size_t>> FPoolReads;  // where a displacement goes, which entry
  std::vector<std::pair<size_t, size_t>> FZeroings;  // the jump out, where to come back
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

// The operations written as instructions of their own; the others call their routines.
bool WrittenInline(TExpressOpCode code) {
  switch (code) {
    case ocVariable:
    case ocNumber:
    case ocParameter:
    case ocPi:
    case ocNegate:
    case ocAbs:
    case ocAdd:
    case ocSubtract:
    case ocMultiply:
    case ocSquare:
    case ocCube:
    case ocFourth:
    case ocDivide:
    case ocSqrt:
    case ocLn:
    case ocMax:
    case ocMin:
    case ocLt:
    case ocEq:
    case ocLe:
    case ocNe:
    case ocHeav: return true;
    default: return false;
  }
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

// A rough cost of a step, so that the costlier of two independent operands is started first and
// the rest of the formula is computed while it finishes.
int StepCost(TExpressOpCode code) {
  switch (code) {
    case ocDivide:
    case ocSqrt: return 8;
    case ocLn: return 40;
    default: return WrittenInline(code) ? 1 : 40;  // else a routine's call
  }
}

// The list read back as the formula's tree: each step's operands are constants, variables,
// parameters or the results of earlier steps, each result read by exactly one later step. The
// tree is written operands first, costlier operand first, so every value waits in the registers.
// Operands read more than once can stay in the registers below all others for the whole formula
// (residents), so they are read from memory once.
class TTreeWriter {
public:
  TTreeWriter(const OParse& parse, TX87Writer& writer, std::vector<const long double*> residents)
      : FOps(parse.Operations()), FWriter(writer), FResidents(std::move(residents)) {
    FCosts.reserve(FOps.size());
    for (size_t i = 0; i < FOps.size(); ++i) {
      int cost = StepCost(FOps[i].Code);
      for (const long double* arg : Operands(FOps[i]))
        if (const int step = StepOf(arg, i); step >= 0) cost += FCosts[step];
      FCosts.push_back(cost);
    }
  }

  bool WriteAll() {
    FReadResults.assign(FOps.size(), false);
    for (const long double* cell : FResidents) FWriter.Load(cell);
    if (FOps.empty() || !Write(static_cast<int>(FOps.size()) - 1)) return false;
    for (size_t i = 0; i < FResidents.size(); ++i) FWriter.PopInto1();
    return std::count(FReadResults.begin(), FReadResults.end(), true) == static_cast<long>(FOps.size()) - 1;
  }

  // The operands read more than once from memory, in the order of their first reading.
  static std::vector<const long double*> RepeatedOperands(const OParse& parse, const TX87Writer& writer) {
    std::vector<const long double*> read, repeated;
    const auto& ops = parse.Operations();
    for (size_t i = 0; i < ops.size(); ++i)
      for (const long double* cell : Operands(ops[i])) {
        if (StepOf(ops, cell, i) >= 0 || writer.ShortConstant(cell)) continue;
        if (std::find(read.begin(), read.end(), cell) == read.end())
          read.push_back(cell);
        else if (std::find(repeated.begin(), repeated.end(), cell) == repeated.end())
          repeated.push_back(cell);
      }
    return repeated;
  }

private:
  static std::vector<const long double*> Operands(const TExpressOperation& op) {
    if (IsUnary(op.Code)) return {op.Arg1};
    return {op.Arg1, op.Arg2};
  }

  // The earlier step whose result the cell is, or -1.
  static int StepOf(const std::vector<TExpressOperation>& ops, const long double* cell, size_t before) {
    for (size_t i = 0; i < before; ++i)
      if (ops[i].Result == cell) return static_cast<int>(i);
    return -1;
  }
  int StepOf(const long double* cell, size_t before) const { return StepOf(FOps, cell, before); }

  // Writes a computed operand; false where the result was read already.
  bool WriteOperand(int step) {
    if (FReadResults[step]) return false;
    FReadResults[step] = true;
    return Write(step);
  }

  void Load(const long double* cell) {
    const auto resident = std::find(FResidents.begin(), FResidents.end(), cell);
    if (resident == FResidents.end())
      FWriter.Load(cell);
    else  // the residents lie below the working values, the last loaded on top
      FWriter.Copy(FDepth + static_cast<int>(FResidents.end() - resident) - 1);
    ++FDepth;
  }

  // Brings the operands onto the register stack, y in st(0) and x in st(1).
  bool WriteOperands(const TExpressOperation& op, int index) {
    const int step1 = StepOf(op.Arg1, index);
    if (IsUnary(op.Code)) {
      if (step1 < 0) Load(op.Arg1);
      return step1 < 0 || WriteOperand(step1);
    }
    const int step2 = StepOf(op.Arg2, index);
    if (step1 >= 0 && step2 >= 0 && FCosts[step2] > FCosts[step1]) {
      if (!WriteOperand(step2) || !WriteOperand(step1)) return false;
      FWriter.Exchange();
      return true;
    }
    return WriteOperandOrLoad(op.Arg1, step1) && WriteOperandOrLoad(op.Arg2, step2);
  }

  bool WriteOperandOrLoad(const long double* cell, int step) {
    if (step >= 0) return WriteOperand(step);
    Load(cell);
    return true;
  }

  bool Write(int index) {
    const TExpressOperation& op = FOps[index];
    if (!WriteOperands(op, index)) return false;
    const int operands = IsUnary(op.Code) ? 1 : 2;
    const int waiting = FDepth - operands;
    const int below = waiting + static_cast<int>(FResidents.size());
    if (below > kMostWaiting || !WriteStep(FWriter, op, below)) return false;
    if (!IsFlag(op.Code)) FWriter.UndefinedToZero();
    FDepth = waiting + 1;
    return true;
  }

  const std::vector<TExpressOperation>& FOps;
  TX87Writer& FWriter;
  std::vector<const long double*> FResidents;
  std::vector<int> FCosts;
  std::vector<bool> FReadResults;
  int FDepth = 0;
};

// With as many residents as the registers leave room for.
std::vector<uint8_t> Translated(const OParse& parse, const TOperandCells& cells) {
  const std::vector<const long double*> repeated = TTreeWriter::RepeatedOperands(parse, TX87Writer(cells));
  for (size_t residents = repeated.size() + 1; residents-- > 0;) {
    TX87Writer writer(cells);
    writer.Bytes({0x55});  // push rbp: the machine stack aligned for the routines' calls
    TTreeWriter tree(parse, writer, {repeated.begin(), repeated.begin() + static_cast<long>(residents)});
    if (!tree.WriteAll()) continue;
    writer.Bytes({0x5D, 0xC3});  // pop rbp, ret
    if (writer.Fits()) return writer.Finished();
  }
  return {};
}

}  // namespace
#endif

TNativeFormula::~TNativeFormula() { Clear(); }

bool TNativeFormula::Translate(const OParse& parse, const std::array<long double*, 3>& variable_cells,
                               const std::array<long double*, 6>& parameter_cells) {
  Clear();
#ifdef KV_NATIVE_FORMULA
  if (parse.Empty()) return false;
  const std::vector<uint8_t> code = Translated(parse, {variable_cells, parameter_cells});
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
