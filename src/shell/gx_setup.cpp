#include "shell/gx_setup.h"
#include "shell/errors.h"

#include <climits>
#include <filesystem>

#include "shell/configuration.h"
#include "shell/format_settings.h"
#include "shell/ini_file.h"
#include "shell/paths.h"
#include "shell/registry_store.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"
#include "shell/utilities.h"

namespace kv {

namespace {

// The defaults of every option: a freshly constructed object.
const TGXSetup& Defaults() {
  static const TGXSetup defaults;
  return defaults;
}

std::string ConfigurationKey() { return std::string(kDBConfigKey) + "\\" + Configuration().GXConfigName; }

// Every key of the INI file with its field and default (the same field of `d`), in reading
// order. One list serves reading, writing and printing; S is TGXSetup or const TGXSetup.
template <typename S, typename V>
void VisitIniValues(S& s, const TGXSetup& d, V& v) {
  v.String("Firm", "Name", s.FirmName, d.FirmName);
  v.String("Firm", "Logo", s.Logo, d.Logo);
  v.String("Firm", "Address", s.Address, d.Address);
  v.String("Firm", "JustAddress", s.JustAddress, d.JustAddress);
  v.String("Firm", "ZipCode", s.ZipCode, d.ZipCode);
  v.String("Firm", "Phone1", s.Phone_1, d.Phone_1);
  v.String("Firm", "Phone2", s.Phone_2, d.Phone_2);
  v.String("Firm", "Phone3", s.Phone_3, d.Phone_3);
  v.String("Firm", "Fax", s.Fax, d.Fax);
  v.String("Firm", "EMail", s.EMail, d.EMail);
  v.String("Firm", "Internet", s.Internet, d.Internet);
  v.String("Firm", "INN", s.INN, d.INN);
  v.String("Firm", "Account", s.Account, d.Account);
  v.String("Firm", "Director", s.Director, d.Director);
  v.String("Firm", "BookKeeper", s.BookKeeper, d.BookKeeper);

  v.Float("Tax", "WinProfit", s.DefaultWindowProfit, d.DefaultWindowProfit);
  v.Float("Tax", "GlassProfit", s.DefaultGlassProfit, d.DefaultGlassProfit);
  v.Float("Tax", "FurnProfit", s.DefaultFurnProfit, d.DefaultFurnProfit);
  v.Float("Tax", "DopMatProfit", s.DefaultDopProfProfit, d.DefaultDopProfProfit);
  v.Float("Tax", "MontMatProfit", s.DefaultMontMatProfit, d.DefaultMontMatProfit);
  v.Float("Tax", "SillProfit", s.DefaultSillProfit, d.DefaultSillProfit);
  v.Float("Tax", "SinkProfit", s.DefaultSinkProfit, d.DefaultSinkProfit);
  v.Float("Tax", "MosquitoProfit", s.DefaultMosquitoProfit, d.DefaultMosquitoProfit);
  v.Float("Tax", "RolletProfit", s.DefaultRolletProfit, d.DefaultRolletProfit);
  v.Float("Tax", "JalousieProfit", s.DefaultJalousieProfit, d.DefaultJalousieProfit);
  v.Float("Tax", "OverTax", s.DefaultOverTax, d.DefaultOverTax);
  v.Float("Tax", "CommonTax", s.DefaultCommonTax, d.DefaultCommonTax);
  v.Float("Tax", "NDSTax", s.DefaultNDSTax, d.DefaultNDSTax);
  v.Bool("Tax", "TotalNDS", s.DefaultTotalNDS, d.DefaultTotalNDS);
  v.Bool("Tax", "ShowIncludingNDS", s.DefaultShowIncludingNDS, d.DefaultShowIncludingNDS);
  v.Int("Tax", "CalcMethod", s.DefaultCalcMethod, d.DefaultCalcMethod);
  v.Bool("Tax", "DopProfNoVisible", s.DopProfNoVisible, d.DopProfNoVisible);

  v.Int("Money", "CurCurrency", s.DefaultCurrency, d.DefaultCurrency);
  v.Int("Money", "RegistryCurrency", s.RegistryCurrency, s.DefaultCurrency);

  v.Bool("Defaults", "WindowCheck", s.DefaultWindowCheck, d.DefaultWindowCheck);
  v.Bool("Defaults", "DopProfCheck", s.DefaultDopProfCheck, d.DefaultDopProfCheck);
  v.Bool("Defaults", "MontMatCheck", s.DefaultMontMatCheck, d.DefaultMontMatCheck);
  v.Bool("Defaults", "SillCheck", s.DefaultSillCheck, d.DefaultSillCheck);
  v.Bool("Defaults", "SinkCheck", s.DefaultSinkCheck, d.DefaultSinkCheck);
  v.Bool("Defaults", "MosquitoCheck", s.DefaultMosquitoCheck, d.DefaultMosquitoCheck);
  v.Bool("Defaults", "RolletCheck", s.DefaultRolletCheck, d.DefaultRolletCheck);
  v.Bool("Defaults", "JalousieCheck", s.DefaultJalousieCheck, d.DefaultJalousieCheck);
  v.Bool("Defaults", "MeasurePeriodCheck", s.DefaultMeasurePeriodCheck, d.DefaultMeasurePeriodCheck);
  v.Bool("Defaults", "ProdPeriodCheck", s.DefaultProdPeriodCheck, d.DefaultProdPeriodCheck);
  v.Bool("Defaults", "ComplectPeriodCheck", s.DefaultComplectPeriodCheck, d.DefaultComplectPeriodCheck);
  v.Bool("Defaults", "TransPeriodCheck", s.DefaultTransPeriodCheck, d.DefaultTransPeriodCheck);
  v.Bool("Defaults", "MontPeriodCheck", s.DefaultMontPeriodCheck, d.DefaultMontPeriodCheck);
  v.Bool("Defaults", "DecorPeriodCheck", s.DefaultDecorPeriodCheck, d.DefaultDecorPeriodCheck);
  v.Int("Defaults", "MeasurePeriod", s.DefaultMeasurePeriod, d.DefaultMeasurePeriod);
  v.Int("Defaults", "ProdPeriod", s.DefaultProdPeriod, d.DefaultProdPeriod);
  v.Int("Defaults", "ComplectPeriod", s.DefaultComplectPeriod, d.DefaultComplectPeriod);
  v.Int("Defaults", "TransPeriod", s.DefaultTransPeriod, d.DefaultTransPeriod);
  v.Int("Defaults", "MontPeriod", s.DefaultMontPeriod, d.DefaultMontPeriod);
  v.Int("Defaults", "DecorPeriod", s.DefaultDecorPeriod, d.DefaultDecorPeriod);
  v.String("Defaults", "ProfSys", s.DefOrderProfSys, d.DefOrderProfSys);
  v.Int("Defaults", "Material", s.DefOrderMaterial, d.DefOrderMaterial);
  v.String("Defaults", "FurnSys", s.DefOrderFurnSys, d.DefOrderFurnSys);
  v.String("Defaults", "Glass2x", s.DefOrderGlass2x, d.DefOrderGlass2x);
  v.String("Defaults", "Glass1x", s.DefOrderGlass1x, d.DefOrderGlass1x);
  v.String("Defaults", "SimpleGlass", s.DefOrderSimpleGlass, d.DefOrderSimpleGlass);
  v.String("Defaults", "VirtGlass", s.DefOrderVirtGlass, d.DefOrderVirtGlass);
  v.Int("Defaults", "BeadGrp", s.DefOrderBeadGrp, d.DefOrderBeadGrp);
  v.String("Defaults", "Sill", s.DefOrderSill, d.DefOrderSill);
  v.String("Defaults", "Sink", s.DefOrderSink, d.DefOrderSink);
  v.String("Defaults", "Mosquito", s.DefOrderMosquito, d.DefOrderMosquito);
  v.String("Defaults", "Rollet", s.DefOrderRollet, d.DefOrderRollet);
  v.String("Defaults", "Jalousie", s.DefOrderJalousie, d.DefOrderJalousie);
  v.String("Defaults", "FlugelRubberColor", s.DefOrderFlugelRubberColor, d.DefOrderFlugelRubberColor);
  v.String("Defaults", "ProfRubberColor", s.DefOrderProfRubberColor, d.DefOrderProfRubberColor);
  v.String("Defaults", "BeadRubberColor", s.DefOrderBeadRubberColor, d.DefOrderBeadRubberColor);
  v.Int("Defaults", "DefOrderSillLayerWidth", s.DefOrderSillLayerWidth, d.DefOrderSillLayerWidth);
  v.Int("Defaults", "DefOrderSinkLayerWidth", s.DefOrderSinkLayerWidth, d.DefOrderSinkLayerWidth);
  v.Int("Defaults", "DefOrderStuccoLayerWidth", s.DefOrderStuccoLayerWidth, d.DefOrderStuccoLayerWidth);
  v.Int("Defaults", "DefOrderQuarterLayerWidth", s.DefOrderQuarterLayerWidth, d.DefOrderQuarterLayerWidth);

  v.Int("TechDoc", "PCDistance", s.PCDistance, d.PCDistance);
  v.Int("TechDoc", "PBDistance", s.PBDistance, d.PBDistance);
  v.Int("TechDoc", "PinMethod", s.PinMethod, d.PinMethod);
  v.Size10("TechDoc", "GlassFrameSize", s.GlassFrameSize, d.GlassFrameSize);
  v.Size10("TechDoc", "GlassFrameThickness", s.GlassFrameThickness, d.GlassFrameThickness);
  v.Int("TechDoc", "DeltaSteel", s.DeltaSteel, d.DeltaSteel);
  v.Int("TechDoc", "SillDeltaLen", s.SillDeltaLen, d.SillDeltaLen);
  v.Int("TechDoc", "SinkDeltaLen", s.SinkDeltaLen, d.SinkDeltaLen);
  v.Bool("TechDoc", "DontMontageBottom", s.DontMontageBottom, d.DontMontageBottom);
  v.Bool("TechDoc", "RoundFrameSteel", s.RoundFrameSteel, d.RoundFrameSteel);
  v.Bool("TechDoc", "RoundFlugelSteel", s.RoundFlugelSteel, d.RoundFlugelSteel);
  v.Int("TechDoc", "DRNA_FalzFrame", s.DRNA_FalzFrame, d.DRNA_FalzFrame);
  v.Int("TechDoc", "DRNA_FalzStep", s.DRNA_FalzStep, d.DRNA_FalzStep);
  v.Int("TechDoc", "DRNB_FalzFrame", s.DRNB_FalzFrame, d.DRNB_FalzFrame);
  v.Int("TechDoc", "DRNB_FalzImpost", s.DRNB_FalzImpost, d.DRNB_FalzImpost);
  v.Int("TechDoc", "DRNB_FalzStep", s.DRNB_FalzStep, d.DRNB_FalzStep);
  v.Int("TechDoc", "DRNC_FalzFrame", s.DRNC_FalzFrame, d.DRNC_FalzFrame);
  v.Int("TechDoc", "DRNC_FalzStep", s.DRNC_FalzStep, d.DRNC_FalzStep);
  v.Int("TechDoc", "DRND_FalzFrame", s.DRND_FalzFrame, d.DRND_FalzFrame);
  v.Int("TechDoc", "DRND_FalzImpost", s.DRND_FalzImpost, d.DRND_FalzImpost);
  v.Int("TechDoc", "DRND_FalzStep", s.DRND_FalzStep, d.DRND_FalzStep);
  v.Bool("TechDoc", "SetFrameWasserKappe", s.SetFrameWasserKappe, d.SetFrameWasserKappe);
  v.Bool("TechDoc", "SetImpostWasserKappe", s.SetImpostWasserKappe, d.SetImpostWasserKappe);
  v.Bool("OptiProf", "MachinaryUseWeldAllowance", s.MachinaryUseWeldAllowance, d.MachinaryUseWeldAllowance);
  static const float kNoWeldAllowance = 0;
  v.Float("ProfDoc", "WeldLimit.Allowance", GXOldWeldAllowance(), kNoWeldAllowance);
  for (int i = 0; i < kPriceGroupCount && i < static_cast<int>(s.PriceGroupNames.size()); ++i)
    v.String("PriceGroupNames", IntToStr(i + 1), s.PriceGroupNames[i], d.PriceGroupNames[i]);
  v.String("TechDoc", "StaticRegion", s.DefaultStaticRegion, d.DefaultStaticRegion);
  v.Byte("TechDoc", "PlaceType", s.DefaultPlaceType, d.DefaultPlaceType);
  v.Byte("TechDoc", "LoadGroupH", s.DefaultLoadGroupH, d.DefaultLoadGroupH);
}

// The values of the registry root key.
template <typename S, typename V>
void VisitRootValues(S& s, const TGXSetup& d, V& v) {
  v.Byte("TechnologMainWinState", s.MainFormWinState, d.MainFormWinState);
  v.Byte("TechnologOrderWinState", s.OrderFormWinState, d.OrderFormWinState);
  v.Byte("TechnologDesignWinState", s.DesignFormWinState, d.DesignFormWinState);
  v.Int("TechnologDesignFormW", s.DesignFormSize.Width, d.DesignFormSize.Width);
  v.Int("TechnologDesignFormH", s.DesignFormSize.Height, d.DesignFormSize.Height);
}

// The numbering values of the configuration's key (written by the administration program).
template <typename S, typename V>
void VisitConfigurationValues(S& s, const TGXSetup& d, V& v) {
  v.Byte("AutoGenOrderNoMethod", s.AutoGenOrderNoMethod, d.AutoGenOrderNoMethod);
  v.String("OrderNoTemplate", s.OrderNoTemplate, d.OrderNoTemplate);
  v.Int("FirstOrderNo", s.FirstOrderNo, d.FirstOrderNo);
  v.Byte("AutoGenSelNoMethod", s.AutoGenSelNoMethod, d.AutoGenSelNoMethod);
  v.String("SelNoTemplate", s.SelNoTemplate, d.SelNoTemplate);
  v.Int("FirstSelNo", s.FirstSelNo, d.FirstSelNo);
  v.Byte("AutoGenCompNoMethod", s.AutoGenCompNoMethod, d.AutoGenCompNoMethod);
  v.String("CompNoTemplate", s.CompNoTemplate, d.CompNoTemplate);
  v.Int("FirstCompNo", s.FirstCompNo, d.FirstCompNo);
  v.Byte("DefFileNameType", s.DefFileNameType, d.DefFileNameType);
  v.String("FileNamePrefix", s.FileNamePrefix, d.FileNamePrefix);
  v.Bool("StatusDepend", s.StatusDepend, d.StatusDepend);
  v.Int("DBUpdate", s.DBUpdate, d.DBUpdate);
  v.Int("SysDBUpdate", s.SysDBUpdate, d.SysDBUpdate);
}

// The user options of the Technologist key, then the design defaults.
template <typename S, typename V>
void VisitTechnologistValues(S& s, const TGXSetup& d, V& v) {
  v.Bool("Preview", s.Preview, d.Preview);
  v.Bool("UseDust", s.UseDust, d.UseDust);
  v.Bool("AlertIfNotFull", s.AlertIfNotFull, d.AlertIfNotFull);
  v.Bool("AutoReg", s.AutoReg, d.AutoReg);
  v.Bool("RoundProfLen", s.RoundProfLen, d.RoundProfLen);
  v.Bool("AutoOpenReg", s.AutoOpenReg, d.AutoOpenReg);
  v.Bool("MoveToRecycled", s.MoveToRecycled, d.MoveToRecycled);
  v.Bool("AutoLoadCurrency", s.AutoLoadCurrency, d.AutoLoadCurrency);
  v.Bool("SaveOrderPosStatus", s.SaveOrderPosStatus, d.SaveOrderPosStatus);
  v.Bool("UseSillSizing", s.UseSillSizing, d.UseSillSizing);
  v.Bool("UseProfSysFiltering", s.UseProfSysFiltering, d.UseProfSysFiltering);
  v.Bool("CheckZeroMatCost", s.CheckZeroMatCost, d.CheckZeroMatCost);
  v.Bool("AutoCheckInbox", s.AutoCheckInbox, d.AutoCheckInbox);
  v.Bool("SaveMemoAsRTF", s.SaveMemoAsRTF, d.SaveMemoAsRTF);
  v.Bool("RoundLamToMinTrade", s.RoundLamToMinTrade, d.RoundLamToMinTrade);
  v.Bool("SummaryExport", s.SummaryExport, d.SummaryExport);
  v.Int("ExportFormat", s.ExportFormat, d.ExportFormat);
  v.Flags("ExportFields", s.ExportFields);
  v.Int("PenWidthMain", s.PenWidthMain, d.PenWidthMain);
  v.Int("PenWidthDKR", s.PenWidthDKR, d.PenWidthDKR);
  v.Int("PenWidthAcc", s.PenWidthAcc, d.PenWidthAcc);
  v.Int("PenWidthSize", s.PenWidthSize, d.PenWidthSize);
  v.Bool("ShowGlassList", s.ShowGlassList, d.ShowGlassList);
  v.Bool("UncheckPVC", s.UncheckPVC, d.UncheckPVC);
  v.Int("DSXPointMode", s.DSXPointMode, d.DSXPointMode);
  auto& so = s.StaticOptions;
  const TProfOptCheck& dso = d.StaticOptions;
  v.Bool("SOProfLen", so.ProfLen, dso.ProfLen);
  v.Bool("SOFrameMaxSize", so.FrameMaxSize, dso.FrameMaxSize);
  v.Bool("SOFrameSteelMinSize", so.FrameSteelMinSize, dso.FrameSteelMinSize);
  v.Bool("SOImpostMaxSize", so.ImpostMaxSize, dso.ImpostMaxSize);
  v.Bool("SOImpostMinSize", so.ImpostMinSize, dso.ImpostMinSize);
  v.Bool("SOImpostSteelMinSize", so.ImpostSteelMinSize, dso.ImpostSteelMinSize);
  v.Bool("SOImpostSaveDefSteel", so.ImpostSaveDefSteel, dso.ImpostSaveDefSteel);
  v.Bool("SOAllwaysEnforceHImpost", so.AllwaysEnforceHImpost, dso.AllwaysEnforceHImpost);
  v.Bool("SOFlugelMaxSize", so.FlugelMaxSize, dso.FlugelMaxSize);
  v.Bool("SOFlugelNoSteelAvailable", so.FlugelNoSteelAvailable, dso.FlugelNoSteelAvailable);
  v.Bool("SOSteelByPerimeter", so.SteelByPerimeter, dso.SteelByPerimeter);
  v.Bool("SOFlugelSaveDefSteel", so.FlugelSaveDefSteel, dso.FlugelSaveDefSteel);
  v.Bool("SOWeldMinSize", so.WeldMinSize, dso.WeldMinSize);
  v.Bool("SOWeldMaxSize", so.WeldMaxSize, dso.WeldMaxSize);
  v.Bool("SOCheckStaticOnChange", s.CheckStaticOnChange, d.CheckStaticOnChange);
  v.Bool("SOUseSteelPriority", so.UseSteelPriority, dso.UseSteelPriority);
  v.Bool("SOImpostSetMaxIxIfNoStatic", so.ImpostSetMaxIxIfNoStatic, dso.ImpostSetMaxIxIfNoStatic);
  v.Bool("SOFlugelSetMaxIxIfNoStatic", so.FlugelSetMaxIxIfNoStatic, dso.FlugelSetMaxIxIfNoStatic);
  v.Bool("SOImpostSetMaxIxIfStatic", so.ImpostSetMaxIxIfStatic, dso.ImpostSetMaxIxIfStatic);
  v.Bool("SOFlugelSetMaxIxIfStatic", so.FlugelSetMaxIxIfStatic, dso.FlugelSetMaxIxIfStatic);
  v.Bool("SOShowAlertIfMaxIx", so.ShowAlertIfMaxIx, dso.ShowAlertIfMaxIx);
  v.String("CommPredNote1", s.CommPredNote1, d.CommPredNote1);
  v.String("CommPredNote2", s.CommPredNote2, d.CommPredNote2);
  v.String("SpecNote1", s.SpecNote1, d.SpecNote1);
  v.String("SpecNote2", s.SpecNote2, d.SpecNote2);
  v.Binary("DesignImageOptions", s.DesignImageOptions, d.DesignImageOptions);
  v.Binary("DisplayImageOptions", s.DisplayImageOptions, d.DisplayImageOptions);
  v.String("DesignAutoChangeProp", s.DesignAutoChangeProp, d.DesignAutoChangeProp);
  v.Bool("DesignAutoChangePropEnabled", s.DesignAutoChangePropEnabled, d.DesignAutoChangePropEnabled);
  v.Bool("DesignRoundEqualGlass", s.DesignRoundEqualGlass, d.DesignRoundEqualGlass);
  v.Bool("DesignSaveDefaults", s.DesignSaveDefaults, d.DesignSaveDefaults);

  v.Design("DesignDefFrame", s.DesignDefFrame);
  v.Design("DesignDefModify1", s.DesignDefModify1);
  v.Design("DesignDefModify2", s.DesignDefModify2);
  v.Design("DesignDefModify3", s.DesignDefModify3);
  v.Design("DesignDefFlugel", s.DesignDefFlugel);
  v.Design("DesignDefStoika", s.DesignDefStoika);
  v.Design("DesignDefRiegel", s.DesignDefRiegel);
  v.Design("DesignDefImpost", s.DesignDefImpost);
  v.Design("DesignDefStulp", s.DesignDefStulp);
  v.Design("DesignDefFalshFront", s.DesignDefFalshFront);
  v.Design("DesignDefFalshBack", s.DesignDefFalshBack);
  v.Design("DesignDefSpross", s.DesignDefSpross);
  v.Design("DesignDefGlass2x", s.DesignDefGlass2x);
  v.Design("DesignDefGlass1x", s.DesignDefGlass1x);
  v.Design("DesignDefSimpleGlass", s.DesignDefSimpleGlass);
  v.Design("DesignDefPVC", s.DesignDefPVC);
  v.Design("DesignDefVirtGlass", s.DesignDefVirtGlass);
  v.Design("DesignDefDKR", s.DesignDefDKR);
  v.Design("DesignDefDKL", s.DesignDefDKL);
  v.Design("DesignDefDR", s.DesignDefDR);
  v.Design("DesignDefDL", s.DesignDefDL);
  v.Design("DesignDefDK", s.DesignDefDK);
}

// Reads the INI keys; a float is read as text without its blanks ("1 000,5").
struct TIniReader {
  const TIniFile& ini;
  void String(const char* section, const std::string& key, std::string& field, const std::string& def) {
    field = ini.ReadString(section, key, def);
  }
  void Float(const char* section, const char* key, float& field, float def) {
    if (!ini.ValueExists(section, key)) {
      field = def;
      return;
    }
    const std::string text = RemoveBlank(ini.ReadString(section, key, ""));
    long double value = 0;
    if (!TryStrToFloat(text, value))
      throw EConvertError(Format("Файл настроек [%s], раздел [%s], ключ %s: '%s' не является правильным числом",
                                 ini.FileName().string(), section, key, text));
    field = static_cast<float>(value);
  }
  void Int(const char* section, const char* key, int32_t& field, int32_t def) {
    field = ini.ReadInteger(section, key, def);
  }
  void Bool(const char* section, const char* key, bool& field, bool def) { field = ini.ReadBool(section, key, def); }
  // Millimetres in the file, tenths in memory.
  void Size10(const char* section, const char* key, int32_t& field, int32_t def) {
    field = ini.ValueExists(section, key) ? SetSize10(static_cast<float>(ini.ReadInteger(section, key, 0))) : def;
  }
  void Byte(const char* section, const char* key, uint8_t& field, uint8_t def) {
    field = static_cast<uint8_t>(ini.ReadInteger(section, key, def));
  }
};

struct TIniWriter {
  TIniFile& ini;
  void String(const char* section, const std::string& key, const std::string& field, const std::string&) {
    ini.WriteString(section, key, field);
  }
  void Float(const char* section, const char* key, float field, float) {
    ini.WriteString(section, key, FloatToStr(field));
  }
  void Int(const char* section, const char* key, int32_t field, int32_t) { ini.WriteInteger(section, key, field); }
  void Bool(const char* section, const char* key, bool field, bool) { ini.WriteBool(section, key, field); }
  void Size10(const char* section, const char* key, int32_t field, int32_t) {
    ini.WriteInteger(section, key, GetSize10i(static_cast<float>(field)));
  }
  void Byte(const char* section, const char* key, uint8_t field, uint8_t) { ini.WriteInteger(section, key, field); }
};

std::string HexBytes(const uint8_t* data, size_t size) {
  std::string text;
  for (size_t i = 0; i < size; ++i) {
    if (i > 0) text += ' ';
    text += Format("%.2X", data[i]);
  }
  return text;
}

std::string ExportFieldsText(const std::array<bool, kExportFieldCount>& flags) {
  std::string text;
  for (bool on : flags) text += on ? '1' : '0';
  return text;
}

using TValueSink = std::function<void(const std::string&, const std::string&, const std::string&)>;

// Prints INI keys and registry values alike; `section` names the INI section or registry key.
struct TValuePrinter {
  const TValueSink& out;
  std::string key_section;  // for registry values, which carry no section of their own

  void String(const char* section, const std::string& key, const std::string& field, const std::string&) {
    out(section, key, field);
  }
  void Float(const char* section, const char* key, float field, float) { out(section, key, FloatToStr(field)); }
  void Int(const char* section, const char* key, int32_t field, int32_t) { out(section, key, IntToStr(field)); }
  void Bool(const char* section, const char* key, bool field, bool) { out(section, key, field ? "1" : "0"); }
  void Size10(const char* section, const char* key, int32_t field, int32_t) {
    out(section, key, IntToStr(GetSize10i(static_cast<float>(field))));
  }
  void Byte(const char* section, const char* key, uint8_t field, uint8_t) { out(section, key, IntToStr(field)); }

  void String(const char* name, const std::string& field, const std::string&) { out(key_section, name, field); }
  void Int(const char* name, int32_t field, int32_t) { out(key_section, name, IntToStr(field)); }
  void Bool(const char* name, bool field, bool) { out(key_section, name, field ? "1" : "0"); }
  template <typename T>
  void Byte(const char* name, T field, T) {
    out(key_section, name, IntToStr(static_cast<uint8_t>(field)));
  }
  void Binary(const char* name, const TImageOptions& field, const TImageOptions&) {
    out(key_section, name, HexBytes(field.data(), field.size()));
  }
  void Flags(const char* name, const std::array<bool, kExportFieldCount>& field) {
    out(key_section, name, ExportFieldsText(field));
  }
  void Design(const char* name, const TDesignDefault& field) {
    out(key_section, name, HexBytes(field.Data.data(), field.Data.size()));
  }
};

// Reads the registry values of the open key: each one only when it exists, else the default.
struct TRegistryReader {
  TRegistry& registry;
  void String(const char* name, std::string& field, const std::string& def) {
    field = registry.ValueExists(name) ? registry.ReadString(name) : def;
  }
  void Int(const char* name, int32_t& field, int32_t def) {
    field = registry.ValueExists(name) ? registry.ReadInteger(name) : def;
  }
  void Bool(const char* name, bool& field, bool def) {
    field = registry.ValueExists(name) ? registry.ReadBool(name) : def;
  }
  // Integers kept as a byte; the enumerations have a byte underneath, so every byte is a value.
  template <typename T>
  void Byte(const char* name, T& field, T def) {
    field = registry.ValueExists(name) ? static_cast<T>(static_cast<uint8_t>(registry.ReadInteger(name))) : def;
  }
  // A stored value of another length is not an option set: the default applies.
  void Binary(const char* name, TImageOptions& field, const TImageOptions& def) {
    field = def;
    if (!registry.ValueExists(name)) return;
    const auto data = registry.ReadBinaryData(name);
    if (data.size() == field.size()) std::copy(data.begin(), data.end(), field.begin());
  }
  // "1"/"0" per export field; at most the first kExportFieldCount characters count.
  void Flags(const char* name, std::array<bool, kExportFieldCount>& field) {
    field.fill(false);
    const std::string text = registry.ValueExists(name) ? registry.ReadString(name) : "";
    for (size_t i = 0; i < text.size() && i < field.size(); ++i) field[i] = text[i] == '1';
  }
  void Design(const char* name, TDesignDefault& field) {
    field = TDesignDefault{};
    if (registry.ValueExists(name)) field.Data = registry.ReadBinaryData(name);
  }
};

struct TRegistryWriter {
  TRegistry& registry;
  void String(const char* name, const std::string& field, const std::string&) { registry.WriteString(name, field); }
  void Int(const char* name, int32_t field, int32_t) { registry.WriteInteger(name, field); }
  void Bool(const char* name, bool field, bool) { registry.WriteBool(name, field); }
  template <typename T>
  void Byte(const char* name, T field, T) {
    registry.WriteInteger(name, static_cast<uint8_t>(field));
  }
  void Binary(const char* name, const TImageOptions& field, const TImageOptions&) {
    registry.WriteBinaryData(name, std::vector<uint8_t>(field.begin(), field.end()));
  }
  void Flags(const char* name, const std::array<bool, kExportFieldCount>& field) {
    registry.WriteString(name, ExportFieldsText(field));
  }
  // An empty default is no value at all.
  void Design(const char* name, const TDesignDefault& field) {
    if (field.Data.empty())
      registry.DeleteValue(name);
    else
      registry.WriteBinaryData(name, field.Data);
  }
};

// A relative sub-directory of the order storage: the configured one or the default.
std::string OrderSubDir(const std::string& configured, const char* def) {
  return configured.empty() ? NormalizePath(def) : configured;
}

void CreateMissingDirectory(const std::filesystem::path& dir) {
  std::error_code error;
  if (!std::filesystem::exists(dir, error)) std::filesystem::create_directories(dir, error);
}

}  // namespace

TGXSetup::TGXSetup() {
  for (int i = 1; i <= kPriceGroupCount; ++i) PriceGroupNames.push_back(Format("Скидка #%d", i));
}

std::unique_ptr<TGXSetup> TGXSetup::Create() {
  auto setup = std::make_unique<TGXSetup>();
  setup->Loaded = setup->Load();
  setup->ResizeXMode = smXProportional;
  setup->ResizeYMode = smYProportional;
  return setup;
}

bool TGXSetup::Destroy() {
  if (!Loaded) return true;
  Loaded = false;
  return Save();
}

TGXSetup::~TGXSetup() { Destroy(); }

bool TGXSetup::Load() {
  const std::string& ini_file = Configuration().GXIniFile;
  std::error_code error;
  if (ini_file.empty() || !std::filesystem::is_regular_file(ini_file, error)) return false;
  LoadIniFile();
  LoadRegistry();
  SetOrderDirectories();
  CreateOrderDirectories();
  return true;
}

void TGXSetup::LoadIniFile() { LoadIniFile(TIniFile(Configuration().GXIniFile)); }

void TGXSetup::LoadIniFile(const TIniFile& ini) {
  PriceGroupNames.assign(kPriceGroupCount, "");
  TIniReader reader{ini};
  VisitIniValues(*this, Defaults(), reader);
}

void TGXSetup::WriteIniFile(TIniFile& ini) const {
  TIniWriter writer{ini};
  VisitIniValues(*this, Defaults(), writer);
}

void TGXSetup::WriteConfigurationKey(TRegistry& registry) const {
  TRegistryWriter writer{registry};
  registry.InTransaction([&] { VisitConfigurationValues(*this, Defaults(), writer); });
}

void TGXSetup::LoadRegistry() {
  try {
    TRegistry registry;
    TRegistryReader reader{registry};
    registry.OpenKey(kRegistryRootKey, true);
    VisitRootValues(*this, Defaults(), reader);
    // A configuration without its key reads every value as missing.
    if (!registry.OpenKey(ConfigurationKey(), false)) registry.CloseKey();
    VisitConfigurationValues(*this, Defaults(), reader);
    registry.OpenKey(kTechnologistKey, true);
    VisitTechnologistValues(*this, Defaults(), reader);
  } catch (const std::exception& e) {
    ShowError(Format("Ошибка загрузки параметров из системного реестра!\r\n(%s)", ErrorMessage(e)));
  }
}

bool TGXSetup::SaveRegistry() {
  try {
    TRegistry registry;
    TRegistryWriter writer{registry};
    registry.InTransaction([&] {
      registry.OpenKey(kRegistryRootKey, true);
      VisitRootValues(*this, Defaults(), writer);
      registry.OpenKey(kTechnologistKey, true);
      VisitTechnologistValues(*this, Defaults(), writer);
    });
    return true;
  } catch (const std::exception& e) {
    ShowError(Format("Ошибка записи параметров в системный реестр!\r\n(%s)", ErrorMessage(e)));
    return false;
  }
}

void TGXSetup::SetOrderDirectories() {
  const TConfiguration& config = Configuration();
  ServerName = !config.GXServerName.empty() ? config.GXServerName : (ProgramDir() / "Order").string();
  WorkDir = OrderSubDir(config.GXWorkDir, "ORDERS\\WORK");
  CalcDir = OrderSubDir(config.GXCalcDir, "ORDERS\\CALC");
  CompleteDir = OrderSubDir(config.GXCompleteDir, "ORDERS\\COMPLETE");
  ClosedDir = OrderSubDir(config.GXClosedDir, "ORDERS\\CLOSED");
  SelectionDir = OrderSubDir(config.GXSelectionDir, "ORDERS\\SELECT");
  ComplectDir = OrderSubDir(config.GXComplectDir, "ORDERS\\COMPLECT");
  RecycledDir = OrderSubDir(config.GXRecycledDir, "RECYCLED");
  ArchiveDir = OrderSubDir(config.GXArchiveDir, "ARCHIVE");
  TemplateDir = OrderSubDir(config.GXTemplateDir, "TEMPLATES");
  const std::filesystem::path root(ServerName);
  ExportDir = !config.GXExportDir.empty() ? config.GXExportDir : (root / "EXPORT").string();
  InboxDir = !config.GXInboxDir.empty() ? config.GXInboxDir : (root / "EXCHANGE" / "INBOX").string();
  OutboxDir = !config.GXOutboxDir.empty() ? config.GXOutboxDir : (root / "EXCHANGE" / "OUTBOX").string();
}

// A directory that cannot be created is left to fail where it is used. The recycle directory
// would be hidden where the file system has such an attribute; this one has none (a leading dot
// would change its name), so it stays as it is.
void TGXSetup::CreateOrderDirectories() const {
  const std::filesystem::path root(ServerName);
  CreateMissingDirectory(root);
  for (const std::string* sub : {&WorkDir, &CalcDir, &CompleteDir, &ClosedDir, &RecycledDir, &ArchiveDir, &SelectionDir,
                                 &ComplectDir, &TemplateDir})
    if (!sub->empty()) CreateMissingDirectory(root / *sub);
  CreateMissingDirectory(InboxDir);
  CreateMissingDirectory(OutboxDir);
}

std::string TGXSetup::GetPhones() const {
  std::string phones;
  for (const std::string* phone : {&Phone_1, &Phone_2, &Phone_3, &Fax}) {
    if (phone->empty()) continue;
    phones += phones.empty() ? ZipCode + " " + *phone : "," + *phone;
  }
  return phones;
}

void TGXSetup::PrintPenWidth(std::array<int32_t, 4>& widths) const {
  widths = {PenWidthMain, PenWidthDKR, PenWidthAcc, PenWidthSize};
}

// Sets the one value called name from the text ListValues prints for it; the binary option sets
// and design defaults are not set from text.
struct TValueAssigner {
  const std::string& name;
  const std::string& text;
  bool found = false;
  bool valid = true;

  bool Is(const char* candidate) {
    if (found || name != candidate) return false;
    found = true;
    return true;
  }
  void String(const char* key, std::string& field, const std::string&) {
    if (Is(key)) field = text;
  }
  void Int(const char* key, int32_t& field, int32_t) {
    long long value = 0;
    if (Is(key) && (valid = TryStrToInt(text, value) && value >= INT32_MIN && value <= INT32_MAX))
      field = static_cast<int32_t>(value);
  }
  void Bool(const char* key, bool& field, bool) {
    if (Is(key) && (valid = text == "0" || text == "1")) field = text == "1";
  }
  template <typename T>
  void Byte(const char* key, T& field, T) {
    long long value = 0;
    if (Is(key) && (valid = TryStrToInt(text, value) && value >= 0 && value <= 255))
      field = static_cast<T>(static_cast<uint8_t>(value));
  }
  void Binary(const char* key, TImageOptions&, const TImageOptions&) {
    if (Is(key)) valid = false;
  }
  void Flags(const char* key, std::array<bool, kExportFieldCount>& field) {
    if (!Is(key) || !(valid = text.size() <= field.size() && text.find_first_not_of("01") == std::string::npos)) return;
    field.fill(false);
    for (size_t i = 0; i < text.size(); ++i) field[i] = text[i] == '1';
  }
  void Design(const char* key, TDesignDefault&) {
    if (Is(key)) valid = false;
  }
};

bool TGXSetup::IsSavedSection(const std::string& section) {
  return section == kRegistryRootKey || section == kTechnologistKey;
}

bool TGXSetup::SetSavedValue(const std::string& name, const std::string& text) {
  TValueAssigner assigner{name, text};
  VisitRootValues(*this, Defaults(), assigner);
  VisitTechnologistValues(*this, Defaults(), assigner);
  return assigner.found && assigner.valid;
}

void TGXSetup::ListValues(const TValueSink& out) const {
  for (const auto& [name, value] :
       std::initializer_list<std::pair<const char*, const std::string*>>{{"ServerName", &ServerName},
                                                                         {"WorkDir", &WorkDir},
                                                                         {"CalcDir", &CalcDir},
                                                                         {"CompleteDir", &CompleteDir},
                                                                         {"ClosedDir", &ClosedDir},
                                                                         {"RecycledDir", &RecycledDir},
                                                                         {"ArchiveDir", &ArchiveDir},
                                                                         {"SelectionDir", &SelectionDir},
                                                                         {"ComplectDir", &ComplectDir},
                                                                         {"TemplateDir", &TemplateDir},
                                                                         {"ExportDir", &ExportDir},
                                                                         {"InboxDir", &InboxDir},
                                                                         {"OutboxDir", &OutboxDir}})
    out("Directories", name, *value);
  TValuePrinter printer{out, ""};
  VisitIniValues(*this, Defaults(), printer);
  printer.key_section = kRegistryRootKey;
  VisitRootValues(*this, Defaults(), printer);
  printer.key_section = ConfigurationKey();
  VisitConfigurationValues(*this, Defaults(), printer);
  printer.key_section = kTechnologistKey;
  VisitTechnologistValues(*this, Defaults(), printer);
}

}  // namespace kv
