#include "statics/kv_static.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "catalogue/catalogue.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

constexpr float kDefaultW0 = 23.0f;
constexpr float kDefaultK0 = 0.85f;
constexpr float kDefaultK1 = 1.0f;
constexpr long double kAerodynamicC = 0.8L;
constexpr float kDefaultK2 = 1.0f;
// A window mullion may bend at most 8 mm, a transom under glass weight at most 3 mm.
constexpr long double kWindowMaxDeflection = 0.8L;
constexpr long double kTransomMaxDeflection = 0.3L;

// Rows of a catalogue table, each turned into a record by Make; none when the table is closed.
template <typename TRow, typename TMake>
std::vector<TRow> ReadRows(TCatalogue& Catalogue, const std::string& Name, const TMake& Make) {
  std::vector<TRow> rows;
  TTable* table = Catalogue.DM_Catalog.Find(Name);
  if (table == nullptr) return rows;
  const TMemTable& data = table->Data();
  for (const TRecord& record : data.Rows()) rows.push_back(Make(data, record));
  return rows;
}

float FloatField(const TMemTable& Table, const TRecord& Record, const char* Field) {
  return static_cast<float>(Record[Table.FieldIndex(Field)].AsFloat());
}

int32_t IntField(const TMemTable& Table, const TRecord& Record, const char* Field) {
  return static_cast<int32_t>(Record[Table.FieldIndex(Field)].AsInteger());
}

// The first row whose H reaches Value, else the last row; nullptr for no rows.
template <typename TRow>
const TRow* RowByHeight(const std::vector<TRow>& Rows, float Value) {
  if (Rows.empty()) return nullptr;
  const auto found = std::find_if(Rows.begin(), Rows.end(), [Value](const TRow& r) { return r.H >= Value; });
  return found == Rows.end() ? &Rows.back() : &*found;
}

void Write(TStaticLog* Log, const std::string& Line) {
  if (Log != nullptr) Log->push_back(Line);
}

// Allowed deflection, cm: L / 200 under single glass, L / 300 under a glass unit.
long double SpanDeflection(int32_t GlassType, long double L) { return GlassType == sgtSingleGlass ? L / 200 : L / 300; }

// Ix of one side of a simply supported mullion under a trapezoidal load of width a (cm).
long double TrapezoidIx(long double L, long double Qr, long double a, long double E, long double Fdop) {
  const long double ratio = a / L;
  return std::pow(L, 4) * Qr * a / (E * 1920 * Fdop) * (25 - 40 * ratio * ratio + 16 * std::pow(ratio, 4));
}

}  // namespace

const std::vector<std::string>& TerrainTypeNames() {
  static const std::vector<std::string> names = {
      "A - Открытые побережья морей, озер и водохранилищ, пустыни, степи, лесостепи, тундра",
      "B - Городские территории, лесные массивы и т.д.",
      "C - городские районы с застройкой зданиями высотой более 25 м"};
  return names;
}

const std::vector<std::string>& StaticMethodNames() {
  static const std::vector<std::string> names = {"Окна (Прогиб <= 8 мм)", "Фасад стойка / ригель (Крепление в проем)",
                                                 "Фасад стойка однопролетная схема (Крепление навесное)",
                                                 "Фасад стойка двухпролетная схема (Крепление навесное)"};
  return names;
}

long double GetStdTriH(long double Angle, long double Width) {
  return std::tan(Angle * std::numbers::pi_v<long double> / 180) * Width / 2;
}

long double GetElasticModulus(int32_t Material) {
  switch (Material) {
    case smtALU: return 710000;
    case smtWood: return 100000;
    default: return 2100000;
  }
}

void TkvStatic::Load(TCatalogue& Catalogue) {
  Regions = ReadRows<TStatRegRow>(Catalogue, "Stat_Reg", [](const TMemTable& t, const TRecord& r) {
    return TStatRegRow{IntField(t, r, "ID"), FloatField(t, r, "W0")};
  });
  K0 = ReadRows<TStatK0Row>(Catalogue, "Stat_K0", [](const TMemTable& t, const TRecord& r) {
    return TStatK0Row{IntField(t, r, "H"), FloatField(t, r, "A"), FloatField(t, r, "B"), FloatField(t, r, "C")};
  });
  K1 = ReadRows<TStatK1Row>(Catalogue, "Stat_K1", [](const TMemTable& t, const TRecord& r) {
    return TStatK1Row{IntField(t, r, "H"), FloatField(t, r, "K")};
  });
  K2 = ReadRows<TStatK2Row>(Catalogue, "Stat_K2", [](const TMemTable& t, const TRecord& r) {
    return TStatK2Row{IntField(t, r, "H"), FloatField(t, r, "K1"), FloatField(t, r, "K2"), FloatField(t, r, "K3"),
                      FloatField(t, r, "K4")};
  });
}

float TkvStatic::GetW0(int32_t RegionID) const {
  const auto found =
      std::find_if(Regions.begin(), Regions.end(), [RegionID](const TStatRegRow& r) { return r.ID == RegionID; });
  return found == Regions.end() ? kDefaultW0 : found->W0;
}

float TkvStatic::GetK0(float Height, int32_t Terrain) const {
  const TStatK0Row* row = RowByHeight(K0, Height);
  if (row == nullptr) return kDefaultK0;
  switch (Terrain) {
    case ttA: return row->A;
    case ttB: return row->B;
    case ttC: return row->C;
    default: return kDefaultK0;
  }
}

float TkvStatic::GetK1(float GlassMaxH) const {
  const TStatK1Row* row = RowByHeight(K1, GlassMaxH);
  return row == nullptr ? kDefaultK1 : row->K;
}

float TkvStatic::GetK2(float GlassMaxH, int32_t Column) const {
  const TStatK2Row* row = RowByHeight(K2, GlassMaxH);
  if (row == nullptr) return kDefaultK2;
  switch (Column) {
    case 1: return row->K1;
    case 2: return row->K2;
    case 3: return row->K3;
    case 4: return row->K4;
    default: return kDefaultK2;
  }
}

long double TkvStatic::GetMomentIx(const TWindLoadInput& In, TStaticLog* Log) const {
  const long double L = In.L / 10.0L, A = In.A / 10.0L, B = In.B / 10.0L;
  const long double E = GetElasticModulus(In.Material);

  long double Fdop = SpanDeflection(In.GlassType, L);
  if (In.Method == smWindow) Fdop = std::min(Fdop, kWindowMaxDeflection);
  Write(Log, "Максимально допустимый прогиб, см (Стекло = L/200, Стеклопакет = L/300):");
  Write(Log, Format("   Fdop = %.4f см", Fdop));

  const long double a1 = std::min(A / 2, GetStdTriH(45, L));
  const long double a2 = std::min(B / 2, GetStdTriH(45, L));
  Write(Log, "Общая ширина нагрузки, см:");
  Write(Log, Format("   Size = %.4f см", a1 + a2));

  const long double W0 = GetW0(In.RegionID);
  const long double W0cm = W0 / 10000;
  Write(Log, "Нормативное значение ветрового давления, кгс/м2:");
  Write(Log, Format("   W0 = %.4f кгс/м2 = %.4f кгс/cм2", W0, W0cm));
  const long double K = GetK0(In.H, In.Terrain);
  Write(Log, "Коэффициент учитывающий изменение ветрового давления по высоте, из таблицы");
  Write(Log, Format("   K = %.4f", K));
  Write(Log, "Аэродинамический коэффициент по СНиП:");
  Write(Log, Format("   C = %.4f", kAerodynamicC));
  const long double Y = In.Y;
  Write(Log, "Коэффициент надежности по СНиП:");
  Write(Log, Format("   Y = %.4f", Y));
  Write(Log, "Модуль упругости, кгс/см2:");
  Write(Log, Format("   E = %.4f кгс/см2", E));
  const long double K1 = GetK1(In.GlassMaxH);
  Write(Log, "Коэффициент корректировки, учитывающий макс. высоту стеклопакета, из таблицы");
  Write(Log, Format("   K1 = %.4f", K1));
  const long double K2 = GetK2(In.GlassMaxH, In.EdgeColumn);
  Write(Log, "Коэффициент корректировки, учитывающий прогиб по кромке стекла, из таблицы:");
  Write(Log, Format("   K2 = %.4f", K2));

  const long double Wm = W0cm * K * kAerodynamicC;
  Write(Log, "Нормативное значение средней составляющей ветровой нагрузки, кгс/cм2");
  Write(Log, Format("   Wm = W0 * K * C = %.4f * %.4f * %.4f = %.4f кгс/cм2", W0cm, K, kAerodynamicC, Wm));
  const long double Qr = Wm * Y;
  Write(Log, "Расчетная нагрузка, кгс/cм");
  Write(Log, Format("   Qr = Wm * Y = %.4f * %.4f = %.4f кгс/cм", Wm, Y, Qr));

  Write(Log, "Момент инерции стойки Ix, см4:");
  const long double corrections = K1 * K2;
  const long double b = a1 + a2;
  switch (In.Method) {
    case smFacadeSingleSpan: {
      const long double Ix = std::pow(L, 4) * 5 * b * Qr / (E * 384 * Fdop) * corrections;
      Write(Log, Format("   Ix = %.4f", Ix));
      return Ix;
    }
    case smFacadeTwoSpan: {
      const long double Ix = std::pow(L, 4) * 0.0052L * Qr * b / (E * Fdop) * corrections;
      Write(Log, Format("   Ix = %.4f", Ix));
      return Ix;
    }
    default: {
      const long double Ix1 = TrapezoidIx(L, Qr, a1, E, Fdop) * corrections;
      const long double Ix2 = TrapezoidIx(L, Qr, a2, E, Fdop) * corrections;
      Write(Log, Format("   Ix1 = %.4f", Ix1));
      Write(Log, Format("   Ix2 = %.4f", Ix2));
      return Ix1 + Ix2;
    }
  }
}

long double TkvStatic::GetGlassWeightIx(const TGlassWeightInput& In, TStaticLog* Log) const {
  const long double L = In.Span / 10.0L, H = In.GlassHeight / 10.0L, a = In.PadDistance / 10.0L;
  const long double W = In.GlassWeight / 10000.0L, PW = In.ProfileWeight / 100.0L;
  const long double E = GetElasticModulus(In.Material);
  const long double Fdop = std::min(SpanDeflection(In.GlassType, L), kTransomMaxDeflection);

  const long double F = L * H * W / 2;
  Write(Log, "Нагрузка на ригель от веса стекла, кгс:");
  Write(Log, Format("   F = L * H * W / 2 = %.4f * %.4f * %.4f / 2 = %.4f кгс", L, H, W, F));
  const long double Iy1 = (F * a * (3 * L * L - 4 * a * a)) / (24 * E * Fdop);
  Write(Log, "Момент инерции ригеля для нагрузки от веса стекла:");
  Write(Log, "   Iy1 = (F * a * (3 * L^2 - 4 * a^2)) / (24 * E * Fdop)");
  Write(Log, Format("       = (%.4f * %.4f * (3 * %.4f^2 - 4 * %.4f^2)) / (24 * %.4f * %.4f)", F, a, L, a, E, Fdop));
  Write(Log, Format("       = %.4f", Iy1));
  const long double Iy2 = (5 * PW * std::pow(L, 4)) / (384 * E * (L / 300));
  Write(Log, "Момент инерции ригеля для нагрузки от собственного веса:");
  Write(Log, "   Iy2 = (5 * PW * L^4) / (384 * E * (L / 300))");
  Write(Log, Format("       = (5 * %.4f * %.4f^2) / (384 * %.4f * (%.4f / 300))", PW, L, E, L));
  Write(Log, "Суммарный момент инерции ригеля:");
  Write(Log, Format("   Iy = Iy1 + Iy2 = %.4f + %.4f = %.4f", Iy1, Iy2, Iy1 + Iy2));
  return Iy1 + Iy2;
}

}  // namespace kv
