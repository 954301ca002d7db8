#pragma once
// The program's options object GXSetup: firm data, mark-ups and taxes, order defaults and
// technical-documentation parameters from the configuration's INI file; numbering, user options,
// window states and design defaults from the registry store; and the order storage directories,
// created when missing.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kv {

class TIniFile;
class TRegistry;

enum TSizeMode {
  smXPoint,
  smYPoint,
  smXDelta,
  smYDelta,
  smLeft,
  smRight,
  smTop,
  smBottom,
  smXProportional,
  smYProportional,
  smNone
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
// How order, selection and complect-list numbers are generated: none, a counter in the shared
// order root, a counter in the program's directory.
enum TAutoGenNoMethod : uint8_t { aonmNone, aonmNet, aonmLocal };
// How a new order's file name is formed.
enum TDefFileNameType : uint8_t { dfnNoDefault, dfnByOrderNo, dfnByCustomer, dfnByObject };

struct TDesignFormSize {
  int32_t Width = 640;
  int32_t Height = 480;
};

// The switches of the static and size checks.
struct TProfOptCheck {
  bool ProfLen = true;
  bool FrameMaxSize = true;
  bool FrameSteelMinSize = true;
  bool ImpostMaxSize = true;
  bool ImpostMinSize = true;
  bool ImpostSteelMinSize = true;
  bool ImpostSaveDefSteel = true;
  bool AllwaysEnforceHImpost = true;
  bool FlugelMaxSize = true;
  bool FlugelNoSteelAvailable = true;
  bool SteelByPerimeter = true;
  bool FlugelSaveDefSteel = true;
  bool WeldMinSize = true;
  bool WeldMaxSize = true;
  bool UseSteelPriority = false;
  bool ImpostSetMaxIxIfNoStatic = false;
  bool FlugelSetMaxIxIfNoStatic = false;
  bool ImpostSetMaxIxIfStatic = false;
  bool FlugelSetMaxIxIfStatic = false;
  bool ShowAlertIfMaxIx = false;
};

// A design-window default (the profile or part a new construction starts with). Its fields are
// those of the design window's defaults; until they are read here the record keeps the stored
// bytes as they are. Empty means "no default".
struct TDesignDefault {
  std::vector<uint8_t> Data;
  bool operator==(const TDesignDefault&) const = default;
};

inline constexpr int kExportFieldCount = 36;
inline constexpr int kPriceGroupCount = 10;
using TImageOptions = std::array<uint8_t, 6>;

class TGXSetup {
public:
  // Only the defaults; nothing is read (for tests and for writing a new installation).
  TGXSetup();
  // Create: the defaults, then Load into Loaded; the resize modes are set after loading.
  static std::unique_ptr<TGXSetup> Create();
  // Destroy: saves the registry values when Loaded, once; false when they could not be written
  // (the message was shown). The destructor calls it.
  bool Destroy();
  ~TGXSetup();
  TGXSetup(const TGXSetup&) = delete;
  TGXSetup& operator=(const TGXSetup&) = delete;

  // False (nothing read) when the configuration names no INI file or the file does not exist.
  bool Load();
  void LoadIniFile();
  void LoadIniFile(const TIniFile& ini);
  void LoadRegistry();
  bool Save() { return SaveRegistry(); }
  // False when the values could not be written; the message was shown.
  bool SaveRegistry();
  // Writes every INI key of the options into the file's sections (a new installation's file).
  void WriteIniFile(TIniFile& ini) const;
  // Writes the numbering and file-naming values into the open configuration key: the work of
  // the administration program when it sets up a configuration.
  void WriteConfigurationKey(TRegistry& registry) const;

  // Phone1, Phone2, Phone3 and Fax, the empty ones skipped: the area code, a blank and the
  // first, then ",", and each further one.
  std::string GetPhones() const;
  void PrintPenWidth(std::array<int32_t, 4>& widths) const;

  // Every option as section, name and text, in the order of the INI file and the registry:
  // for printing the loaded options.
  void ListValues(const std::function<void(const std::string& section, const std::string& name,
                                           const std::string& text)>& out) const;

  // One value of those Save writes (the registry root key and the user options) set from the text
  // ListValues prints for it; false when no such value is saved or the text is not one of its
  // values (binary values are not set from text).
  bool SetSavedValue(const std::string& name, const std::string& text);
  // The sections of ListValues whose values Save writes.
  static bool IsSavedSection(const std::string& section);

  bool Loaded = false;
  TSizeMode ResizeXMode = smNone;
  TSizeMode ResizeYMode = smNone;
  int32_t ReportFormat1 = 8;
  int32_t ReportFormat2 = 9;

  // Order storage.
  std::string ServerName, WorkDir, CalcDir, CompleteDir, ClosedDir, RecycledDir, ArchiveDir, SelectionDir, ComplectDir,
      TemplateDir, ExportDir, InboxDir, OutboxDir;

  // Firm (INI section Firm).
  std::string FirmName, Logo, Address, JustAddress, ZipCode, Phone_1, Phone_2, Phone_3, Fax, EMail, Internet, INN,
      Account, Director, BookKeeper;

  // Mark-ups and taxes, percent (INI section Tax).
  float DefaultWindowProfit = 0, DefaultGlassProfit = 0, DefaultFurnProfit = 0, DefaultDopProfProfit = 0,
        DefaultMontMatProfit = 0, DefaultSillProfit = 0, DefaultSinkProfit = 0, DefaultMosquitoProfit = 0,
        DefaultRolletProfit = 0, DefaultJalousieProfit = 0, DefaultOverTax = 0, DefaultCommonTax = 0,
        DefaultNDSTax = 18;
  bool DefaultTotalNDS = true;
  bool DefaultShowIncludingNDS = true;
  int32_t DefaultCalcMethod = 0;
  bool DopProfNoVisible = false;

  // Money (INI section Money) and the values of the order being edited. The currency list is
  // built from the catalogue and kept with the catalogue's settings.
  int32_t DefaultCurrency = 0;
  int32_t RegistryCurrency = 0;
  int32_t OrderCurrency = 0;
  float OrderNDSTax = 0;

  // Order defaults (INI section Defaults).
  bool DefaultWindowCheck = true, DefaultDopProfCheck = false, DefaultMontMatCheck = false, DefaultSillCheck = false,
       DefaultSinkCheck = false, DefaultMosquitoCheck = false, DefaultRolletCheck = false, DefaultJalousieCheck = false,
       DefaultMeasurePeriodCheck = false, DefaultProdPeriodCheck = true, DefaultComplectPeriodCheck = false,
       DefaultTransPeriodCheck = false, DefaultMontPeriodCheck = false, DefaultDecorPeriodCheck = false;
  int32_t DefaultMeasurePeriod = 0, DefaultProdPeriod = 10, DefaultComplectPeriod = 20, DefaultTransPeriod = 20,
          DefaultMontPeriod = 20, DefaultDecorPeriod = 20;
  std::string DefOrderProfSys, DefOrderFurnSys, DefOrderGlass2x, DefOrderGlass1x, DefOrderSimpleGlass,
      DefOrderVirtGlass, DefOrderSill, DefOrderSink, DefOrderMosquito, DefOrderRollet, DefOrderJalousie,
      DefOrderFlugelRubberColor, DefOrderProfRubberColor, DefOrderBeadRubberColor, DefOrderProfColor, DefOrderFurnColor;
  int32_t DefOrderMaterial = 0;
  int32_t DefOrderBeadGrp = 1;
  int32_t DefOrderSillLayerWidth = 300, DefOrderSinkLayerWidth = 150, DefOrderStuccoLayerWidth = 300,
          DefOrderQuarterLayerWidth = 150;

  // Technical documentation (INI section TechDoc); GlassFrameSize and GlassFrameThickness in
  // tenths of a millimetre.
  int32_t PCDistance = 200, PBDistance = 700, PinMethod = 0, GlassFrameSize = 100, GlassFrameThickness = 80,
          DeltaSteel = 5, SillDeltaLen = 100, SinkDeltaLen = 0;
  bool DontMontageBottom = false, RoundFrameSteel = false, RoundFlugelSteel = false;
  int32_t DRNA_FalzFrame = 85, DRNA_FalzStep = 10000, DRNB_FalzFrame = 45, DRNB_FalzImpost = 45, DRNB_FalzStep = 10000,
          DRNC_FalzFrame = 85, DRNC_FalzStep = 2400, DRND_FalzFrame = 45, DRND_FalzImpost = 45, DRND_FalzStep = 600;
  bool SetFrameWasserKappe = true, SetImpostWasserKappe = false;
  bool MachinaryUseWeldAllowance = true;
  std::vector<std::string> PriceGroupNames;
  std::string DefaultStaticRegion = "МИНСК";
  uint8_t DefaultPlaceType = 1;
  uint8_t DefaultLoadGroupH = 1;

  // Window states and the design window's size (registry root key).
  TWindowState MainFormWinState = wsNormal, OrderFormWinState = wsNormal, DesignFormWinState = wsNormal;
  TDesignFormSize DesignFormSize;

  // Numbering and file naming (the configuration's key, only read here).
  TAutoGenNoMethod AutoGenOrderNoMethod = aonmNet;
  std::string OrderNoTemplate = "%yyyy-%i";
  int32_t FirstOrderNo = 1;
  TAutoGenNoMethod AutoGenSelNoMethod = aonmNet;
  std::string SelNoTemplate = "%yyyy-%i";
  int32_t FirstSelNo = 1;
  TAutoGenNoMethod AutoGenCompNoMethod = aonmNet;
  std::string CompNoTemplate = "%yyyy-%i";
  int32_t FirstCompNo = 1;
  TDefFileNameType DefFileNameType = dfnByOrderNo;
  std::string FileNamePrefix;
  bool StatusDepend = true;
  int32_t DBUpdate = 0;
  int32_t SysDBUpdate = 0;

  // User options (key Technologist).
  bool Preview = true, UseDust = true, AlertIfNotFull = true, AutoReg = true, RoundProfLen = true, AutoOpenReg = true,
       MoveToRecycled = true, AutoLoadCurrency = true, SaveOrderPosStatus = true, UseSillSizing = true,
       UseProfSysFiltering = true, CheckZeroMatCost = false, AutoCheckInbox = false, SaveMemoAsRTF = true,
       RoundLamToMinTrade = false, SummaryExport = true;
  int32_t ExportFormat = 0;
  std::array<bool, kExportFieldCount> ExportFields{};
  int32_t PenWidthMain = 1, PenWidthDKR = 1, PenWidthAcc = 1, PenWidthSize = 1;
  bool ShowGlassList = true, UncheckPVC = true;
  int32_t DSXPointMode = 2;
  TProfOptCheck StaticOptions;
  bool CheckStaticOnChange = true;
  std::string CommPredNote1, CommPredNote2, SpecNote1, SpecNote2;
  TImageOptions DesignImageOptions{0x97, 0xFF, 0x03, 0x30, 0x61, 0x02};
  TImageOptions DisplayImageOptions{0x97, 0xFF, 0x03, 0x00, 0x00, 0x00};
  std::string DesignAutoChangeProp;
  bool DesignAutoChangePropEnabled = false, DesignRoundEqualGlass = false, DesignSaveDefaults = true;

  // Design-window defaults (key Technologist, binary values of these names).
  TDesignDefault DesignDefFrame, DesignDefModify1, DesignDefModify2, DesignDefModify3, DesignDefFlugel, DesignDefStoika,
      DesignDefRiegel, DesignDefImpost, DesignDefStulp, DesignDefFalshFront, DesignDefFalshBack, DesignDefSpross,
      DesignDefGlass2x, DesignDefGlass1x, DesignDefSimpleGlass, DesignDefPVC, DesignDefVirtGlass, DesignDefDKR,
      DesignDefDKL, DesignDefDR, DesignDefDL, DesignDefDK;

private:
  void SetOrderDirectories();
  void CreateOrderDirectories() const;
};

// The weld allowance of the old profile documentation (INI ProfDoc, WeldLimit.Allowance) of the
// current session context.
float& GXOldWeldAllowance();

// The options object of the current session context: created by the start-up, freed by the
// shut-down; nullptr outside a run.
TGXSetup* GXSetup();

}  // namespace kv
