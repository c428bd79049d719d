#include "registry/StoreProblems.h"

#include <algorithm>
#include <iostream>
#include <mutex>
#include <utility>

namespace reg::detail {

namespace {

struct ProblemLog {
  std::mutex mutex;
  std::vector<StoreProblem> waiting;
  std::vector<StoreProblem> toldOnce;
};

ProblemLog& Log() {
  static ProblemLog log;
  return log;
}

bool Same(const StoreProblem& a, const StoreProblem& b) {
  return a.kind == b.kind && a.file == b.file && a.copy == b.copy && a.detail == b.detail;
}

}  // namespace

void RecordProblemOnce(StoreProblem problem) {
  ProblemLog& log = Log();
  std::lock_guard lock(log.mutex);
  if (std::any_of(log.toldOnce.begin(), log.toldOnce.end(), [&](const auto& p) { return Same(p, problem); })) return;
  std::cerr << "registry: " << problem.file << ": " << problem.detail
            << (problem.copy.empty() ? std::string() : "; the damaged file was moved to " + problem.copy) << std::endl;
  log.toldOnce.push_back(problem);
  log.waiting.push_back(std::move(problem));
}

void RecordProblem(StoreProblem problem) {
  ProblemLog& log = Log();
  std::lock_guard lock(log.mutex);
  if (std::any_of(log.waiting.begin(), log.waiting.end(), [&](const auto& p) { return Same(p, problem); })) return;
  log.waiting.push_back(std::move(problem));
}

std::vector<StoreProblem> TakeProblems() {
  ProblemLog& log = Log();
  std::lock_guard lock(log.mutex);
  return std::exchange(log.waiting, {});
}

}  // namespace reg::detail
