// Procedure links of the HTML view: an Href "VB:Name(arg1,'arg 2')" names a
// public procedure of the hosting form and its String arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvctl2::html {

struct ProcedureLink {
  std::string Name;
  std::vector<std::string> Args;
};

// Parses the text behind "VB:". "(" or a blank ends the name; ")" and ","
// end an argument unless it is inside quotes that begin the argument;
// quotes around a trimmed argument are removed, empty arguments dropped.
ProcedureLink ParseProcedureLink(std::string_view text);

}  // namespace kvctl2::html
