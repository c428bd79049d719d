#include "msgbox/MsgProperties.h"

namespace kvctl2 {
namespace {

using P = MsgProperties;
using K = MsgPropertyKind;

MsgPropertyDef S(const char* name, std::string P::*m, const char* init) {
  return {name, K::String, m, nullptr, -1, true, init, 0};
}
MsgPropertyDef L(const char* name, int32_t P::*m, int32_t init) {
  return {name, K::Long, nullptr, m, -1, true, "", init};
}
MsgPropertyDef Pic(const char* name, int slot) { return {name, K::Picture, nullptr, nullptr, slot, false, "", 0}; }

std::vector<MsgPropertyDef> BuildTable() {
  MsgPropertyDef appPath = S("AppPath", &P::AppPath, "");
  appPath.initialised = false;
  MsgPropertyDef sendMethode = L("SendMethode", &P::SendMethode, 0);
  sendMethode.initialised = false;
  return {
      appPath,
      S("strOk", &P::strOk, "OK"),
      L("spHleft", &P::spHleft, 165),
      S("strRetry", &P::strRetry, "Wieder&holen"),
      S("strCancel", &P::strCancel, "Abbrechen"),
      S("strYes", &P::strYes, "&Ja"),
      S("strNo", &P::strNo, "&Nein"),
      S("strIgnore", &P::strIgnore, "&Ignorieren"),
      S("strAbord", &P::strAbord, "&Abbrechen"),
      S("strHelp", &P::strHelp, "Hilfe"),
      S("strMoreOpen", &P::strMoreOpen, "&Details >>"),
      S("strMoreClose", &P::strMoreClose, "<< &Details"),
      S("strSend", &P::strSend, "Meldung per E-Mail versenden..."),
      S("strCopy", &P::strCopy, "Meldung in die Zwischenablage kopieren"),
      S("strCheck", &P::strCheck, "Diese Meldung nicht mehr anzeigen"),
      L("spHicon_Label", &P::spHicon_Label, 240),
      L("spHbuttons", &P::spHbuttons, 105),
      L("spHleftButtons", &P::spHleftButtons, 165),
      L("spHrightLabel", &P::spHrightLabel, 165),
      L("spVmiddle", &P::spVmiddle, 255),
      L("spVup", &P::spVup, 165),
      L("spVdown", &P::spVdown, 165),
      L("spHleftCheck", &P::spHleftCheck, 90),
      L("spVdownCheck", &P::spVdownCheck, 90),
      L("ButtonsWidth", &P::ButtonsWidth, 1200),
      L("ButtonsHeight", &P::ButtonsHeight, 360),
      L("CheckWidth", &P::CheckWidth, 3130),
      L("CheckHeight", &P::CheckHeight, 300),
      L("textMoreHeight", &P::textMoreHeight, 2070),
      sendMethode,
      S("strDelText", &P::strDelText, "L\xc3\xb6schbest\xc3\xa4tigung erforderlich!"),
      L("cmdSendWidth", &P::cmdSendWidth, 3500),
      L("cmdSendHeight", &P::cmdSendHeight, 360),
      L("cmdMoreHeight", &P::cmdMoreHeight, 360),
      L("cmdMoreWidth", &P::cmdMoreWidth, 1200),
      L("formMaxWidth", &P::formMaxWidth, 9990),
      L("formMinWidth", &P::formMinWidth, 4000),
      L("spHrightMore", &P::spHrightMore, 150),
      L("spVdownMore", &P::spVdownMore, 90),
      S("strMailAdress", &P::strMailAdress, ""),
      S("strMailSubject", &P::strMailSubject, ""),
      S("strMailBody", &P::strMailBody, ""),
      L("FormTop", &P::FormTop, 0),
      L("FormLeft", &P::FormLeft, 0),
      L("DelaySec", &P::DelaySec, 3),
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
