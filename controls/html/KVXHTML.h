// KVXHTML: the library's HTML view control. Assigning Text wraps the source
// in HTML and BODY tags, normalises it and parses it into the document (an
// element array with a tree over it); Refresh lays the document out into
// the page picture (measure, measure again when the page grew wider, draw
// last) and shows a window of it in the viewport picViewPort, with scroll
// bars when the page needs them and keyboard scrolling. The page picture
// keeps what was drawn as a display list and draws the parts it shows, so
// a page of any size can be scrolled through to its end. On the viewport
// the mouse finds links (hand cursor, tooltip, hover colour: only the
// link's text is drawn again), drags the page, jumps to "#" targets, and a
// link click is deferred by the link timer and then either calls a public
// procedure of the hosting form ("VB:" links) or raises HyperlinkClick
// for the host.
//
// Any handler of the control's events may refresh it, change its
// properties or assign a new Text; what a LoadImage handler asks while a
// pass runs takes effect once the running Refresh has ended.
//
// Script holders keep SQL in the control's persisted Text and hand it out as
// RawText: the source without its HTML and BODY tags and with BR turned
// into CR LF. Text and RawText always hold the whole source; a document
// longer than 32,767 characters or elements is shown up to that limit.
//
// The implementation is split by concern: KVXHTML.cpp (interface,
// properties, persistence, life cycle), KVXHTMLView.cpp (refresh,
// viewport, scrolling, keys) and KVXHTMLMouse.cpp (mouse, hover, links).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/PropertyBag.h"
#include "com/UserControl.h"
#include "html/HTMLElement.h"
#include "html/HtmlDocument.h"
#include "html/PageCanvas.h"
#include "html/PageImage.h"
#include "html/RenderPage.h"
#include "html/ScrollAxis.h"

namespace forms {
class CommandButton;
class PictureBox;
class Timer;
}  // namespace forms

namespace kvctl2 {

class clsSubClass;

enum class htmlAppearance : int16_t { Flat = 0, Frame = 1 };
enum class htmlBorder : int16_t { kein = 0, Fest = 1 };
enum class htmScrollBars : int16_t { Keine = 0, Vertikal = 1, horizontal = 2, Beide = 3 };

class KVXHTML : public com::UserControl, private html::PageHost {
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
  // The control's Enabled: also the viewport's (no input while off).
  bool Enabled() const { return mEnabled; }
  void SetEnabled(bool value);
  // The control's Picture, also the page picture's: painted at its top left.
  const com::StdPicturePtr& BackgroundImage() const { return Picture(); }
  void SetBackgroundImage(com::StdPicturePtr picture);

  // Re-lays out (PaintOnly False) or keeps the arrangement and lays out
  // and repaints (True); nothing while FreezeUpdates is set.
  void Refresh(bool paintOnly = true);

  // Parser services.
  static std::string mstrTagID(std::string_view strTag);
  int16_t mintExtractTagAttributes(std::string_view strTag);
  const std::vector<std::string>& AttributeNames() const { return mAttrNames; }
  const std::vector<std::string>& AttributeValues() const { return mAttrValues; }
  void mBuildHierarchy();

  // The document.
  int ElementCount() const { return mDoc.Count(); }
  const HTMLElement& Element(int index) const { return mDoc.Elements.at(static_cast<size_t>(index)); }
  int BodyIndex() const { return mDoc.BodyIndex; }
  uint32_t PageColor() const { return mDoc.PageColor; }
  // Element indexes of the links (A tags), filled only with EnableAnchors.
  const std::vector<int16_t>& Anchors() const { return mDoc.Anchors; }
  // The laid-out page size in pixels, and the page picture.
  int32_t PageWidth() const { return mPageWidth; }
  int32_t PageHeight() const { return mPageHeight; }
  const html::PageImage& Page() const { return m_pageImage; }
  int16_t HoverAnchor() const { return mHoverAnchor; }

  // Constituents, for the host and for tests.
  const std::shared_ptr<forms::PictureBox>& ViewPort() const { return picViewPort; }
  com::ControlPtr VerticalScrollBar() const { return vscScroll; }
  com::ControlPtr HorizontalScrollBar() const { return hscScroll; }
  // The scroll position (the bars' Value), page pixels.
  int32_t ScrollX() const;
  int32_t ScrollY() const;
  // The centre of link `anchorIndex` (position in Anchors()) in viewport
  // pixels at the current scroll position; false when it is not drawn.
  bool LinkPoint(int anchorIndex, int& x, int& y) const;
  bool LinkClickPending() const { return !mClickHref.empty(); }

  // Life cycle with the host.
  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Show() override;
  void Terminate() override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  void Resize() override;
  void OnSited() override;

 private:
  void DefineMembers();
  void CreateConstituents();
  void ConnectConstituentEvents();
  void ParseText();
  // A new document from mText: the picture list emptied, parsed.
  void LoadDocument();
  html::PageSettings Settings() const;
  void RenderPage(html::PageCanvas& page);
  // Raises an event with the control kept alive through the host's handler.
  void Raise(std::string_view eventName, com::Args& args);
  void Raise(std::string_view eventName);

  // PageHost.
  void LoadImage(std::string& source, com::StdPicturePtr& image) override;

  // View (KVXHTMLView.cpp).
  int BorderPixels() const;
  void ArrangeViewport();
  void ShowScrollPanel(bool vertical, bool allowed);
  // Lays out, draws and sets the bars; Refresh without the requests that
  // handlers made meanwhile.
  void RefreshNow(bool paintOnly);
  void RunPendingRequests();
  // Lays the document out at the width and draws it into the page picture.
  void LayOut(int width);
  void SetScrollBars();
  // The viewport's Paint: copies the visible window of the page.
  void picViewPort_Paint();
  // Shows the page anew after it or the scroll position changed.
  void ShowPage();
  void picViewPort_KeyDown(int16_t keyCode, int16_t shift);
  void ScrollBarGotFocus();
  void ScrollBarChanged(bool vertical);
  // Scrolls to a page position in pixels (within the range).
  void SetScrollPosition(bool vertical, int64_t pixels);
  // The same, but a position outside the range is not applied (false).
  bool TryScrollPosition(bool vertical, int64_t pixels);

  // Mouse (KVXHTMLMouse.cpp).
  int HitAnchor(float x, float y, bool click) const;
  // Shows the hover of mHoverAnchor in place of the one before.
  void HoverRender(int16_t before);
  void picViewPort_MouseMove(int16_t button, int16_t shift, float x, float y);
  void picViewPort_MouseDown(int16_t button, int16_t shift, float x, float y);
  void picViewPort_MouseUp(int16_t button, int16_t shift, float x, float y);
  void mSubClass_NewMessage(int32_t hWnd, int32_t& uMsg, win::WPARAM& wParam, win::LPARAM& lParam, bool& cancel);
  void tmrHyperlinkClick_Timer();
  void CallHostProcedure(const std::string& name, const std::vector<std::string>& args);
  void SetViewportCursor(const char* cursor);

  // Document.
  std::string mText;
  html::Document mDoc;
  std::vector<com::StdPicturePtr> mPictures;
  std::vector<std::string> mAttrNames;
  std::vector<std::string> mAttrValues;
  int32_t mPageWidth = 0;
  int32_t mPageHeight = 0;
  // The page picture, the width the page was laid out at and the measures
  // of the document's texts.
  html::PageImage m_pageImage;
  int m_layoutWidth = 0;
  html::TextMeasures m_measures;
  html::ScrollAxis m_vScroll;
  html::ScrollAxis m_hScroll;
  bool m_settingBar = false;  // the control itself sets a bar's Value
  // Passes running (Refresh), and what event handlers asked meanwhile.
  int m_passDepth = 0;
  bool m_pendingText = false;
  bool m_pendingRefresh = false;
  bool m_pendingArrange = false;

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
  bool mEnabled = false;
  bool mPageMover = false;
  bool mFreezeUpdates = false;

  // Mouse and links.
  int16_t mHoverAnchor = 0;
  bool mOverLink = false;
  int32_t mDragX = 0;
  int32_t mDragY = 0;
  std::string mClickHref;
  std::string mClickID;
  std::string mViewportCursor;  // the cursor resource the viewport shows, empty for the default

  // Constituents.
  std::shared_ptr<forms::PictureBox> picViewPort;
  std::shared_ptr<forms::PictureBox> picHTML;
  std::shared_ptr<forms::PictureBox> panV;
  std::shared_ptr<forms::PictureBox> panH;
  com::ControlPtr vscScroll;
  com::ControlPtr hscScroll;
  std::shared_ptr<forms::Timer> tmrHyperlinkClick;
  std::shared_ptr<forms::CommandButton> FocusWeg;
  std::unique_ptr<clsSubClass> mSubClass;
};

}  // namespace kvctl2
