#pragma once
// Delimiter-separated token strings (1-based fields; every delimiter separates two fields, so
// empty fields exist) and check-marked list strings (text + TAB + "1" or "0").
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// 0 for an empty text, otherwise 1 + the number of delimiter characters.
int NumToken(std::string_view s, std::string_view delims);
// Field n; "" for n < 1 or beyond the last field.
std::string Token(std::string_view s, int n, std::string_view delims, bool trim = false);
// 1-based position of the n-th delimiter, 0 when there is none.
int PosToken(std::string_view s, int n, std::string_view delims);
// The text after the n-th delimiter, or all of s when there is none.
std::string GetStrAfterToken(std::string_view s, int n, std::string_view delims, bool trim = false);
// True when some trimmed field equals token exactly.
bool FindToken(std::string_view s, std::string_view token, std::string_view delims);
// Inserts token so that it becomes field n (the first delimiter of delims joins the fields);
// n beyond the last field appends it.
std::string InsertToken(std::string_view s, int n, std::string_view token, std::string_view delims);

std::string Trim(std::string_view s);

bool StringChecked(std::string_view s);
bool StringUnChecked(std::string_view s);
std::string CheckString(std::string_view s);
std::string UnCheckString(std::string_view s);
std::string ClearStringChecking(std::string_view s);
void CheckStringList(std::vector<std::string>& list);
void ClearStringListChecking(std::vector<std::string>& list);
void RemoveUnCheckStringList(std::vector<std::string>& list);

}  // namespace kv
