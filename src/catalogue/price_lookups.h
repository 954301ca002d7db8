#pragma once
// Price adjustments: waste allowance (DustGrp), price groups (PriceGrp), import duty (CustmGrp),
// the statistical price of a profile and the laminating price lists (LamList, LamColor,
// LamPrice).
//
// The waste allowance of DustGrp (Dust, LamDust) is a percentage: 5 means 5 %. The statistical
// profile price adds it as price x (1 + allowance / 100); the waste weight of a material item
// uses the same percentage.
#include <map>
#include <string>

#include "shell/money.h"

namespace kv {

// The waste allowance of the group in per cent (LamDust when laminated = 1, else Dust); 0 when
// the waste-allowance option is off. "В каталоге групп отходов отсутствуют данные для [%d]!"
double _GetDustTax(int group_id, int laminated);
// The waste allowance of a material by its waste group (0 without one), laminated rate when the
// material is laminated.
double GetDustByID(const std::string& id);
// The quantity factor of a material: (1 + allowance / 100) x Coef (a stored 0 counts as 1);
// materials counted in whole pieces (Integer = 1) take no allowance.
double GetDustCoefByID(const std::string& id);
// Waste allowances already looked up, keyed "%s|%s|%s" (code, laminated, option).
class TDustList {
public:
  double Get(const std::string& id, int laminated);
  size_t Count() const { return cache_.size(); }

private:
  std::map<std::string, double> cache_;
};
double GetDustFromList(TDustList& list, const std::string& id, int laminated);

// Column Reduce_<no> (1..10) of the price group, a signed percentage; 0 for another number.
// "В каталоге ценовых групп отсутствуют данные для группы [%d]!"
double GetReduceTax(int group_id, int no);
// "В каталоге импортных пошлин отсутствуют данные для группы [%d]!"
double GetCustomTax(int group_id);

// The catalogue price of a profile's priced article in the colour, in the working currency, with
// the waste allowance of its group added.
TCurrency GetStatisticProfPriceByArticle(const std::string& profile, const std::string& color, int laminated);

// The laminating price coefficient of a colour; a stored 0 counts as 1; missing: 1 when quiet,
// else "В прайс-листе на ламинацию [%d] отсутвуют данные для цвета [%s]".
double GetColorPriceCoef(const std::string& color, int lam_price_list_id, bool quiet = false);
// "Не найден прайс-листе на ламинацию [%d]!" when the list is absent.
int GetLamCurrency(int lam_price_list_id);
int GetLamPriceMode(int lam_price_list_id);

enum class TLamSide { lsOuter, lsInner, lsBoth };
// Laminated quantities of a profile.
struct TLamQuantity {
  double Outer = 0;
  double Inner = 0;
  double Both = 0;  // laminated on both sides, used when the list prices both sides together
};
// The laminating price list has prices for the profile article; never raises.
bool LamPriceExists(int lam_price_list_id, const std::string& article);
// The laminating cost from the price row of the article for the quantity (the first row whose
// Qty is not below it, else the article's last row), converted into the working currency.
TCurrency GetLamPriceCost(int lam_price_list_id, const std::string& article, double quantity, TLamSide side,
                          const TLamQuantity& laminated);

}  // namespace kv
