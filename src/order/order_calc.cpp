#include "calc/construction_calc.h"
#include "catalogue/window_type_lookups.h"
#include "order/order.h"
#include "shell/errors.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// The order's method, or the one of the position's window type when the order names none.
int CalcMethodOf(const TOrder& Order, const Tgx25Construction& Position) {
  if (Order.CalcMethod != 0 || Position.FrameCount() == 0) return Order.CalcMethod;
  return GetWinTypeInfo(Position.GetFrame(0)->TypeWin).CalcMethod;
}

TConstructionCalcContext ContextOf(const TOrder& Order, const Tgx25Construction& Position) {
  TConstructionCalcContext context;
  context.Pricing = {Order.CurCurrency, Order.PriceGrpNo, Order.NDSTax, 0};
  context.CalcMethod = CalcMethodOf(Order, Position);
  context.Order.Currency = Order.CurCurrency;
  context.Order.Coefs = {Order.WindowProfit,  Order.GlassProfit,   Order.FurnProfit, Order.DopProfProfit,
                         Order.MontMatProfit, Order.SillProfit,    Order.SinkProfit, Order.MosquitoProfit,
                         Order.RolletProfit,  Order.JalousieProfit};
  context.Order.Values = {Order.OverTax, Order.CommonTax};
  context.Site.Region = Order.StaticRegion;
  return context;
}

}  // namespace

bool TOrder::CalculatePositions(const TCalcProgress& Progress) {
  for (int i = 0; i < Count(); ++i) {
    Tgx25Construction& position = *GetConstruction(i);
    try {
      if (!GatherInfo(position, ContextOf(*this, position))) return false;
    } catch (const EKvError& e) {
      ShowError(e.what());
      return false;
    }
    if (Progress) Progress(i + 1, Count(), position.No);
  }
  return true;
}

}  // namespace kv
