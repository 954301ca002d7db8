#include "shell/registry_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>
#include <vector>

#include "shell/error_of.h"
#include "shell/table_engine.h"
#include "shell/temp_registry.h"

namespace kv {
namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
  testing::TTempRegistry temp_;
};

TEST_F(RegistryStoreTest, LocationComesFromTheEnvironmentAndTypedValuesRoundTrip) {
  EXPECT_EQ(RegistryFilePath(), temp_.File());
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved_xdg = xdg ? xdg : "";
  unsetenv("KORVENT_REGISTRY");
  setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  EXPECT_EQ(RegistryFilePath(), std::filesystem::path("/somewhere/config/korvent/registry.sqlite"));
  if (xdg)
    setenv("XDG_CONFIG_HOME", saved_xdg.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
  setenv("KORVENT_REGISTRY", temp_.File().c_str(), 1);
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kTechnologistKey, true));
    registry.WriteString("Name", "Окна \"Север\"");
    registry.WriteInteger("Count", -42);
    registry.WriteBool("Preview", false);
    registry.WriteBinaryData("DesignImageOptions", {0x97, 0xFF, 0x03, 0x30, 0x61, 0x02});
    registry.WriteBinaryData("Empty", {});
  }
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTechnologistKey, false));
  EXPECT_EQ(registry.ReadString("Name"), "Окна \"Север\"");
  EXPECT_EQ(registry.ReadInteger("Count"), -42);
  EXPECT_FALSE(registry.ReadBool("Preview"));
  EXPECT_EQ(registry.ReadBinaryData("DesignImageOptions"), (std::vector<uint8_t>{0x97, 0xFF, 0x03, 0x30, 0x61, 0x02}));
  EXPECT_TRUE(registry.ReadBinaryData("Empty").empty());
  EXPECT_EQ(registry.GetDataType("Preview"), TRegDataType::rdInteger);
  EXPECT_EQ(registry.GetValueNames(),
            (std::vector<std::string>{"Name", "Count", "Preview", "DesignImageOptions", "Empty"}));
}

TEST_F(RegistryStoreTest, CreatedKeyAndItsParentsExist) {
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey(kDBConfigKey, false));
  EXPECT_FALSE(std::filesystem::exists(temp_.File())) << "reading must not create the store";
  ASSERT_TRUE(registry.OpenKey(std::string(kDBConfigKey) + "\\Office", true));
  EXPECT_TRUE(registry.KeyExists(kRegistryRootKey));
  EXPECT_TRUE(registry.KeyExists(kDBConfigKey));
  registry.CloseKey();
  ASSERT_TRUE(registry.OpenKey(kDBConfigKey, false));
  EXPECT_EQ(registry.GetKeyNames(), std::vector<std::string>{"Office"});
  ASSERT_TRUE(registry.OpenKey(kRegistryRootKey, true));
  ASSERT_TRUE(registry.OpenKey("Technologist", true));
  EXPECT_TRUE(registry.KeyExists(kTechnologistKey)) << "a relative path opens below the open key";
}

TEST_F(RegistryStoreTest, KeyAndValueNamesCompareWithoutLetterCaseAndOverwritingChangesTheType) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\SoftWare\\Nordal\\Korvent\\3.0\\DBConfig\\Office", true));
  registry.WriteString("IniFile", "a.ini");
  TRegistry other;
  ASSERT_TRUE(other.OpenKey("\\SOFTWARE\\NORDAL\\KORVENT\\3.0\\DBCONFIG\\OFFICE", false));
  EXPECT_EQ(other.ReadString("inifile"), "a.ini");
  ASSERT_TRUE(other.OpenKey("\\software\\nordal\\korvent\\3.0\\dbconfig\\офис", true));
  ASSERT_TRUE(other.OpenKey("\\SoftWare\\Nordal\\Korvent\\3.0\\DBConfig\\ОФИС", false));
  ASSERT_TRUE(registry.OpenKey(kTechnologistKey, true));
  registry.WriteString("Value", "text");
  registry.WriteInteger("VALUE", 7);
  EXPECT_EQ(registry.ReadInteger("value"), 7);
  EXPECT_EQ(registry.GetValueNames().size(), 1u);
  EXPECT_TRUE(registry.DeleteValue("value"));
  EXPECT_FALSE(registry.ValueExists("VALUE"));
  EXPECT_FALSE(registry.DeleteValue("VALUE"));
}

TEST_F(RegistryStoreTest, MissingStringReadsEmptyOtherTypesRaise) {
  TRegistry registry;
  EXPECT_THROW(registry.WriteString("X", "1"), ERegistryError) << "no key open";
  ASSERT_TRUE(registry.OpenKey(kTechnologistKey, true));
  EXPECT_EQ(registry.ReadString("Nothing"), "");
  EXPECT_THROW(registry.ReadInteger("Nothing"), ERegistryError);
  registry.WriteString("Text", "1");
  EXPECT_THROW(registry.ReadInteger("Text"), ERegistryError);
  EXPECT_THROW(registry.ReadBinaryData("Text"), ERegistryError);
  // An integer's type over other data, as another program may leave it, is no integer either.
  registry.WriteInteger("Count", 1);
  for (const TValue& data : {TValue("abc"), TValue(int64_t{5000000000}), TValue(1.5)}) {
    TSqlConnection(temp_.File().string(), false).Execute("UPDATE RegValues SET Data = ?", {{"", data}});
    EXPECT_EQ(test::ErrorOf<ERegistryError>([&] { registry.ReadInteger("Count"); }),
              "Ошибка хранилища реестра " + temp_.File().string() + ": неверное значение параметра 'Count'");
  }
}

TEST_F(RegistryStoreTest, DeletingAKeyRemovesItsSubKeysAndValues) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(std::string(kDBConfigKey) + "\\A\\B", true));
  registry.WriteString("X", "1");
  ASSERT_TRUE(registry.OpenKey(std::string(kDBConfigKey) + "\\AB", true));
  registry.WriteString("Y", "2");
  EXPECT_TRUE(registry.DeleteKey(std::string(kDBConfigKey) + "\\a"));
  EXPECT_FALSE(registry.KeyExists(std::string(kDBConfigKey) + "\\A\\B"));
  EXPECT_TRUE(registry.KeyExists(std::string(kDBConfigKey) + "\\AB")) << "a sibling with a longer name stays";
  EXPECT_EQ(registry.ReadString("Y"), "2");
  EXPECT_FALSE(registry.DeleteKey(std::string(kDBConfigKey) + "\\A"));
}

TEST_F(RegistryStoreTest, TruncatedOrCorruptStoreRaisesNamingTheFile) {
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kTechnologistKey, true));
    for (int i = 0; i < 200; ++i) registry.WriteString("V" + std::to_string(i), std::string(100, 'v'));
  }
  std::filesystem::resize_file(temp_.File(), 1500);
  TRegistry registry;
  EXPECT_THROW(
      {
        registry.OpenKey(kTechnologistKey, false);
        registry.GetValueNames();
      },
      ERegistryError);
  std::ofstream(temp_.File(), std::ios::binary) << std::string(4096, 'x');
  EXPECT_TRUE(test::Contains(test::ErrorOf<ERegistryError>([] { TRegistry().OpenKey(kDBConfigKey, false); }),
                             temp_.File().string()));
}

TEST_F(RegistryStoreTest, UnwritableLocationRaisesOnFirstWrite) {
  TRegistry registry(temp_.File() / "not-a-directory" / "registry.sqlite");
  std::ofstream(temp_.File()) << "a plain file where a directory is needed";
  EXPECT_FALSE(registry.OpenKey(kDBConfigKey, false));
  EXPECT_THROW(registry.OpenKey(kDBConfigKey, true), ERegistryError);
  std::filesystem::remove(temp_.File());
  std::filesystem::create_directories(temp_.File());
  TRegistry directory;
  EXPECT_THROW(directory.OpenKey(kDBConfigKey, false), ERegistryError) << "the store path is a directory";
}

TEST_F(RegistryStoreTest, FailedTransactionLeavesNothingBehind) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTechnologistKey, true));
  registry.WriteInteger("Kept", 1);
  EXPECT_THROW(registry.InTransaction([&] {
    registry.WriteInteger("Kept", 2);
    registry.WriteString("Added", "x");
    throw ERegistryError("stop");
  }),
               ERegistryError);
  EXPECT_EQ(registry.ReadInteger("Kept"), 1);
  EXPECT_FALSE(registry.ValueExists("Added"));
  registry.InTransaction([&] { registry.WriteInteger("Kept", 3); });
  TRegistry other;
  ASSERT_TRUE(other.OpenKey(kTechnologistKey, false));
  EXPECT_EQ(other.ReadInteger("Kept"), 3);
}

TEST_F(RegistryStoreTest, ProgramsThatReadThenWriteTakeTurns) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kTechnologistKey, true));
  registry.WriteInteger("Count", 0);
  std::atomic<int> failures{0};
  const auto count_up = [&failures] {
    TRegistry program;  // a connection of its own, as another program has
    for (int i = 0; i < 10; ++i) {
      try {
        program.InTransaction([&] {
          program.OpenKey(kTechnologistKey, false);
          program.WriteInteger("Count", program.ReadInteger("Count") + 1);
        });
      } catch (const ERegistryError&) {
        ++failures;
      }
    }
  };
  std::vector<std::thread> programs;
  for (int i = 0; i < 4; ++i) programs.emplace_back(count_up);
  for (auto& program : programs) program.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(registry.ReadInteger("Count"), 40) << "no increment is lost";
}

}  // namespace
}  // namespace kv
