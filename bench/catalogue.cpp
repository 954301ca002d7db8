// Catalogue lookups on the in-memory tables against the same lookups as prepared SQLite queries
// on the same demo catalogue: one million mixed lookups each (profile width, combination by
// filter, bead by criteria, material by code), and the time to open the demo catalogue.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <memory>

#include "catalogue/bead_lookups.h"
#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/combination_lookups.h"
#include "catalogue/material_lookups.h"
#include "catalogue/profile_lookups.h"
#include "ratio_reporter.h"
#include "shell/rounding.h"
#include "shell/sqlite_statement.h"

namespace kv {
namespace {

constexpr int kMillion = 1000000;

// The demo catalogue built once in a temporary folder for the whole run.
class TDemoCatalogue {
public:
  TDemoCatalogue()
      : root_(std::filesystem::temp_directory_path() / ("kv-bench-catalogue-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(root_);
    const std::filesystem::path data = std::filesystem::path(KV_SOURCE_DIR) / "data";
    CreateCatalogueDatabases(Dirs(), data, DemoCatalogueDir(data));
  }
  ~TDemoCatalogue() { std::filesystem::remove_all(root_); }
  TDatabaseDirs Dirs() const { return TDatabaseDirs::Below(root_); }

private:
  std::filesystem::path root_;
};

const TDemoCatalogue& Demo() {
  static const TDemoCatalogue demo;
  return demo;
}

// The lookups of the mix, cycling through a few keys of each kind.
const std::array<const char*, 4> kProfiles = {"TL-101", "TL-301", "TL-201", "TL-401"};
const std::array<const char*, 4> kMaterials = {"TL-101.WH", "4M1-16-4M1", "RU-01.BR", "TL-S20"};
struct TJoint {
  const char* Profile1;
  const char* Profile2;
  int AngleType;
  double Angle;
};
const std::array<TJoint, 4> kJoints = {TJoint{"TL-101", "TL-101", atX45, 90}, TJoint{"TL-201", "TL-201", atX45, 89.6},
                                       TJoint{"TL-101", "TL-101", atX45, 135},
                                       TJoint{"TL-102", "TL-1201", atX1to2, 90}};
struct TBeadAsk {
  const char* Profile;
  int Thickness;
  const char* Bead;
};
const std::array<TBeadAsk, 4> kBeads = {TBeadAsk{"TL-101", 24, "TL-BD24"}, TBeadAsk{"TL-201", 32, "TL-BD24"},
                                        TBeadAsk{"TL-301", 40, ""}, TBeadAsk{"TL-201", 4, "TL-BD4"}};

void BM_MemoryLookups(benchmark::State& state) {
  const TOpenedCatalogue catalogue(Demo().Dirs());
  for (auto _ : state) {
    for (int i = 0; i < kMillion; ++i) {
      const int k = (i >> 2) & 3;
      switch (i & 3) {
        case 0: benchmark::DoNotOptimize(GetProfWidth(kProfiles[k])); break;
        case 1: {
          const TJoint& j = kJoints[k];
          benchmark::DoNotOptimize(GetFrameVerbinderID(j.Profile1, j.Profile2, j.AngleType, j.Angle));
          break;
        }
        case 2: {
          const TBeadAsk& b = kBeads[k];
          benchmark::DoNotOptimize(GetAvailableBeadByCreteria(b.Profile, b.Thickness, 1, b.Bead));
          break;
        }
        default: benchmark::DoNotOptimize(GetArticleByID(kMaterials[k])); break;
      }
    }
  }
  state.counters["lookups/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kMillion, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MemoryLookups)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same lookups as prepared statements on the attached catalogue databases.
class TSqlLookups {
public:
  explicit TSqlLookups(TSqlConnection& sql)
      : profile_(sql,
                 "SELECT \"Group\", \"Width\", \"BeadGrp\" FROM \":GXDB_Profile:ProfList.db\" WHERE \"Profile\" = ?"),
        joint_(sql,
               "SELECT \"SubSetID\" FROM \":GXDB_Profile:CombList.db\" WHERE \"Profile1\" = ? AND \"Profile2\" = ? "
               "AND \"AngleType\" = ? AND \"MinAngle\" <= ? AND \"MaxAngle\" >= ? ORDER BY rowid LIMIT 1"),
        bead_(sql,
              "SELECT \"ID\" FROM \":GXDB_Profile:BeadComb.db\" WHERE \"ProfGrp\" = ? AND \"Thickness\" = ? "
              "AND \"Bead\" = ? ORDER BY \"ID\" LIMIT 1"),
        bead_group_(sql,
                    "SELECT \"ID\" FROM \":GXDB_Profile:BeadComb.db\" WHERE \"ProfGrp\" = ? AND \"Thickness\" = ? "
                    "AND \"BeadGrp\" = ? ORDER BY \"ID\" LIMIT 1"),
        bead_any_(sql,
                  "SELECT \"ID\" FROM \":GXDB_Profile:BeadComb.db\" WHERE \"ProfGrp\" = ? AND \"Thickness\" = ? "
                  "ORDER BY \"ID\" LIMIT 1"),
        material_(sql, "SELECT \"Article\" FROM \":GXDB_Catalog:Catalog.db\" WHERE \"ID\" = ?") {}

  double ProfWidth(const char* profile) {
    Ask(profile_, {profile});
    const int64_t group = profile_.Column(0).AsInteger();
    const double width = profile_.Column(1).AsFloat();
    const bool on_axis = group == 2 || group == 3 || group == 4 || group == 20 || group == 21;
    return (on_axis ? width / 2 : width) * 10;
  }
  int64_t Joint(const TJoint& j) {
    const int64_t angle = GetRounded(j.Angle);
    return Ask(joint_, {j.Profile1, j.Profile2, j.AngleType, angle, angle}) ? joint_.Column(0).AsInteger() : 0;
  }
  int64_t Bead(const TBeadAsk& b) {
    Ask(profile_, {b.Profile});
    const int64_t group = profile_.Column(2).AsInteger();
    if (*b.Bead && Ask(bead_, {group, b.Thickness, b.Bead})) return bead_.Column(0).AsInteger();
    if (Ask(bead_group_, {group, b.Thickness, 1})) return bead_group_.Column(0).AsInteger();
    return Ask(bead_any_, {group, b.Thickness}) ? bead_any_.Column(0).AsInteger() : 0;
  }
  std::string Article(const char* id) {
    Ask(material_, {id});
    return material_.Column(0).AsString();
  }

private:
  static bool Ask(TSqliteStatement& query, std::initializer_list<TValue> values) {
    query.Reset();
    int position = 0;
    for (const TValue& value : values) query.Bind(++position, value);
    return query.Step();
  }
  TSqliteStatement profile_, joint_, bead_, bead_group_, bead_any_, material_;
};

// Both ways give the same answers for every key of the mix.
bool SameAnswers(TSqlLookups& sql) {
  for (int k = 0; k < 4; ++k) {
    const TJoint& j = kJoints[k];
    const TBeadAsk& b = kBeads[k];
    if (sql.ProfWidth(kProfiles[k]) != GetProfWidth(kProfiles[k]) ||
        sql.Joint(j) != GetFrameVerbinderID(j.Profile1, j.Profile2, j.AngleType, j.Angle) ||
        sql.Bead(b) != GetAvailableBeadByCreteria(b.Profile, b.Thickness, 1, b.Bead) ||
        sql.Article(kMaterials[k]) != GetArticleByID(kMaterials[k])) {
      return false;
    }
  }
  return true;
}

void BM_SqlLookups(benchmark::State& state) {
  const TOpenedCatalogue catalogue(Demo().Dirs());
  TSqlLookups sql(DM_DB().Sql());
  if (!SameAnswers(sql)) {
    state.SkipWithError("the SQL lookups answer differently from the in-memory lookups");
    return;
  }
  for (auto _ : state) {
    for (int i = 0; i < kMillion; ++i) {
      const int k = (i >> 2) & 3;
      switch (i & 3) {
        case 0: benchmark::DoNotOptimize(sql.ProfWidth(kProfiles[k])); break;
        case 1: benchmark::DoNotOptimize(sql.Joint(kJoints[k])); break;
        case 2: benchmark::DoNotOptimize(sql.Bead(kBeads[k])); break;
        default: benchmark::DoNotOptimize(sql.Article(kMaterials[k])); break;
      }
    }
  }
  state.counters["lookups/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kMillion, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SqlLookups)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenDemoCatalogue(benchmark::State& state) {
  Demo();
  for (auto _ : state) {
    const TOpenedCatalogue catalogue(Demo().Dirs());
    benchmark::DoNotOptimize(Catalogue().Catalog.Get().RecordCount());
  }
}
BENCHMARK(BM_OpenDemoCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv

// The ratio printed is SQL time / in-memory time: how many times faster the in-memory lookups are.
int main(int argc, char** argv) {
  return kv::bench::RunWithRatios(argc, argv, {{"BM_SqlLookups/iterations:1", "BM_MemoryLookups/iterations:1"}});
}
