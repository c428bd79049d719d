// KVXHTML: the library's HTML view control. Assigning Text wraps the source
// in HTML and BODY tags, normalises it and parses it into a flat array of
// element records (tags and text runs) with the list of its links. The view
// shows the document's text word-wrapped on its surface (tags left out, BR
// as a line break); a link click is deferred by the link timer and then
// either calls a public procedure of the hosting form ("VB:" links) or
// raises HyperlinkClick for the host.
//
// Script holders keep SQL in the control's persisted Text and hand it out as
// RawText: the source without its HTML and BODY tags and with BR turned
// into CR LF.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/PropertyBag.h"
#include "com/UserControl.h"
#include "html/HTMLElement.h"

namespace forms {
class Timer;
}

namespace kvctl2 {

enum class htmlAppearance : int16_t { Flat = 0, Frame = 1 };
enum class htmlBorder : int16_t { kein = 0, Fest = 1 };
enum class htmScrollBars : int16_t { Keine = 0, Vertikal = 1, horizontal = 2, Beide = 3 };

class KVXHTML : public com::UserControl {
 public:
  KVXHTML();
  ~KVXHTML() override;
  std::string ClassName() const override { return "KVXHTML"; }

  // The document source. Let parses it and redraws; Get returns the
  // wrapped and normalised source.
  const std::string& Text() const { return mText; }
  void SetText(std::string_view value);
  // The source without its HTML and BODY tags, every BR (any case) as CR LF.
  // Let stores the value with each CR LF turned into "<BR>" through Text.
  std::string RawText() const;
  void SetRawText(std::string_view value);
  // Always "*HTMLCntrl*": how the caption property page recognises the view.
  static std::string Caption() { return "*HTMLCntrl*"; }
  // "Unknown" without a TITLE element.
  std::string DocumentTitle() const;

  // Look and behaviour.
  const std::string& DefaultFontName() const { return mDefaultFontName; }
  void SetDefaultFontName(std::string value);
  float DefaultFontSize() const { return mDefaultFontSize; }
  void SetDefaultFontSize(float value);
  uint32_t BackColor() const { return mBackColor; }
  void SetBackColor(uint32_t color);
  htmlAppearance Appearance() const { return mAppearance; }
  void SetAppearance(htmlAppearance value);
  htmlBorder BorderStyle() const { return mBorderStyle; }
  void SetBorderStyle(htmlBorder value);
  bool EnableTooltips() const { return mEnableTooltips; }
  void SetEnableTooltips(bool value) { mEnableTooltips = value; }
  htmScrollBars EnableScroll() const { return mEnableScroll; }
  void SetEnableScroll(htmScrollBars value);
  // Takes effect at the next Text assignment (the link list is built then).
  bool EnableAnchors() const { return mEnableAnchors; }
  void SetEnableAnchors(bool value) { mEnableAnchors = value; }
  bool UnderlineLinks() const { return mUnderlineLinks; }
  void SetUnderlineLinks(bool value) { mUnderlineLinks = value; }
  int16_t DefaultPadding() const { return mDefaultPadding; }
  void SetDefaultPadding(int16_t value);
  int16_t DefaultSpacing() const { return mDefaultSpacing; }
  void SetDefaultSpacing(int16_t value);
  bool Gradient() const { return mGradient; }
  void SetGradient(bool value);
  float GradientAngle() const { return mGradientAngle; }
  void SetGradientAngle(float value);
  uint32_t BackColor2() const { return mBackColor2; }
  void SetBackColor2(uint32_t value);
  uint32_t DefaultTextColor() const { return mDefaultTextColor; }
  void SetDefaultTextColor(uint32_t value);
  uint32_t LinkColor() const { return mLinkColor; }
  void SetLinkColor(uint32_t value);
  uint32_t LinkHoverColor() const { return mLinkHoverColor; }
  void SetLinkHoverColor(uint32_t value) { mLinkHoverColor = value; }
  bool HoverEnabled() const { return mHoverEnabled; }
  void SetHoverEnabled(bool value);
  bool PageMover() const { return mPageMover; }
  void SetPageMover(bool value);
  bool FreezeUpdates() const { return mFreezeUpdates; }
  void SetFreezeUpdates(bool value);
  // Enabled is the extender's Enabled (the viewport takes no input while off).

  // Re-lays out (PaintOnly False) or only repaints the view; nothing while
  // FreezeUpdates is set.
  void Refresh(bool paintOnly = true);

  // Parser services.
  static std::string mstrTagID(std::string_view strTag);
  int16_t mintExtractTagAttributes(std::string_view strTag);
  const std::vector<std::string>& AttributeNames() const { return mAttrNames; }
  const std::vector<std::string>& AttributeValues() const { return mAttrValues; }
  void mBuildHierarchy() {}  // the tree over the elements comes with the full layout

  // The document.
  int ElementCount() const { return static_cast<int>(mElements.size()); }
  const HTMLElement& Element(int index) const { return mElements.at(static_cast<size_t>(index)); }
  int BodyIndex() const { return mBodyIndex; }
  // Element indexes of the links (A tags), filled only with EnableAnchors.
  const std::vector<int>& Anchors() const { return mAnchors; }

  // Mouse on the viewport (pixels). A release over a link makes its click
  // pending; the link timer runs it 100 ms later.
  void ViewportMouseUp(int16_t button, int16_t shift, float x, float y);
  // The position of anchor `anchorIndex` in Anchors() in the drawn view: a
  // release there is a click on that link. False when it is not drawn.
  bool LinkPoint(int anchorIndex, int& x, int& y) const;
  // The link timer's work: runs the pending click, if any.
  void RunPendingLinkClick();
  bool LinkClickPending() const { return !mClickHref.empty(); }

  // Life cycle with the host.
  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Show() override;
  void Terminate() override;

 protected:
  void Resize() override;

 private:
  void DefineMembers();
  void Parse();
  void Render();
  void CallHostProcedure(const std::string& name, const std::vector<std::string>& args);

  // Document.
  std::string mText;
  std::vector<HTMLElement> mElements;
  std::vector<std::string> mAttrNames;
  std::vector<std::string> mAttrValues;
  std::vector<int> mAnchors;
  int mBodyIndex = 0;
  uint32_t mPageColor = 0x8000000F;
  std::string mBackgroundSource;

  // Properties.
  std::string mDefaultFontName = "Arial";
  float mDefaultFontSize = 10;
  uint32_t mBackColor = 0x8000000F;
  htmlAppearance mAppearance = htmlAppearance::Flat;
  htmlBorder mBorderStyle = htmlBorder::kein;
  bool mEnableTooltips = false;
  htmScrollBars mEnableScroll = htmScrollBars::Keine;
  bool mEnableAnchors = false;
  bool mUnderlineLinks = true;
  int16_t mDefaultPadding = 4;
  int16_t mDefaultSpacing = 4;
  bool mGradient = false;
  float mGradientAngle = 0;
  uint32_t mBackColor2 = 0;
  uint32_t mDefaultTextColor = 0;
  uint32_t mLinkColor = 0xFF0000;
  uint32_t mLinkHoverColor = 0x800080;
  bool mHoverEnabled = false;
  bool mPageMover = false;
  bool mFreezeUpdates = false;

  // Links.
  std::string mClickHref;
  std::string mClickID;
  std::shared_ptr<forms::Timer> tmrHyperlinkClick;
};

}  // namespace kvctl2
