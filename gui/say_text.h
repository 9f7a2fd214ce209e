// What the message box of "言う" shows: the text cut to a length a box can hold, tabs
// expanded to spaces, and the lines cut to the height the box may take.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

// At most 4095 bytes ("..." after a cut; never inside a double-byte character), every
// line break as CR LF (a CR LF or LF CR pair is one break), and each tab as the spaces
// up to the next multiple of TAB_WIDTH bytes. A width below 1 counts as 1 and one above
// 256 as 256, so a tab never costs more than a screen's width.
std::string SayText(std::string_view text, long long tab_width);

// When the lines of TEXT (CR LF breaks) take more than HEIGHT_LIMIT pixels at
// LINE_HEIGHT each, the first lines that fit, each with CR LF, and then "..."; else TEXT.
std::string FitSayLines(const std::string& text, int height_limit, int line_height);

}  // namespace pirune
