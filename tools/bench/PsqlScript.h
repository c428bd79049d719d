// The carried scripts as psql input: the same batches that the program's
// runner executes, cut by NextScriptBatch, with each "USE name" line turned
// into psql's "\c" to the database that the connection layer would select.
#pragma once

#include <string>
#include <vector>

namespace qvbench {

// psql input for the carried scripts `names`, in order. Like the runner,
// each script ends after the batch that holds "USE MASTER".
std::string PsqlInput(const std::vector<std::string>& names);

}  // namespace qvbench
