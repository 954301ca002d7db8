#include "catalogue/profile_lookups.h"

#include <cmath>
#include <numbers>

#include "catalogue/catalogue.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

constexpr const char* kMissingSizes = "В БД общих размеров профилей отсутствуют\r\nданные для профиля [%s]";
constexpr const char* kMissingDocumentation = "В документации отсутствуют данные для профиля [%s]";
constexpr const char* kMissingInProfiles = "В каталоге профилей отсутствуют данные для [%s]!";
constexpr const char* kMissingMainSizes = "В БД основных размеров профилей нет данных для профиля %s!";

const TProfListTable& ProfTable() { return Catalogue().ProfList; }

const TRecord* Find(const std::string& profile) {
  const TProfListTable& t = ProfTable();
  return t.Get().Locate(t.ByProfile, TKey().Add(std::string_view(profile)));
}

const TRecord& Require(const std::string& profile, const char* message) {
  const TRecord* row = Find(profile);
  if (!row) RaiseCatalogueError(Format(message, profile));
  return *row;
}

// A size column in tenths of a millimetre; 0 for a missing profile when no_raise.
float SizeOf(const std::string& profile, int column, bool no_raise) {
  const TRecord* row = Find(profile);
  if (!row) {
    if (no_raise) return 0;
    RaiseCatalogueError(Format(kMissingSizes, profile));
  }
  return SetSize10F(static_cast<float>((*row)[column].AsFloat()));
}

int IntOrZero(const std::string& profile, int column) {
  const TRecord* row = Find(profile);
  return row ? static_cast<int>((*row)[column].AsInteger()) : 0;
}

bool GroupIs(const std::string& profile, int group) {
  const TRecord* row = Find(profile);
  return row && (*row)[ProfTable().Group].AsInteger() == group;
}

// Profiles placed on their axis: half their width lies on each side.
bool PlacedOnAxis(int group) {
  return group == pgImpost || group == pgStulp || group == pgFalsh || group == pgStoika || group == pgRiegel;
}

}  // namespace

bool ProfileExists(const std::string& profile) { return Find(profile) != nullptr; }

float GetProfWidth(const std::string& profile, bool no_raise) {
  const TProfListTable& t = ProfTable();
  const TRecord* row = Find(profile);
  if (!row) {
    if (no_raise) return 0;
    RaiseCatalogueError(Format(kMissingSizes, profile));
  }
  const auto width = static_cast<float>((*row)[t.Width].AsFloat());
  return SetSize10F(PlacedOnAxis(static_cast<int>((*row)[t.Group].AsInteger())) ? width / 2 : width);
}

float GetFrameDeltaSize(const std::string& profile, bool no_raise) {
  return SizeOf(profile, ProfTable().FrameSize, no_raise);
}

float GetFlugelDeltaSize(const std::string& profile, bool no_raise) {
  return SizeOf(profile, ProfTable().FlugelSize, no_raise);
}

float GetImpostDeltaSize(const std::string& profile, bool no_raise) {
  return SizeOf(profile, ProfTable().ImpostSize, no_raise);
}

float GetStulpDeltaSize(const std::string& profile, bool no_raise) {
  return SizeOf(profile, ProfTable().StulpSize, no_raise);
}

float GetFalzDeltaSize(const std::string& profile, bool no_raise) {
  return SizeOf(profile, ProfTable().FalzSize, no_raise);
}

float GetAdapterCorrectSize(const std::string& profile, bool no_raise) {
  return SizeOf(profile, ProfTable().AdapterCorrect, no_raise);
}

float GetGlassDeltaSize(const std::string& profile, int selector, bool no_raise) {
  return SizeOf(profile, selector == 1 ? ProfTable().GlassSize2 : ProfTable().GlassSize, no_raise);
}

float GetBeadDeltaSize(const std::string& profile, int selector, bool no_raise) {
  return SizeOf(profile, selector == 1 ? ProfTable().BeadSize2 : ProfTable().BeadSize, no_raise);
}

float GetAdapterDeltaSize(const std::string& profile, int selector, bool no_raise) {
  return SizeOf(profile, selector == 1 ? ProfTable().AdapterSize2 : ProfTable().AdapterSize, no_raise);
}

float GetModificatorDeltaSize(const std::string& profile, int selector, bool no_raise) {
  const TProfListTable& t = ProfTable();
  const int column = selector == 2 ? t.ModifySize2 : selector == 3 ? t.ModifySize3 : t.ModifySize;
  return SizeOf(profile, column, no_raise);
}

float GetSteelFalzSize(const std::string& profile) {
  return SetSize10F(static_cast<float>(Require(profile, kMissingDocumentation)[ProfTable().SteelFalz].AsFloat()));
}

int GetStulpType(const std::string& profile) {
  return static_cast<int>(Require(profile, kMissingDocumentation)[ProfTable().StulpType].AsInteger());
}

TFlugelParam GetFlugelParam(const std::string& profile) {
  const TProfListTable& t = ProfTable();
  const TRecord& row = Require(profile, kMissingDocumentation);
  const auto size = [&](int column) { return static_cast<float>(row[column].AsFloat()); };
  return TFlugelParam{
      size(t.Width),    size(t.Thickness), size(t.Chamfer),  size(t.FalzLuft),
      size(t.FalzSize), size(t.FalzPos),   size(t.DornMass), static_cast<int>(row[t.OpenType].AsInteger())};
}

float GetChamfer(const std::string& profile) {
  return SetSize10F(static_cast<float>(Require(profile, kMissingInProfiles)[ProfTable().Chamfer].AsFloat()));
}

double GetProfCoef(const std::string& profile) {
  return Require(profile, kMissingInProfiles)[ProfTable().Coef].AsFloat();
}

float GetProfThickness(const std::string& profile) {
  return SetSize10F(static_cast<float>(Require(profile, kMissingInProfiles)[ProfTable().Thickness].AsFloat()));
}

std::string GetDefaultSteel(const std::string& profile) {
  const TRecord* row = Find(profile);
  return row ? (*row)[ProfTable().Steel].AsString() : std::string();
}

bool IsDefaultSteel(const std::string& profile, const std::string& steel) {
  return !steel.empty() && GetDefaultSteel(profile) == steel;
}

std::string GetProfOriginalArticle(const std::string& profile) {
  return Require(profile, kMissingMainSizes)[ProfTable().OrgArticle].AsString();
}

std::string GetProfColorAlternative(const std::string& profile) {
  return Require(profile, kMissingMainSizes)[ProfTable().ColorAlternative].AsString();
}

int GetProfImpostGroup(const std::string& profile) { return IntOrZero(profile, ProfTable().ImpostGrp); }
int GetProfFlugelGroup(const std::string& profile) { return IntOrZero(profile, ProfTable().FlugelGrp); }
int GetProfSockelGroup(const std::string& profile) { return IntOrZero(profile, ProfTable().SockelGrp); }
int GetProfSteelGroup(const std::string& profile) { return IntOrZero(profile, ProfTable().SteelGrp); }
int GetProfBeadGroup(const std::string& profile) { return IntOrZero(profile, ProfTable().BeadGrp); }
int GetProfListSubSetID(const std::string& profile) { return IntOrZero(profile, ProfTable().SubSetID); }

int GetProfListGroup(const std::string& profile) {
  return static_cast<int>(Require(profile, kMissingSizes)[ProfTable().Group].AsInteger());
}

bool RubberProfile(const std::string& profile) { return GroupIs(profile, pgRubber); }
bool IsStoika(const std::string& profile) { return GroupIs(profile, pgStoika); }
bool IsRiegel(const std::string& profile) { return GroupIs(profile, pgRiegel); }
bool DoubleGlassAvailable(const std::string& profile) { return IntOrZero(profile, ProfTable().DoubleGlass) == 1; }
bool VirtualProfile(const std::string& profile) { return IntOrZero(profile, ProfTable().Virtual) == 1; }

bool GetProfAvailableAngles(const std::string& profile, float& angle_min, float& angle_max) {
  const TRecord* row = Find(profile);
  angle_min = row ? static_cast<float>((*row)[ProfTable().FSAngleMin].AsFloat()) : 0;
  angle_max = row ? static_cast<float>((*row)[ProfTable().FSAngleMax].AsFloat()) : 0;
  return row != nullptr;
}

std::string GetStulpTypeName(int stulp_type) {
  switch (stulp_type) {
    case 1: return "С фурнитурным пазом 12 мм";
    case 2: return "С фурнитурным пазом 7/8";
    case 3: return "Без фурнитурного паза";
    default: return "Неопределено";
  }
}

void GetNearestProfByIx(int group, double& ix, std::string& profile, double ix_required, double angle_min,
                        double angle_max) {
  // Bound parameters carry the numbers, so no decimal separator is involved.
  const TMemTable found = Catalogue().Databases().Sql().Query(
      "SELECT \"Profile\", \"Ix\" FROM \":GXDB_Profile:ProfList.db\" WHERE \"Group\" = ? AND \"Ix\" >= ? "
      "AND \"FSAngleMin\" <= ? AND \"FSAngleMax\" >= ? AND \"Use\" = 1 ORDER BY \"Ix\", \"Profile\"",
      {{"", TValue(static_cast<int64_t>(group))},
       {"", TValue(ix_required)},
       {"", TValue(angle_min)},
       {"", TValue(angle_max)}});
  profile.clear();
  ix = 0;
  if (found.RecordCount() == 0) return;
  profile = found.Row(0)[0].AsString();
  ix = found.Row(0)[1].AsFloat();
}

double GetWeldAllowanceByWinType(int id, const std::string& system) {
  const TTypeProfTable& t = Catalogue().TypeProf;
  const TRecord* row = t.Get().Locate(t.ByIDSystem, TKey().Add(static_cast<int64_t>(id)).Add(std::string_view(system)));
  return row ? (*row)[t.WeldAllowance].AsFloat() : 0;
}

double GetWeldAllowance(double angle, double allowance) {
  if (angle == 0 || angle == 180) return 0;
  return allowance / std::sin(angle * std::numbers::pi / 180);
}

}  // namespace kv
