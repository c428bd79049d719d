#include "services/SettingsProblems.h"

#include "registry/Registry.h"

namespace kvctl2 {

namespace {

std::string Describe(const reg::StoreProblem& problem, bool english) {
  auto text = [english](const char* en, const char* de) { return std::string(english ? en : de); };
  using Kind = reg::StoreProblem::Kind;
  switch (problem.kind) {
    case Kind::Damaged:
      return text("The settings file", "Die Einstellungsdatei") + "\r" + problem.file + "\r" +
             text("was damaged", "war beschädigt") + " (" + problem.detail + ").\r\r" +
             (problem.copy.empty()
                  ? text("The settings before the damage are used; nothing is saved until the file is repaired or "
                         "removed.",
                         "Die Einstellungen vor der beschädigten Stelle werden verwendet; bis die Datei repariert "
                         "oder entfernt ist, wird nichts gespeichert.")
                  : text("The settings before the damage were kept. The damaged file was put aside as:",
                         "Die Einstellungen vor der beschädigten Stelle wurden übernommen. Die beschädigte Datei "
                         "wurde aufbewahrt als:") +
                        "\r" + problem.copy);
    case Kind::Unusable:
      return text("The settings file", "Die Einstellungsdatei") + "\r" + problem.file + "\r" +
             text("cannot be used", "kann nicht verwendet werden") + ": " + problem.detail + ".\r\r" +
             text("Settings can be neither read nor saved until this is put right.",
                  "Bis dies behoben ist, können Einstellungen weder gelesen noch gespeichert werden.");
    case Kind::NotSaved:
      break;
  }
  return text("A setting could not be saved:", "Eine Einstellung konnte nicht gespeichert werden:") + "\r" +
         problem.detail;
}

}  // namespace

SettingsNotice TakeSettingsNotice(bool english) {
  SettingsNotice notice{english ? "Settings file" : "Einstellungsdatei", ""};
  for (const reg::StoreProblem& problem : reg::TakeStoreProblems()) {
    if (!notice.text.empty()) notice.text += "\r\r";
    notice.text += Describe(problem, english);
  }
  return notice;
}

}  // namespace kvctl2
