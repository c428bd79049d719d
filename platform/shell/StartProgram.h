// Starting a program with an argument vector, without a shell and without
// waiting: each argument reaches the program as it is, blanks and quotes
// included.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shell {

// Starts `program` (a path) with `arguments` (after the program's own
// name) in `workingFolder` ("" = the current one). Returns the process id,
// 0 when the program cannot be started. The program is collected when it
// ends; no one waits for it.
int32_t StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingFolder);

}  // namespace shell
