#pragma once
// Colours (COLORSET), the colours allowed in a system (SysColor), system data (SysList) and the
// colour of a profile's accessories (Accessry).
#include <string>

namespace kv {

// Colour name modes.
enum TColorNameMode { cnmName = 0, cnmArticle = 1, cnmRAL = 2, cnmRenolit = 3 };

// "" when the colour is unknown.
std::string GetColorName(const std::string& color);
std::string GetColorArticle(const std::string& color);
std::string GetColorRAL(const std::string& color);
std::string GetColorRenolit(const std::string& color);
std::string GetColorNameByMode(const std::string& color, int mode);
// The outer and inner face colours of a (two-sided) colour; "В каталоге цветов отсутствуют
// данные для цвета [%s]" unless quiet, "" when quiet.
std::string GetFrontColor(const std::string& color, bool quiet = false);
std::string GetBackColor(const std::string& color, bool quiet = false);
// The screen colour of the outer face; 0 when unknown.
int GetScreenColor(const std::string& color);

bool SysColorExists(const std::string& color, const std::string& system);
// "В БД отсутствуют данные для системы [%s]!" when the system is unknown.
std::string GetSysBaseColor(const std::string& system);
int GetSysMatType(const std::string& system);
int GetSysCommonGroup(const std::string& system);

// The accessory colour for a profile article in a colour: Accessry by (article, colour), then by
// (article, ""); then, when the catalogue lacks the article in that colour, its first colour.
void GetProfAccessoryColor(const std::string& article, const std::string& color, std::string& result);
// The same, and the article becomes the row's ProfArticle when the row names one.
void GetProfAccessoryColorExchange(std::string& article, const std::string& color, std::string& result);
// Applies the exchange to an accessory's article and colour (the owner's colour in, the
// accessory colour out).
void SetAccessoryColorIfPossible(std::string& article, std::string& color);

}  // namespace kv
