// The log of the store's problems that the programs tell their users: a
// damaged or unusable root file once a process, every change that could not
// be saved each time it happens.
#pragma once

#include <vector>

#include "registry/Registry.h"

namespace reg::detail {

// Logs a damaged or unusable file once a process (the same kind, file and
// detail again is not logged again), with one line on stderr.
void RecordProblemOnce(StoreProblem problem);
// Logs a change that could not be saved, unless the same one is still
// waiting to be taken.
void RecordProblem(StoreProblem problem);
std::vector<StoreProblem> TakeProblems();

}  // namespace reg::detail
