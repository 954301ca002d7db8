#include "shell/gx_setup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "shell/code_page.h"
#include "shell/configuration.h"
#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/ini_file.h"
#include "shell/paths.h"
#include "shell/registry_store.h"
#include "shell/temp_registry.h"
#include "shell/user_messages.h"

namespace kv {
namespace {

using test::ErrorOf;

class GXSetupTest : public ::testing::Test {
protected:
  GXSetupTest() : messages_scope_(messages_) {
    Configuration().GXConfigName = "Main";
    Configuration().GXIniFile = (temp_.Dir() / "korvent.ini").string();
    Configuration().GXServerName = (temp_.Dir() / "orders").string();
  }

  void WriteIni(const std::string& text) { std::ofstream(Configuration().GXIniFile, std::ios::binary) << text; }

  TRegistry& Key(const std::string& path) {
    registry_.OpenKey(path, true);
    return registry_;
  }

  testing::TTempRegistry temp_;
  TScriptedMessages messages_;
  TUserMessagesScope messages_scope_;
  TRegistry registry_;
};

TEST_F(GXSetupTest, NoIniFileMeansNotLoadedAndAWindows1251IniIsRead) {
  Configuration().GXIniFile.clear();
  EXPECT_FALSE(TGXSetup::Create()->Loaded);
  Configuration().GXIniFile = (temp_.Dir() / "missing.ini").string();
  EXPECT_FALSE(TGXSetup::Create()->Loaded);
  EXPECT_FALSE(std::filesystem::exists(temp_.Dir() / "orders")) << "nothing is created when not loaded";
  WriteIni(Utf8ToCp1251(
      "[Firm]\r\nName=ООО \"Окна\"\r\n[PriceGroupNames]\r\n2=Дилеры\r\n[TechDoc]\r\nStaticRegion=МОСКВА\r\n"
      "GlassFrameSize=12\r\nPlaceType=2\r\n"));
  auto setup = TGXSetup::Create();
  EXPECT_EQ(setup->FirmName, "ООО \"Окна\"");
  EXPECT_EQ(setup->PriceGroupNames[1], "Дилеры");
  EXPECT_EQ(setup->PriceGroupNames[2], "Скидка #3");
  EXPECT_EQ(setup->GlassFrameSize, 120);
}

TEST_F(GXSetupTest, FloatWithThousandsBlankIsRead) {
  WriteIni("[Tax]\nWinProfit=1 000,5\nNDSTax=20\n[ProfDoc]\nWeldLimit.Allowance= 2,5 \n");
  auto setup = TGXSetup::Create();
  EXPECT_FLOAT_EQ(setup->DefaultWindowProfit, 1000.5f);
  EXPECT_FLOAT_EQ(setup->DefaultNDSTax, 20);
  EXPECT_FLOAT_EQ(GXOldWeldAllowance(), 2.5f);
  WriteIni("[Tax]\nGlassProfit=много\n");
  EXPECT_THROW(TGXSetup().LoadIniFile(), EConvertError);
  EXPECT_EQ(ErrorOf([] { TGXSetup().LoadIniFile(); }), "Файл настроек [" + Configuration().GXIniFile +
                                                           "], раздел [Tax], ключ GlassProfit: 'много' не является "
                                                           "правильным числом");
  WriteIni("[Money]\nCurCurrency=3\n");
  EXPECT_EQ(TGXSetup::Create()->RegistryCurrency, 3) << "defaults to the current currency";
  WriteIni("[Money]\nCurCurrency=3\nRegistryCurrency=5\n");
  EXPECT_EQ(TGXSetup::Create()->RegistryCurrency, 5);
}

TEST_F(GXSetupTest, EmptyServerNameMeansProgramDirOrderWithTheTreeCreated) {
  Configuration().GXServerName.clear();
  const auto order = ProgramDir() / "Order";
  const bool existed = std::filesystem::exists(order);
  WriteIni("");
  auto setup = TGXSetup::Create();
  EXPECT_EQ(setup->ServerName, order.string());
  EXPECT_TRUE(std::filesystem::is_directory(order / "ORDERS" / "WORK"));
  EXPECT_TRUE(std::filesystem::is_directory(order / "EXCHANGE" / "INBOX"));
  setup->Loaded = false;
  if (!existed) std::filesystem::remove_all(order);
}

TEST_F(GXSetupTest, OrderTreeIsCreatedBelowTheServer) {
  Configuration().GXWorkDir = "WORK/NOW";
  Configuration().GXInboxDir = (temp_.Dir() / "in").string();
  WriteIni("");
  auto setup = TGXSetup::Create();
  const auto root = temp_.Dir() / "orders";
  EXPECT_EQ(setup->WorkDir, "WORK/NOW");
  EXPECT_EQ(setup->CalcDir, "ORDERS/CALC");
  EXPECT_EQ(setup->ExportDir, (root / "EXPORT").string());
  for (const char* sub : {"WORK/NOW", "ORDERS/CALC", "ORDERS/COMPLETE", "ORDERS/CLOSED", "ORDERS/SELECT",
                          "ORDERS/COMPLECT", "RECYCLED", "ARCHIVE", "TEMPLATES", "EXCHANGE/OUTBOX"})
    EXPECT_TRUE(std::filesystem::is_directory(root / sub)) << sub;
  EXPECT_TRUE(std::filesystem::is_directory(temp_.Dir() / "in"));
  EXPECT_FALSE(std::filesystem::exists(root / "EXPORT")) << "the export directory is not created";
}

TEST_F(GXSetupTest, StoredRegistryValuesAreRead) {
  Key(kRegistryRootKey).WriteInteger("TechnologDesignFormW", 1024);
  Key(std::string(kDBConfigKey) + "\\main").WriteInteger("AutoGenOrderNoMethod", 2);
  registry_.WriteString("OrderNoTemplate", "К-%i");
  Key(kTechnologistKey).WriteString("ExportFields", "0101");
  registry_.WriteBinaryData("DesignDefFrame", {1, 2, 3});
  registry_.WriteBinaryData("DesignImageOptions", {1, 2});
  TGXSetup setup;
  setup.LoadRegistry();
  EXPECT_EQ(setup.DesignFormSize.Width, 1024);
  EXPECT_EQ(setup.AutoGenOrderNoMethod, aonmLocal);
  EXPECT_EQ(setup.OrderNoTemplate, "К-%i");
  EXPECT_FALSE(setup.ExportFields[0]);
  EXPECT_TRUE(setup.ExportFields[1]);
  EXPECT_TRUE(setup.ExportFields[3]);
  EXPECT_FALSE(setup.ExportFields[4]);
  EXPECT_EQ(setup.DesignDefFrame.Data, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(setup.DesignImageOptions, (TImageOptions{0x97, 0xFF, 0x03, 0x30, 0x61, 0x02})) << "wrong length";
  registry_.WriteString("ExportFields", std::string(50, '1'));  // more than the 36 fields
  setup.LoadRegistry();
  for (bool on : setup.ExportFields) EXPECT_TRUE(on);
}

TEST_F(GXSetupTest, SaveWritesUserOptionsButNeverTheConfiguration) {
  TGXSetup setup;
  setup.AutoLoadCurrency = false;
  setup.DBUpdate = 99;
  setup.SaveRegistry();
  EXPECT_FALSE(registry_.KeyExists(std::string(kDBConfigKey) + "\\Main"));
  TGXSetup back;
  back.LoadRegistry();
  EXPECT_FALSE(back.AutoLoadCurrency);
  EXPECT_EQ(back.DBUpdate, 0);
  // The configuration key is written on its own, with the numbering defaults.
  setup.WriteConfigurationKey(Key(std::string(kDBConfigKey) + "\\Main"));
  EXPECT_EQ(registry_.ReadString("OrderNoTemplate"), "%yyyy-%i");
}

TEST_F(GXSetupTest, DestroySavesOnlyWhenLoaded) {
  {
    TGXSetup setup;
    setup.Preview = false;
  }
  EXPECT_FALSE(registry_.KeyExists(kTechnologistKey));
  WriteIni("");
  {
    auto setup = TGXSetup::Create();
    setup->Preview = false;
  }
  ASSERT_TRUE(registry_.OpenKey(kTechnologistKey, false));
  EXPECT_FALSE(registry_.ReadBool("Preview"));
}

TEST_F(GXSetupTest, WrongValueTypeInTheRegistryGivesTheLoadMessage) {
  Key(kTechnologistKey).WriteString("Preview", "yes");
  TGXSetup().LoadRegistry();
  EXPECT_EQ(messages_.LastText().rfind("Ошибка загрузки параметров из системного реестра!", 0), 0u);
}

TEST_F(GXSetupTest, CorruptRegistryGivesTheLoadAndSaveMessages) {
  std::ofstream(temp_.File(), std::ios::binary) << std::string(2048, 'k');
  TGXSetup setup;
  setup.LoadRegistry();
  EXPECT_EQ(messages_.LastText().rfind("Ошибка загрузки параметров из системного реестра!\r\n(", 0), 0u);
  setup.SaveRegistry();
  EXPECT_EQ(messages_.LastText().rfind("Ошибка записи параметров в системный реестр!\r\n(", 0), 0u);
}

TEST(GXSetupValuesTest, PhonesAndPrintPenWidths) {
  TGXSetup setup;
  EXPECT_EQ(setup.GetPhones(), "");
  setup.ZipCode = "(017)";
  setup.Phone_2 = "222-22-22";
  EXPECT_EQ(setup.GetPhones(), "(017) 222-22-22");
  setup.Phone_1 = "111-11-11";
  setup.Fax = "333-33-33";
  EXPECT_EQ(setup.GetPhones(), "(017) 111-11-11,222-22-22,333-33-33");
  setup.PenWidthMain = 3;
  setup.PenWidthSize = 2;
  std::array<int32_t, 4> widths{};
  setup.PrintPenWidth(widths);
  EXPECT_EQ(widths, (std::array<int32_t, 4>{3, 1, 1, 2}));
}

TEST(GXSetupSavedValues, SetFromTheTextsTheListShows) {
  TGXSetup setup;
  const struct {
    const char* Name;
    const char* Text;
    bool Set;
  } cases[] = {{"AutoLoadCurrency", "0", true},     {"PenWidthMain", "3", true},  {"TechnologMainWinState", "2", true},
               {"ExportFields", "101", true},       {"AutoReg", "да", false},     {"PenWidthMain", "x", false},
               {"DesignImageOptions", "00", false}, {"StatusDepend", "0", false}, {"NoSuchValue", "1", false}};
  for (const auto& c : cases) EXPECT_EQ(setup.SetSavedValue(c.Name, c.Text), c.Set) << c.Name;
  EXPECT_FALSE(setup.AutoLoadCurrency);
  EXPECT_EQ(setup.PenWidthMain, 3);
  EXPECT_EQ(setup.MainFormWinState, wsMaximized);
  EXPECT_TRUE(setup.ExportFields[0] && !setup.ExportFields[1] && setup.ExportFields[2]);
  EXPECT_TRUE(setup.AutoReg && setup.StatusDepend);
}

}  // namespace
}  // namespace kv
