#include "runtime/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace rt {

namespace {

struct GermanReason {
  int code;
  const char* text;
};

// The reasons a user meets with files, folders and connections.
constexpr GermanReason kGerman[] = {
    {EPERM, "Vorgang nicht zulässig"},
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {EIO, "Ein-/Ausgabefehler"},
    {ENXIO, "Gerät oder Adresse nicht gefunden"},
    {ENOMEM, "Nicht genügend Hauptspeicher"},
    {EACCES, "Zugriff verweigert"},
    {EBUSY, "Gerät oder Ressource belegt"},
    {EEXIST, "Die Datei existiert bereits"},
    {EXDEV, "Verschieben über Laufwerksgrenzen nicht möglich"},
    {ENODEV, "Gerät nicht gefunden"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {EISDIR, "Ist ein Verzeichnis"},
    {EINVAL, "Ungültiges Argument"},
    {ENFILE, "Zu viele offene Dateien im System"},
    {EMFILE, "Zu viele offene Dateien"},
    {ETXTBSY, "Programmdatei wird ausgeführt"},
    {EFBIG, "Datei zu groß"},
    {ENOSPC, "Kein Platz mehr auf dem Datenträger"},
    {EROFS, "Schreibgeschütztes Dateisystem"},
    {EMLINK, "Zu viele Verknüpfungen"},
    {EAGAIN, "Ressource vorübergehend nicht verfügbar"},
    {ENAMETOOLONG, "Dateiname zu lang"},
    {ENOTEMPTY, "Verzeichnis nicht leer"},
    {ELOOP, "Zu viele Ebenen symbolischer Verknüpfungen"},
    {EDQUOT, "Speicherkontingent überschritten"},
    {ESTALE, "Veralteter Dateizugriff auf ein Netzlaufwerk"},
    {ETIMEDOUT, "Zeitüberschreitung der Verbindung"},
    {ECONNREFUSED, "Verbindung abgelehnt"},
    {ECONNRESET, "Verbindung vom Gegenüber zurückgesetzt"},
    {ENETUNREACH, "Netzwerk nicht erreichbar"},
    {EHOSTUNREACH, "Zielrechner nicht erreichbar"},
};

}  // namespace

std::string SystemReason(int code, bool english) {
  if (!english) {
    for (const GermanReason& reason : kGerman) {
      if (reason.code == code) return reason.text;
    }
  }
  return std::strerror(code);
}

}  // namespace rt
