#include "calc/furn_conditions.h"

#include "calc/fr_parser.h"
#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

constexpr const char* kRowPrefix = "В БД наборов фурнитуры в комплекте [%s]\r\nсодержится элемент фурнитуры [%s],\r\n";
constexpr const char* kSideCondition =
    "для которого определены условия установки, зависящие от\r\nдлины стороны, на которую он устанавливается.\r\n";
constexpr const char* kRadiusCondition =
    "для которого определены условия установки, зависящие от\r\nрадиуса стороны, на которую он устанавливается.\r\n";
constexpr const char* kAngleCondition =
    "для которого определены условия установки, зависящие от\r\nпараметров угла, на который он устанавливается.\r\n"
    "Номер расчетного угла в условиях определен неверно!";
constexpr const char* kNeighbourCondition =
    "для которого определены условия установки, зависящие от\r\nдлины стороны смежной створки.\r\n";
constexpr const char* kSidePrinciple =
    "который использует принцип расчета, зависящий от\r\nпараметров стороны, на которую он устанавливается.\r\n";
constexpr const char* kAnglePrinciple =
    "который использует принцип расчета, зависящий от\r\nугла, на котором он устанавливается.\r\n"
    "Номер расчетного угла определен неверно!";
constexpr const char* kFirstSide = "Номер 1-ой расчетной стороны в условиях определен неверно!";
constexpr const char* kSecondSide = "Номер 2-ой расчетной стороны в условиях определен неверно!";
constexpr const char* kFirstPrincipleSide = "Номер 1-ой расчетной стороны определен неверно!";
constexpr const char* kSecondPrincipleSide = "Номер 2-ой расчетной стороны определен неверно!";

void RequireSide(const TFurnSetRow& Row, const TFurnSash& Sash, int No, const std::string& Tail) {
  if (Sash.Side(No) == nullptr) RaiseFurnRowError(Row, Tail);
}

void CheckConditionSides(const TFurnSetRow& Row, const TFurnSash& Sash) {
  const int c = Row.Condition;
  if (c == fcSide1 || c == fcSides) RequireSide(Row, Sash, Row.L1No, std::string(kSideCondition) + kFirstSide);
  if (c == fcSide2 || c == fcSides) RequireSide(Row, Sash, Row.L2No, std::string(kSideCondition) + kSecondSide);
  if (c == fcAngle) RequireSide(Row, Sash, Row.AngleCondNo, kAngleCondition);
  if (c == fcRadius1 || c == fcRadii) RequireSide(Row, Sash, Row.R1No, std::string(kRadiusCondition) + kFirstSide);
  if (c == fcRadius2 || c == fcRadii) RequireSide(Row, Sash, Row.R2No, std::string(kRadiusCondition) + kSecondSide);
}

void CheckNeighbourSides(const TFurnSetRow& Row, const TFurnSash& Sash) {
  if (Row.L21No == 0 && Row.L22No == 0) return;
  if (Sash.Neighbour == nullptr)
    RaiseFurnRowError(Row,
                      std::string(kNeighbourCondition) + "Смежная створка не установлена. Установите сначала створку.");
  const int count = static_cast<int>(Sash.Neighbour->Lines.size());
  for (int no : {Row.L21No, Row.L22No})
    if (no != 0 && (no < 1 || no > count))
      RaiseFurnRowError(
          Row, std::string(kNeighbourCondition) + "Номер стороны смежной створки в условиях определен неверно!");
}

void CheckPrincipleSides(const TFurnSetRow& Row, const TFurnSash& Sash) {
  if (Row.Side1No != 0 || Row.ScaleCondition == fscSide1)
    RequireSide(Row, Sash, Row.Side1No, std::string(kSidePrinciple) + kFirstPrincipleSide);
  if (Row.Side2No != 0 || Row.ScaleCondition == fscSide2)
    RequireSide(Row, Sash, Row.Side2No, std::string(kSidePrinciple) + kSecondPrincipleSide);
  if (Row.AngleNo != 0) RequireSide(Row, Sash, Row.AngleNo, kAnglePrinciple);
}

double SideLength(const TFurnSash& Sash, int No) {
  const TFurnSashSide* side = Sash.Side(No);
  return side != nullptr ? side->Length : 0;
}

double CornerAngle(const TFurnSash& Sash, int No) {
  const TFurnSashSide* side = Sash.Side(No);
  return side != nullptr ? side->Angle : 0;
}

double NeighbourSideLength(const TFurnSash& Sash, int No) {
  const auto* line = Sash.Neighbour->GetFrameLine(No - 1);
  return line != nullptr ? static_cast<double>(line->GetRealFalzSize()) : 0;
}

bool RadiusHolds(const TFurnSash& Sash, int No, const TFurnRange& Range, int Type) {
  const TFurnSashSide* side = Sash.Side(No);
  return side != nullptr && (Type == 0 || Type == side->Arc) && Range.Holds(side->Radius);
}

bool ConditionHolds(const TFurnSetRow& Row, const TFurnSash& Sash) {
  const int c = Row.Condition;
  if ((c == fcWidth || c == fcWidthHeight) && !Row.Width.Holds(Sash.Width)) return false;
  if ((c == fcHeight || c == fcWidthHeight) && !Row.Height.Holds(Sash.Height)) return false;
  if ((c == fcSide1 || c == fcSides) && !Row.L1.Holds(SideLength(Sash, Row.L1No))) return false;
  if ((c == fcSide2 || c == fcSides) && !Row.L2.Holds(SideLength(Sash, Row.L2No))) return false;
  if (c == fcAngle && !Row.Angle.Holds(CornerAngle(Sash, Row.AngleCondNo))) return false;
  if ((c == fcRadius1 || c == fcRadii) && !RadiusHolds(Sash, Row.R1No, Row.R1, Row.R1Type)) return false;
  if ((c == fcRadius2 || c == fcRadii) && !RadiusHolds(Sash, Row.R2No, Row.R2, Row.R2Type)) return false;
  return true;
}

bool NeighbourHolds(const TFurnSetRow& Row, const TFurnSash& Sash) {
  if (Row.L21No != 0 && !Row.L21.Holds(NeighbourSideLength(Sash, Row.L21No))) return false;
  if (Row.L22No != 0 && !Row.L22.Holds(NeighbourSideLength(Sash, Row.L22No))) return false;
  return true;
}

double ScaledSize(const TFurnSetRow& Row, const TFurnSash& Sash) {
  switch (Row.ScaleCondition) {
    case fscWidth: return Sash.Width;
    case fscHeight: return Sash.Height;
    case fscSide1: return SideLength(Sash, Row.Side1No);
    case fscSide2: return SideLength(Sash, Row.Side2No);
    default: return 0;
  }
}

// The value of a name of the length formula, null for an unknown name.
TVariant FormulaValue(const std::string& Name, const TFurnSetRow& Row, const TFurnSash& Sash, double HandleHeight) {
  if (Name == "WIDTH" || Name == "ШИРИНА") return TVariant(static_cast<double>(Sash.Width));
  if (Name == "HEIGHT" || Name == "ВЫСОТА") return TVariant(static_cast<double>(Sash.Height));
  if (Name == "SIDE1" || Name == "СТОРОНА1") return TVariant(SideLength(Sash, Row.Side1No));
  if (Name == "SIDE2" || Name == "СТОРОНА2") return TVariant(SideLength(Sash, Row.Side2No));
  if (Name == "ANGLE" || Name == "УГОЛ") return TVariant(CornerAngle(Sash, Row.AngleNo));
  if (Name == "HANDLE" || Name == "РУЧКА") return TVariant(HandleHeight);
  return TVariant::Null();
}

}  // namespace

void RaiseFurnRowError(const TFurnSetRow& Row, const std::string& Tail) {
  throw EFurnDocError(Format(kRowPrefix, Row.Complect, Row.Item) + Tail);
}

int GetNumberByScaleScheme(const std::string& Scheme, double Size) {
  int count = 0;
  for (int n = 1; n <= NumToken(Scheme, ";"); ++n) {
    long double threshold = 0;
    if (!TryStrToFloat(Token(Scheme, n, ";", true), threshold) || threshold == -1) continue;
    if (threshold <= Size) ++count;
  }
  return count;
}

void CheckFurnRowSides(const TFurnSetRow& Row, const TFurnSash& Sash) {
  CheckConditionSides(Row, Sash);
  CheckNeighbourSides(Row, Sash);
  CheckPrincipleSides(Row, Sash);
}

bool FurnInstallConditionHolds(const TFurnSetRow& Row, const TFurnSash& Sash) {
  return ConditionHolds(Row, Sash) && NeighbourHolds(Row, Sash);
}

int FurnRowNumber(const TFurnSetRow& Row, const TFurnSash& Sash) {
  if (Row.ScaleCondition == fscNone) return Row.Number;
  const double size = ScaledSize(Row, Sash);
  if (!Row.ScaleScheme.empty()) return Row.Number * GetNumberByScaleScheme(Row.ScaleScheme, size);
  if (Row.ScaleStep == 0) RaiseFurnRowError(Row, "имеющий масштабирование и шаг равный нулю!");
  if (size < Row.ScaleStart) return Row.Number;
  const int steps = static_cast<int>((size - Row.ScaleStart) / Row.ScaleStep) + 1;
  return Row.Number + steps * Row.ScaleNum;
}

double FurnRowLength(const TFurnSetRow& Row, const TFurnSash& Sash, double HandleHeight) {
  TfrParser parser;
  parser.OnGetValue = [&](const std::string& Name, TVariant& Value) {
    Value = FormulaValue(Name, Row, Sash, HandleHeight);
  };
  double length = 0;
  try {
    length = parser.Calc(Row.LenFormula).AsDouble();
  } catch (const EKvError& e) {
    RaiseFurnRowError(Row, Format("длина которого не вычисляется по формуле [%s]:\r\n%s", Row.LenFormula, e.what()));
  }
  if (length < Row.MinLen)
    RaiseFurnRowError(Row, Format("имеющий недопустимое расчетное значение длины %.1f (Мин. допустимая длина = %d)!\r\n"
                                  "(Одна из возможных причин - установлена недопустимая высота ручки при расчете тяги)",
                                  length, Row.MinLen));
  return length;
}

}  // namespace kv
