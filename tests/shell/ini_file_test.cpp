#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/temp_registry.h"

namespace kv {
namespace {

TEST(IniFileTest, ReadsSectionsAndKeysWithoutLetterCaseInWindows1251) {
  const auto ini = TIniFile::FromText("[Firm]\nName=Окна\n[tax]\nNDSTax = 20\n");
  EXPECT_EQ(ini.ReadString("FIRM", "name", ""), "Окна");
  EXPECT_EQ(ini.ReadInteger("Tax", "ndstax", 18), 20);
  EXPECT_TRUE(ini.SectionExists("firm"));
  EXPECT_FALSE(ini.ValueExists("Firm", "Logo"));
  EXPECT_EQ(ini.ReadString("Firm", "Logo", "x"), "x");
  EXPECT_TRUE(ini.ReadBool("Tax", "TotalNDS", true));
  EXPECT_EQ(TIniFile::FromText(Utf8ToCp1251("[Firm]\r\nName=ООО \"Рамы\"\r\n")).ReadString("Firm", "Name", ""),
            "ООО \"Рамы\"");
  // Not a number or out of range: the default.
  const auto numbers = TIniFile::FromText("[S]\nA=12\nB=abc\nC=0\nD=5\nE=99999999999\n");
  EXPECT_EQ(numbers.ReadInteger("S", "A", 0), 12);
  EXPECT_EQ(numbers.ReadInteger("S", "B", 7), 7);
  EXPECT_FALSE(numbers.ReadBool("S", "C", true));
  EXPECT_TRUE(numbers.ReadBool("S", "D", false));
  EXPECT_EQ(numbers.ReadInteger("S", "E", -1), -1);
}

TEST(IniFileTest, RepeatedKeysGarbageOverlongLinesAndAMissingFile) {
  EXPECT_EQ(TIniFile::FromText("[S]\nA=1\na=2\n[s]\nA=3\n").ReadString("S", "A", ""), "1") << "the first wins";
  EXPECT_EQ(TIniFile::FromText("junk without equals\n[S\nA=1\n[T]\n=\nB=2\n").ReadString("T", "B", ""), "2");
  const auto overlong = TIniFile::FromText("[S]\nA=" + std::string(500, 'x') + "=Q\nB=2\n");
  EXPECT_EQ(overlong.ReadString("S", "B", ""), "2");
  EXPECT_EQ(overlong.ReadString("S", std::string(200, 'x'), "none"), "none");
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>((i * 7919) % 256);
  EXPECT_EQ(TIniFile::FromText(binary).ReadString("Firm", "Name", "default"), "default");
  TIniFile ini("/nonexistent/dir/k.ini");
  EXPECT_FALSE(ini.SectionExists("Firm"));
  ini.WriteString("A", "B", "C");
  EXPECT_THROW(ini.UpdateFile(), EInOutError);
}

TEST(IniFileTest, WrittenFileIsWindows1251) {
  testing::TTempRegistry temp;
  const auto path = temp.Dir() / "k.ini";
  TIniFile ini(path);
  ini.WriteString("Firm", "Name", "Окна");
  ini.WriteInteger("Tax", "CalcMethod", 2);
  ini.WriteBool("Tax", "TotalNDS", false);
  ini.WriteString("firm", "NAME", "Двери");
  ini.UpdateFile();
  std::ifstream in(path, std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(raw, Utf8ToCp1251("[Firm]\r\nName=Двери\r\n\r\n[Tax]\r\nCalcMethod=2\r\nTotalNDS=0\r\n"));
}

}  // namespace
}  // namespace kv
