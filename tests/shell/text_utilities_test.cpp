#include <gtest/gtest.h>
#include <iconv.h>

#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/tokens.h"
#include "shell/utilities.h"
#include "shell/versions.h"

namespace kv {
namespace {

TEST(Tokens, FieldsCountsPositionsAndCheckMarks) {
  EXPECT_EQ(NumToken("a;;c", ";"), 3);
  EXPECT_EQ(Token("a;;c", 2, ";"), "");
  EXPECT_EQ(Token("a;;c", 3, ";"), "c");
  EXPECT_EQ(Token("a;;c", 0, ";"), "");
  EXPECT_EQ(NumToken("", ";"), 0);
  EXPECT_EQ(Token(" x ; y", 1, ";", true), "x");
  EXPECT_EQ(Token("1,2;3", 2, ",;"), "2");
  EXPECT_EQ(PosToken("ab;cd;e", 2, ";"), 6);
  EXPECT_EQ(PosToken("ab;cd;e", 3, ";"), 0);
  EXPECT_EQ(GetStrAfterToken("ab;cd;e", 1, ";"), "cd;e");
  EXPECT_EQ(GetStrAfterToken("abc", 1, ";"), "abc");
  EXPECT_TRUE(FindToken("10; 20 ;30", "20", ";"));
  EXPECT_FALSE(FindToken("10;20", "2", ";"));
  EXPECT_EQ(InsertToken("a;c", 2, "b", ";"), "a;b;c");
  EXPECT_EQ(InsertToken("b", 1, "a", ";"), "a;b");
  EXPECT_EQ(InsertToken("", 3, "a", ";"), "a");
  EXPECT_EQ(CheckString("Рама"), "Рама\t1");
  EXPECT_EQ(UnCheckString("Рама\t1"), "Рама\t0");
  EXPECT_TRUE(StringChecked("Рама\t1"));
  EXPECT_TRUE(StringUnChecked("Рама\t0"));
  EXPECT_FALSE(StringChecked("Рама"));
  EXPECT_EQ(ClearStringChecking("Рама\t0"), "Рама");
  std::vector<std::string> list = {"a\t1", "b\t0", "c"};
  RemoveUnCheckStringList(list);
  EXPECT_EQ(list, (std::vector<std::string>{"a\t1", "c"}));
  CheckStringList(list);
  EXPECT_EQ(list, (std::vector<std::string>{"a\t1", "c\t1"}));
  ClearStringListChecking(list);
  EXPECT_EQ(list, (std::vector<std::string>{"a", "c"}));
}

TEST(Versions, DateKeysEmptyVersionsAndDatesOutOfRange) {
  EXPECT_TRUE(VerGreaterThan("23.04.2012", "23.04.2012"));
  EXPECT_TRUE(VerGreaterThan("01.02.2013", "31.12.2012"));
  // The key gives a month 31 days and a year 365, so the turn of a year can compare backwards.
  EXPECT_FALSE(VerGreaterThan("01.01.2013", "31.12.2012"));
  EXPECT_FALSE(VerGreaterThan("16.02.2011", "23.04.2012"));
  EXPECT_FALSE(VerGreaterThan("", "01.01.2000"));
  EXPECT_TRUE(VerGreaterThan("01.01.2000", ""));
  EXPECT_TRUE(VerSmallerThan("", "01.01.2000"));
  EXPECT_TRUE(VerSmallerThan("", ""));
  EXPECT_FALSE(VerSmallerThan("01.01.2000", ""));
  EXPECT_TRUE(VerSmallerThan("15.02.2011", "16.02.2011"));
  EXPECT_FALSE(VerSmallerThan("16.02.2011", "16.02.2011"));
  // The year of the first text would make year*365 overflow: it is neither later nor earlier.
  for (const char* bad : {"1.1.201233333333333333", "32.01.2012", "01.13.2012", "01.01.0", "01.2012", "abc"}) {
    EXPECT_FALSE(VerGreaterThan(bad, "23.04.2012")) << bad;
    EXPECT_FALSE(VerSmallerThan(bad, "23.04.2012")) << bad;
    EXPECT_FALSE(VerGreaterThan("23.04.2012", bad)) << bad;
  }
  EXPECT_TRUE(VerGreaterThan("31.12.9999", "01.01.0001"));
}

TEST(Formats, DecimalCommaConversionsBlanksPowersNamesAndSteps) {
  EXPECT_EQ(Format("%.1f x %.1f", 1300.0, 1400.25), "1300,0 x 1400,3");
  EXPECT_EQ(Format("%.1f|%.0f|%.2f", -0.25, 2.5, 0.125), "-0,3|3|0,13");
  EXPECT_EQ(Format("%d шт., %s", 5, "рама"), "5 шт., рама");
  EXPECT_EQ(Format("%2d|%-4d|%.3d|%x", 5, 7, 9, 255), " 5|7   |009|ff");
  EXPECT_EQ(Format("%.2n", 1234567.891), "1 234 567,89");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%d %d", 1), EConvertError);
  EXPECT_EQ(FloatToStr(12.5), "12,5");
  EXPECT_EQ(FloatToStr(3), "3");
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("1000,5")), 1000.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(" 2.25 ")), 2.25);
  EXPECT_THROW(StrToFloat("12x"), EConvertError);
  EXPECT_THROW(StrToInt("3000000000"), EConvertError);
  EXPECT_EQ(StrToInt(" -12 "), -12);
  EXPECT_EQ(RemoveBlank("1 000,5"), "1000,5");
  EXPECT_EQ(RemoveBlank("   "), "0");
  EXPECT_EQ(SqrX(3, 2), 8);
  EXPECT_EQ(SqrX(0, 5), 5);
  EXPECT_EQ(FileNameToRegName("C:\\Orders\\a.gxo"), "C:%Orders%a.gxo");
  EXPECT_EQ(RegNameToFileName("C:%Orders%a.gxo"), "C:\\Orders\\a.gxo");
  EXPECT_EQ(CheckFileNameValidity("a/b:c*d?e,f;g\"h`i!j(k)l{m}n[o]p<q>r|s%t'u.v"),
            "a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r_s_t_u.v");
  EXPECT_EQ(CheckMinStep("1000;0;300", 500), "0;300;650,0;1000");
  EXPECT_EQ(CheckMinStep("0;1000;2000", 1000), "0;500,0;1000;1500,0;2000");
  EXPECT_EQ(CheckMinStep("", 100), "");
  EXPECT_EQ(ExtractFile("/orders/2026/a.b.gxo", true, false, false), "/orders/2026/");
  EXPECT_EQ(ExtractFile("/orders/2026/a.b.gxo", false, true, false), "a.b");
  EXPECT_EQ(ExtractFile("/orders/2026/a.b.gxo", false, true, true), "a.b.gxo");
  EXPECT_EQ(ExtractFile("C:\\dir.x\\name", false, false, true), "");
}

TEST(CodePage, ConversionAndCyrillicCase) {
  // Malformed text (every valid character is compared with the C library below).
  EXPECT_EQ(Utf8ToCp1251("\xFF\xFEok"), "??ok");
  // A stray continuation byte belongs to the character before it; a cut sequence is one character.
  EXPECT_EQ(Utf8ToCp1251("日\x80Я\xD0"), "?\xDF?");
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"), "???") << "overlong, surrogate, beyond U+10FFFF";
  EXPECT_EQ(CharactersOutsideCp1251("Иван 日本 № € 日 ✓"), "日本✓");
  EXPECT_EQ(AnsiUpperCase("Офис ёлка"), "ОФИС ЁЛКА");
  EXPECT_EQ(AnsiLowerCase("ОФИС"), "офис");
  EXPECT_TRUE(AnsiSameText("Заказ-12", "заКАЗ-12"));
  EXPECT_EQ(AnsiUpperFirst("двадцать"), "Двадцать");
}

// The C library's converter, an implementation of its own, as the reference for every byte and
// every character of the Basic Multilingual Plane.
class TLibraryConverter {
public:
  TLibraryConverter(const char* To, const char* From) : handle_(iconv_open(To, From)) {}
  ~TLibraryConverter() { iconv_close(handle_); }
  // The converted text; "?" when the library refuses it.
  std::string operator()(std::string_view Text) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string out(Text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(Text.data());
    size_t in_left = Text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    if (iconv(handle_, &in, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1)) return "?";
    out.resize(out.size() - out_left);
    return out;
  }

private:
  iconv_t handle_;
};

TEST(CodePage, EveryByteAndCharacterAsTheCLibraryConvertsThem) {
  TLibraryConverter to_utf8("UTF-8", "WINDOWS-1251"), from_utf8("WINDOWS-1251", "UTF-8"), utf32("UTF-8", "UTF-32LE");
  for (int byte = 1; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    EXPECT_EQ(Cp1251ToUtf8(text), to_utf8(text)) << byte;
  }
  for (char32_t code_point = 1; code_point < 0x10000; ++code_point) {
    if (code_point >= 0xD800 && code_point <= 0xDFFF) continue;
    const std::string text = utf32(std::string_view(reinterpret_cast<const char*>(&code_point), 4));
    ASSERT_EQ(Utf8ToCp1251(text), from_utf8(text)) << static_cast<uint32_t>(code_point);
  }
}

}  // namespace
}  // namespace kv
