#include "order/order_defaults.h"

namespace kv {

namespace {

void SetSections(TOrder& Order, const TGXSetup& Setup) {
  Order.IncludeWindow = Setup.DefaultWindowCheck;
  Order.IncludeDopProf = Setup.DefaultDopProfCheck;
  Order.IncludeMontMat = Setup.DefaultMontMatCheck;
  Order.IncludeSill = Setup.DefaultSillCheck;
  Order.IncludeSink = Setup.DefaultSinkCheck;
  Order.IncludeMosquito = Setup.DefaultMosquitoCheck;
  Order.IncludeRollet = Setup.DefaultRolletCheck;
  Order.IncludeJalousie = Setup.DefaultJalousieCheck;
}

void SetMarkups(TOrder& Order, const TGXSetup& Setup) {
  Order.WindowProfit = Setup.DefaultWindowProfit;
  Order.GlassProfit = Setup.DefaultGlassProfit;
  Order.FurnProfit = Setup.DefaultFurnProfit;
  Order.DopProfProfit = Setup.DefaultDopProfProfit;
  Order.MontMatProfit = Setup.DefaultMontMatProfit;
  Order.SillProfit = Setup.DefaultSillProfit;
  Order.SinkProfit = Setup.DefaultSinkProfit;
  Order.MosquitoProfit = Setup.DefaultMosquitoProfit;
  Order.RolletProfit = Setup.DefaultRolletProfit;
  Order.JalousieProfit = Setup.DefaultJalousieProfit;
  Order.OverTax = Setup.DefaultOverTax;
  Order.CommonTax = Setup.DefaultCommonTax;
  Order.NDSTax = Setup.DefaultNDSTax;
  Order.GetTotalNDS = Setup.DefaultTotalNDS;
  Order.ShowIncludingNDS = Setup.DefaultShowIncludingNDS;
  Order.CalcMethod = Setup.DefaultCalcMethod;
  Order.CurCurrency = Setup.DefaultCurrency;
}

void SetCatalogueChoices(TOrder& Order, const TGXSetup& Setup) {
  Order.ProfSys = Setup.DefOrderProfSys;
  Order.ProfColor = Setup.DefOrderProfColor;
  Order.Material = Setup.DefOrderMaterial;
  Order.FurnSys = Setup.DefOrderFurnSys;
  Order.FurnColor = Setup.DefOrderFurnColor;
  Order.Glass = Setup.DefOrderGlass2x;
  Order.BeadGrp = Setup.DefOrderBeadGrp;
  Order.Sill = Setup.DefOrderSill;
  Order.Sink = Setup.DefOrderSink;
  Order.Mosquito = Setup.DefOrderMosquito;
  Order.Rollet = Setup.DefOrderRollet;
  Order.Jalousie = Setup.DefOrderJalousie;
  Order.SillLayerWidth = Setup.DefOrderSillLayerWidth;
  Order.SinkLayerWidth = Setup.DefOrderSinkLayerWidth;
  Order.StuccoLayerWidth = Setup.DefOrderStuccoLayerWidth;
  Order.QuarterLayerWidth = Setup.DefOrderQuarterLayerWidth;
  Order.FlugelRubberColor = Setup.DefOrderFlugelRubberColor;
  Order.ProfRubberColor = Setup.DefOrderProfRubberColor;
  Order.BeadRubberColor = Setup.DefOrderBeadRubberColor;
  Order.StaticRegion = Setup.DefaultStaticRegion;
}

void SetDates(TOrder& Order, const TGXSetup& Setup, TDateTime Today) {
  Order.Date = Today;
  Order.MeasureDateEnabled = Setup.DefaultMeasurePeriodCheck;
  Order.MeasureDate = Today + Setup.DefaultMeasurePeriod;
  Order.PrepareDateEnabled = Setup.DefaultProdPeriodCheck;
  Order.PrepareDate = Today + Setup.DefaultProdPeriod;
  Order.ComplectDateEnabled = Setup.DefaultComplectPeriodCheck;
  Order.ComplectDate = Today + Setup.DefaultComplectPeriod;
  Order.TransportDateEnabled = Setup.DefaultTransPeriodCheck;
  Order.TransportDate = Today + Setup.DefaultTransPeriod;
  Order.MontageDateEnabled = Setup.DefaultMontPeriodCheck;
  Order.MontageDate = Today + Setup.DefaultMontPeriod;
  Order.DecorDateEnabled = Setup.DefaultDecorPeriodCheck;
  Order.DecorDate = Today + Setup.DefaultDecorPeriod;
}

}  // namespace

void SetOrderDefaults(TOrder& Order, const TGXSetup& Setup, TDateTime Today) {
  SetSections(Order, Setup);
  SetMarkups(Order, Setup);
  SetCatalogueChoices(Order, Setup);
  SetDates(Order, Setup, Today);
}

}  // namespace kv
