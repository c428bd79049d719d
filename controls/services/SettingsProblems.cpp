#include "services/SettingsProblems.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "registry/Registry.h"
#include "runtime/SystemReason.h"

namespace kvctl2 {

namespace {

using Kind = reg::StoreProblem::Kind;
using Step = reg::StoreFailure::Step;

// The failures of the settings files told in this process: a failure that
// keeps every change from being saved is told once, not at every setting.
struct Told {
  std::string file;
  reg::StoreFailure failure;
};

std::vector<Told>& ToldFailures() {
  static std::vector<Told> told;
  return told;
}

bool IsFileFailure(const reg::StoreFailure& failure) {
  return failure.step != Step::None && failure.step != Step::KeyLimits;
}

// Whether the problem was told before (and remembers it when not).
bool ToldBefore(const reg::StoreProblem& problem) {
  if (!IsFileFailure(problem.failure)) return false;
  std::vector<Told>& told = ToldFailures();
  const bool before = std::any_of(
      told.begin(), told.end(), [&](const Told& t) { return t.file == problem.file && t.failure == problem.failure; });
  if (!before) told.push_back(Told{problem.file, problem.failure});
  return before && problem.kind == Kind::NotSaved;
}

// What failed, in German; "" when nothing failed.
std::string GermanFailure(const reg::StoreFailure& failure) {
  std::string text;
  switch (failure.step) {
    case Step::None:
      return {};
    case Step::MakeFolder:
      text = "ihr Ordner kann nicht angelegt werden";
      break;
    case Step::OpenLock:
      text = "ihre Sperrdatei kann nicht geöffnet werden";
      break;
    case Step::Lock:
      text = "ihre Sperrdatei kann nicht gesperrt werden";
      break;
    case Step::Read:
      text = "sie kann nicht gelesen werden";
      break;
    case Step::Write:
      text = "sie kann nicht geschrieben werden";
      break;
    case Step::MoveAside:
      text = "sie ist beschädigt und kann nicht beiseitegelegt werden";
      break;
    case Step::KeyLimits:
      return "der Schlüssel überschreitet die Grenzen von 255 Zeichen je Name und 512 Ebenen";
  }
  if (failure.systemError != 0) text += " (" + rt::SystemReason(failure.systemError, false) + ")";
  return text;
}

std::string German(const reg::StoreProblem& problem) {
  switch (problem.kind) {
    case Kind::Damaged:
      return "Die Einstellungsdatei\r" + problem.file + "\rwar beschädigt (" +
             (problem.line > 0 ? "Zeile " + std::to_string(problem.line) : std::string("die Datei war leer")) +
             (problem.copy.empty() ? "; " + GermanFailure(problem.failure) : std::string()) + ").\r\r" +
             (problem.copy.empty()
                  ? "Die Einstellungen vor der beschädigten Stelle werden verwendet; bis die Datei repariert oder "
                    "entfernt ist, wird nichts gespeichert."
                  : "Die Einstellungen vor der beschädigten Stelle wurden übernommen. Die beschädigte Datei wurde "
                    "aufbewahrt als:\r" +
                        problem.copy);
    case Kind::Unusable:
      return "Die Einstellungsdatei\r" + problem.file +
             "\rkann nicht verwendet werden: " + GermanFailure(problem.failure) +
             ".\r\rBis dies behoben ist, können Einstellungen weder gelesen noch gespeichert werden.";
    case Kind::NotSaved:
      break;
  }
  std::string what = problem.key.empty() ? "die vor der beschädigten Stelle gelesenen Einstellungen" : problem.key;
  if (problem.value) what += problem.value->empty() ? " Standardwert" : " Wert \"" + *problem.value + "\"";
  std::string why = GermanFailure(problem.failure);
  if (IsFileFailure(problem.failure)) why = "Einstellungsdatei " + problem.file + ": " + why;
  return "Eine Einstellung konnte nicht gespeichert werden:\r" + what + " (" + why + ")" +
         (IsFileFailure(problem.failure) ? ".\r\rBis dies behoben ist, werden auch andere Einstellungen nicht "
                                           "gespeichert."
                                         : "");
}

std::string English(const reg::StoreProblem& problem) {
  switch (problem.kind) {
    case Kind::Damaged:
      return "The settings file\r" + problem.file + "\rwas damaged (" + problem.detail + ").\r\r" +
             (problem.copy.empty()
                  ? "The settings before the damage are used; nothing is saved until the file is "
                    "repaired or removed."
                  : "The settings before the damage were kept. The damaged file was put aside as:\r" + problem.copy);
    case Kind::Unusable:
      return "The settings file\r" + problem.file + "\rcannot be used: " + problem.detail +
             ".\r\rSettings can be neither read nor saved until this is put right.";
    case Kind::NotSaved:
      break;
  }
  return "A setting could not be saved:\r" + problem.detail +
         (IsFileFailure(problem.failure) ? ".\r\rUntil this is put right, other settings are not saved either." : "");
}

}  // namespace

SettingsNotice TakeSettingsNotice(bool english) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  SettingsNotice notice{english ? "Settings file" : "Einstellungsdatei", ""};
  for (const reg::StoreProblem& problem : reg::TakeStoreProblems()) {
    if (problem.kind == Kind::Unusable) notice.unreadable = true;
    if (ToldBefore(problem)) continue;
    if (!notice.text.empty()) notice.text += "\r\r";
    notice.text += english ? English(problem) : German(problem);
  }
  return notice;
}

}  // namespace kvctl2
