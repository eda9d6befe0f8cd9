#pragma once
// Letter case aside, as Windows compares file and folder names (all of Unicode, not only
// ASCII): "D:\Spiele\Far Cry Ä" and "d:\spiele\far cry ä" name one folder.
#include <string_view>

namespace velk {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// True when `part` occurs in `text`; an empty `part` occurs everywhere.
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

}  // namespace velk
