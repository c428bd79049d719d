// KVXFrame: the group frame with a caption band on top. The band carries a
// striped or solid two-colour fill, an optional border, the caption text,
// an optional caption icon and plus/minus bullet; the body can carry a
// frame border and a tiled bitmap. An expandable frame (Expandierbar)
// collapses to its band and expands again on a caption click, and its
// caption reacts to the mouse (hover colour, underline, icon shadow,
// pointer). The surface works in pixels; heights on the interface are
// twips. A container: hosts place controls in it (Controls).
//
// Painting is in KVXFramePainting.cpp, expanding, hovering and the mouse in
// KVXFrameExpand.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "com/StdFont.h"
#include "com/StdPicture.h"
#include "display/DisplayControl.h"

namespace kvctl2 {

enum pbCaptionStyle : int32_t { pbHozLines = 0, pbHozSolid = 1, pbVerSolid = 2, pbSolid = 3 };
enum pbBorderStyle : int32_t { pbNone = 0, pbLine = 1, pbSunken = 2, pbThinRaised = 3, pbRaised = 4, pbRound = 5 };
enum pbCaptionAlign : int32_t { DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2 };
enum pbCapHoverMode : int32_t { OnlyColor = 1, ColorUnderline = 2, OnlyUnderline = 3, Deactivate = 4 };

class KVXFrame : public DisplayControl {
 public:
  KVXFrame();
  std::string ClassName() const override { return "KVXFrame"; }
  bool AcceptsContainedControls() const override { return true; }

  // Expanding.
  bool Expandierbar() const { return m_expandierbar; }
  void SetExpandierbar(bool value);
  bool Expandiert() const { return m_expandiert; }
  void SetExpandiert(bool value);
  int32_t HeightExpanded() const { return m_heightExpanded; }
  void SetHeightExpanded(int32_t twips);
  int32_t RememberedHeight() const { return m_rememberedHeight; }
  bool FrameEnabled() const { return m_enabled; }
  void SetFrameEnabled(bool value);

  // The caption band.
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string value);
  int16_t CaptionHeight() const { return m_captionHeight; }
  // Raises 6 when the band's pixel height would not fit 16 bits (a band of
  // no pixels or fewer draws no caption).
  void SetCaptionHeight(int16_t value);
  // Whether the band of a CaptionHeight, value x 4 + 4 pixels, fits 16 bits.
  static bool CaptionHeightFits(int32_t value);
  // CaptionHeight x 4 + 4.
  int16_t CaptionPixels() const { return m_captionPixels; }
  bool CaptionHot() const { return m_captionHot; }
  const com::StdFontPtr& CaptionFont() const { return m_captionFont; }
  void SetCaptionFont(com::StdFontPtr font);
  const com::StdPicturePtr& CaptionIcon() const { return m_captionIcon; }
  void SetCaptionIcon(com::StdPicturePtr icon);

  // Repaints the whole control.
  void drawControl();

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;

 protected:
  void Resize() override;
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_Click() override;
  void UserControl_DblClick() override;

 private:
  // Interface (KVXFrame.cpp).
  void DefineMembers();
  void DefineColorField(const char* name, uint32_t KVXFrame::*field, int id, bool repaint);
  void DefinePicture(const char* name, com::StdPicturePtr KVXFrame::*field, int id);
  void Changed(const char* name, bool repaint);
  void SetBorderRoundColor(uint32_t color);
  void SetAutoColorRoundBorder(bool value);
  void TakeContainerBackColor();

  // Painting (KVXFramePainting.cpp).
  void FillGradient(uint32_t startColor, uint32_t endColor, gdi::RECT& rect, int size, int direction);
  std::string CompactCaption(std::string text, int width);
  void TileBitmap(gdi::HDC target, const com::StdPicturePtr& picture, int tileWidth, int tileHeight, int left, int top,
                  int width, int height);
  void DrawCaptionIcon(bool shadow, bool pressed);
  bool Hovered() const;

  // Expanding and the mouse (KVXFrameExpand.cpp).
  void SetExpanded(bool expand);
  void LeaveCaption();
  bool CaptionAccepts() const;

  bool m_expandierbar = false;
  bool m_expandiert = true;
  bool m_enabled = true;
  int32_t m_captionAlign = DT_LEFT;
  int32_t m_captionBorder = pbNone;
  int32_t m_captionStyle = pbHozLines;
  int32_t m_borderStyle = pbNone;
  uint32_t m_borderColor = 0x808080;
  uint32_t m_borderRoundColor = 0;
  uint32_t m_topLeftAColor = 0xD9DFE3;
  uint32_t m_topRightAColor = 0x808080;
  uint32_t m_topLeftBColor = 0x8000000F;
  uint32_t m_topRightBColor = 0xFFFFFF;
  std::string m_caption;
  com::StdFontPtr m_captionFont;
  uint32_t m_captionFontColor = 0;
  uint32_t m_captionFontHoverColor = 0x404040;
  int32_t m_captionHoverMode = OnlyColor;
  int16_t m_captionHeight = 4;
  int16_t m_captionPixels = 20;
  int32_t m_captionTop = 0;
  int32_t m_captionY = 0;
  com::StdPicturePtr m_captionIcon;
  com::StdPicturePtr m_collapseIcon;
  uint32_t m_captionIconShadow = 0xC0C0C0;
  int32_t m_shadowWide = 2;
  int32_t m_iconTop = 2;
  int32_t m_iconLeft = 0;
  bool m_showBullet = false;
  com::StdPicturePtr m_backgroundImage;
  bool m_autoColorRoundBorder = true;
  int32_t m_heightExpanded = 0;
  bool m_playSound = true;
  int32_t m_rememberedHeight = 0;
  bool m_captionHot = false;
  float m_lastMouseY = 0;
};

}  // namespace kvctl2
