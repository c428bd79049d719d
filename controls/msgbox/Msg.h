// Msg: the message box control. A host form places one instance on itself
// (design data class "Kvctl2.msg") and calls MsgBoxEx, early-bound through
// this class or late-bound by name ("MsgBoxEx" with up to ten arguments).
// The control keeps the message box's look (MsgProperties), persists it in
// the host's property bag, moves it to and from a look file, and raises
// SendClick(Title, Message, Detail) and Closed(Title).
#pragma once

#include <cstdint>
#include <string>

#include "com/StdPicture.h"
#include "com/UserControl.h"
#include "msgbox/MsgProperties.h"

namespace kvctl2 {

// exMsgBoxStyle: options of MsgBoxEx, summed.
inline constexpr int32_t exCenterScreen = 0;
inline constexpr int32_t exShowCheck = 2;
inline constexpr int32_t exNoModal = 4;
inline constexpr int32_t exWaitTime = 8;
inline constexpr int32_t exCenterOwner = 16;
inline constexpr int32_t exManualPos = 32;
inline constexpr int32_t exMsgBoxCenter = 64;
inline constexpr int32_t exAutoClose = 128;

// exSendMethode: what the copy button does besides copying.
inline constexpr int32_t exNone = 0;
inline constexpr int32_t exSendAuto = 1;
inline constexpr int32_t exSendManual = 2;

// The title that MsgBoxEx replaces by the application's title.
inline constexpr const char* kAppTitleDefault = "App.title";

class Msg : public com::UserControl {
 public:
  Msg();
  std::string ClassName() const override { return "msg"; }

  // The look, for hosts that set it in code (no PropertyChanged).
  MsgProperties& Props() { return m_props; }
  const MsgProperties& Props() const { return m_props; }
  com::StdPicturePtr SlotPicture(int slot) const { return m_props.pictures.at(static_cast<size_t>(slot)); }
  void SetSlotPicture(int slot, com::StdPicturePtr picture) { m_props.pictures.at(static_cast<size_t>(slot)) = std::move(picture); }

  // Sets every default of the look.
  void Initialise();

  // Shows a message; returns the standard result code (vbOK .. vbNo, 0
  // when the window was left without a result).
  int32_t MsgBoxEx(const std::string& Prompt, int32_t buttons = 0, const std::string& Title = kAppTitleDefault,
                   const std::string& HelpFile = "", int32_t Context = 0, int32_t exOptions = 0,
                   const std::string& Details = "", bool DetailsCopySendButton = false,
                   com::StdPicturePtr Icon = nullptr, bool UseCustomButtonText = false);

  // The look file (sections STRING, SPACE, SIZE, COMMON). Loading raises
  // 13 for a numeric key that is missing or no number.
  void LoadProperties(const std::string& FileIniName, bool LoadString = true, bool LoadSpace = true,
                      bool LoadSize = true, bool LoadSound = true, bool LoadCommon = true);
  // Returns the result of the last key written (false when the file could
  // not be written).
  bool SaveProperties(const std::string& FileIniName, bool SaveString = true, bool SaveSpace = true,
                      bool SaveSize = true, bool SaveSound = true, bool SaveCommon = true);

  // The check box state after the last MsgBoxEx: False when the user asked
  // not to see the message again.
  bool DisplayAgain = true;

  // Host life cycle.
  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  // Shown only in a designer: while the program runs the control has no
  // face, no window on screen and never takes the focus.
  bool InvisibleAtRuntime() const override { return Ambient().UserMode; }

 protected:
  // The control keeps its size of 480 x 480 twips.
  void Resize() override;

 private:
  void DefineMembers();
  rt::Variant GetMember(const MsgPropertyDef& def) const;
  void LetMember(const MsgPropertyDef& def, const rt::Variant& value);
  int32_t MsgBoxExByName(com::Args& args);

  MsgProperties m_props;
};

}  // namespace kvctl2
