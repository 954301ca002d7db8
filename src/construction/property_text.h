#pragma once
// Property lists of joints, lines and elements: lines "key=value" kept as a string list and stored as
// one text with line breaks.
#include <string>
#include <string_view>

#include "construction/construction_consts.h"

namespace kv {

// Splits a text at "\r\n" or "\n"; an empty text gives an empty list, a final break no empty line.
TStringList TextToStringList(std::string_view Text);
// Joins the lines with "\r\n".
std::string StringListToText(const TStringList& Lines);
// Each source line replaces the target line with the same key (the text before "="), or is appended.
void MergePropertyLines(TStringList& Target, const TStringList& Source);

}  // namespace kv
