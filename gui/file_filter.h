// The filter of the file dialogs, and the save dialog's default extension.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

// An argument holding "|" is a filter already; otherwise it is an extension (a leading
// "." dropped): E gives "E 形式(*.E)|*.E|全て(*.*)|*.*".
std::string FileFilter(std::string_view argument);

// The filter's first pattern (between its first and second "|") less one leading "*"
// and then one leading ".".
std::string DefaultExtension(std::string_view filter);

}  // namespace pirune
