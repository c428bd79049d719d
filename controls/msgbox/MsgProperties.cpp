#include "msgbox/MsgProperties.h"

namespace kvctl2 {
namespace {

using P = MsgProperties;
using K = MsgPropertyKind;

MsgPropertyDef S(const char* name, std::string P::*m, const char* section, const char* init) {
  return {name, K::String, m, nullptr, -1, section, true, init, 0};
}
MsgPropertyDef L(const char* name, int32_t P::*m, const char* section, int32_t init) {
  return {name, K::Long, nullptr, m, -1, section, true, "", init};
}
MsgPropertyDef Pic(const char* name, int slot) { return {name, K::Picture, nullptr, nullptr, slot, "", false, "", 0}; }

std::vector<MsgPropertyDef> BuildTable() {
  MsgPropertyDef appPath = S("AppPath", &P::AppPath, "", "");
  appPath.initialised = false;
  MsgPropertyDef sendMethode = L("SendMethode", &P::SendMethode, "COMMON", 0);
  sendMethode.initialised = false;
  return {
      appPath,
      S("strOk", &P::strOk, "STRING", "OK"),
      L("spHleft", &P::spHleft, "SPACE", 165),
      S("strRetry", &P::strRetry, "STRING", "Wieder&holen"),
      S("strCancel", &P::strCancel, "STRING", "Abbrechen"),
      S("strYes", &P::strYes, "STRING", "&Ja"),
      S("strNo", &P::strNo, "STRING", "&Nein"),
      S("strIgnore", &P::strIgnore, "STRING", "&Ignorieren"),
      S("strAbord", &P::strAbord, "STRING", "&Abbrechen"),
      S("strHelp", &P::strHelp, "STRING", "Hilfe"),
      S("strMoreOpen", &P::strMoreOpen, "STRING", "&Details >>"),
      S("strMoreClose", &P::strMoreClose, "STRING", "<< &Details"),
      S("strSend", &P::strSend, "STRING", "Meldung per E-Mail versenden..."),
      S("strCopy", &P::strCopy, "STRING", "Meldung in die Zwischenablage kopieren"),
      S("strCheck", &P::strCheck, "STRING", "Diese Meldung nicht mehr anzeigen"),
      L("spHicon_Label", &P::spHicon_Label, "SPACE", 240),
      L("spHbuttons", &P::spHbuttons, "SPACE", 105),
      L("spHleftButtons", &P::spHleftButtons, "SPACE", 165),
      L("spHrightLabel", &P::spHrightLabel, "SPACE", 165),
      L("spVmiddle", &P::spVmiddle, "SPACE", 255),
      L("spVup", &P::spVup, "SPACE", 165),
      L("spVdown", &P::spVdown, "SPACE", 165),
      L("spHleftCheck", &P::spHleftCheck, "SPACE", 90),
      L("spVdownCheck", &P::spVdownCheck, "SPACE", 90),
      L("ButtonsWidth", &P::ButtonsWidth, "SIZE", 1200),
      L("ButtonsHeight", &P::ButtonsHeight, "SIZE", 360),
      L("CheckWidth", &P::CheckWidth, "SIZE", 3130),
      L("CheckHeight", &P::CheckHeight, "SIZE", 300),
      L("textMoreHeight", &P::textMoreHeight, "SIZE", 2070),
      sendMethode,
      S("strDelText", &P::strDelText, "", "L\xc3\xb6schbest\xc3\xa4tigung erforderlich!"),
      L("cmdSendWidth", &P::cmdSendWidth, "SIZE", 3500),
      L("cmdSendHeight", &P::cmdSendHeight, "SIZE", 360),
      L("cmdMoreHeight", &P::cmdMoreHeight, "SIZE", 360),
      L("cmdMoreWidth", &P::cmdMoreWidth, "SIZE", 1200),
      L("formMaxWidth", &P::formMaxWidth, "COMMON", 9990),
      L("formMinWidth", &P::formMinWidth, "COMMON", 4000),
      L("spHrightMore", &P::spHrightMore, "SPACE", 150),
      L("spVdownMore", &P::spVdownMore, "SPACE", 90),
      S("strMailAdress", &P::strMailAdress, "STRING", ""),
      S("strMailSubject", &P::strMailSubject, "STRING", ""),
      S("strMailBody", &P::strMailBody, "", ""),
      L("FormTop", &P::FormTop, "COMMON", 0),
      L("FormLeft", &P::FormLeft, "COMMON", 0),
      L("DelaySec", &P::DelaySec, "COMMON", 3),
      {"GrayScale", K::Boolean},
      Pic("imgCritical", kSlotCritical),
      Pic("imgQuestion", kSlotQuestion),
      Pic("imgExclamation", kSlotExclamation),
      Pic("imgInformation", kSlotInformation),
      Pic("imOk", kSlotOk),
      Pic("imYes", kSlotYes),
      Pic("imNo", kSlotNo),
      Pic("imCancel", kSlotCancel),
      Pic("imRetry", kSlotRetry),
      Pic("imAbort", kSlotAbort),
      Pic("imIgnore", kSlotIgnore),
      Pic("imCmdSend", kSlotCmdSend),
      Pic("imCmdMore", kSlotCmdMore),
      Pic("imCmdHelp", kSlotCmdHelp),
      Pic("imDelete", kSlotDelete),
  };
}

}  // namespace

const std::vector<MsgPropertyDef>& MsgPropertyTable() {
  static const std::vector<MsgPropertyDef> table = BuildTable();
  return table;
}

void InitialiseMsgProperties(MsgProperties& p) {
  for (const auto& def : MsgPropertyTable()) {
    if (!def.initialised) continue;
    if (def.kind == K::String) p.*def.text = def.initText;
    if (def.kind == K::Long) p.*def.number = def.initNumber;
  }
  p.GrayScale = false;
  for (auto& text : p.TempButtonsText) text.clear();
}

}  // namespace kvctl2
