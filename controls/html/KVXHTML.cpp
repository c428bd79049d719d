#include "html/KVXHTML.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/CommandButton.h"
#include "forms/PictureBox.h"
#include "forms/Timer.h"
#include "forms/controls/ScrollBar.h"
#include "html/HtmlSource.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "services/clsSubClass.h"

namespace kvctl2 {

namespace {

const com::ControlRegistration<KVXHTML> registration{"Kvctl2.KVXHTML", "KVXHTML"};

constexpr uint32_t kButtonFace = 0x8000000F;
// The font name a bag without one gives.
constexpr const char* kReadFontName = "MS Sans Serif";
constexpr int32_t kLinkTimerMs = 100;
constexpr int32_t kBarTwips = 255;
constexpr int16_t kBarSmallChange = 10;

rt::Variant Color(uint32_t color) { return rt::Variant(static_cast<int32_t>(color)); }
uint32_t ToColor(const rt::Variant& v) { return static_cast<uint32_t>(v.ToLong()); }

std::shared_ptr<forms::PictureBox> PlainBox() {
  auto box = std::make_shared<forms::PictureBox>();
  box->SetBorderStyle(0);
  box->Surface().SetScaleMode(gdi::vbPixels);
  box->SetTabStop(false);
  return box;
}

}  // namespace

KVXHTML::KVXHTML() {
  CreateConstituents();
  // Initialize: the member values of a new instance.
  mSubClass = std::make_unique<clsSubClass>();
  mSubClass->NewMessage = [this](int32_t hWnd, int32_t& uMsg, win::WPARAM& wParam, win::LPARAM& lParam, bool& cancel) {
    mSubClass_NewMessage(hWnd, uMsg, wParam, lParam, cancel);
  };
  mDoc.PageColor = mBackColor;
  UserControl::SetBackColor(mBackColor);
  SetEnabled(false);
  DeclareEvents({"Click", "DblClick", "HyperlinkClick", "LoadImage", "MouseDown", "MouseMove", "MouseUp"});
  DefineMembers();
  ConnectConstituentEvents();
}

KVXHTML::~KVXHTML() {
  // The subclassing goes before the windows do; no event reaches a
  // half-destroyed control.
  mSubClass.reset();
  for (const com::ControlPtr& c : Constituents()) c->Events().DisconnectAll();
  for (const auto& pan : {panV, panH}) {
    for (const com::ControlPtr& c : pan->Constituents()) c->Events().DisconnectAll();
  }
}

void KVXHTML::CreateConstituents() {
  picViewPort = PlainBox();
  picViewPort->SetTabStop(true);
  picHTML = PlainBox();
  picHTML->SetVisible(false);
  panV = PlainBox();
  panH = PlainBox();
  auto vertical = std::make_shared<forms::VScrollBar>();
  auto horizontal = std::make_shared<forms::HScrollBar>();
  vertical->SetSmallChange(kBarSmallChange);
  horizontal->SetSmallChange(kBarSmallChange);
  vertical->Move(0, 0, kBarTwips, kBarTwips);
  horizontal->Move(0, 0, kBarTwips, kBarTwips);
  vscScroll = vertical;
  hscScroll = horizontal;
  panV->AddConstituent(vscScroll, "vscScroll");
  panH->AddConstituent(hscScroll, "hscScroll");
  panV->SetVisible(false);
  panH->SetVisible(false);
  panV->SetTag("-1");
  panH->SetTag("-1");
  tmrHyperlinkClick = std::make_shared<forms::Timer>();
  tmrHyperlinkClick->SetEnabled(false);
  tmrHyperlinkClick->SetInterval(kLinkTimerMs);
  FocusWeg = std::make_shared<forms::CommandButton>();
  FocusWeg->Move(-240, 0, 120, 120);  // outside the visible area
  // The first constituent lies on top.
  AddConstituent(FocusWeg, "FocusWeg");
  AddConstituent(picViewPort, "picViewPort");
  AddConstituent(panV, "panV");
  AddConstituent(panH, "panH");
  AddConstituent(picHTML, "picHTML");
  AddConstituent(tmrHyperlinkClick, "tmrHyperlinkClick");
}

void KVXHTML::ConnectConstituentEvents() {
  tmrHyperlinkClick->Events().Connect("Timer", [this](com::Args&) { tmrHyperlinkClick_Timer(); });
  picViewPort->Events().Connect("Paint", [this](com::Args&) { picViewPort_Paint(); });
  picViewPort->Events().Connect("KeyDown", [this](com::Args& args) {
    picViewPort_KeyDown(com::OptionalArg(args, 0).ToInteger(), com::OptionalArg(args, 1).ToInteger());
  });
  auto mouse = [this](void (KVXHTML::*handler)(int16_t, int16_t, float, float)) {
    return [this, handler](com::Args& args) {
      (this->*handler)(com::OptionalArg(args, 0).ToInteger(), com::OptionalArg(args, 1).ToInteger(),
                       static_cast<float>(com::OptionalArg(args, 2).ToDouble()),
                       static_cast<float>(com::OptionalArg(args, 3).ToDouble()));
    };
  };
  picViewPort->Events().Connect("MouseMove", mouse(&KVXHTML::picViewPort_MouseMove));
  picViewPort->Events().Connect("MouseDown", mouse(&KVXHTML::picViewPort_MouseDown));
  picViewPort->Events().Connect("MouseUp", mouse(&KVXHTML::picViewPort_MouseUp));
  picViewPort->Events().Connect("Click", [this](com::Args&) { Raise("Click"); });
  for (const bool vertical : {true, false}) {
    const com::ControlPtr& bar = vertical ? vscScroll : hscScroll;
    auto changed = [this, vertical](com::Args&) { ScrollBarChanged(vertical); };
    bar->Events().Connect("Change", changed);
    bar->Events().Connect("Scroll", changed);
    bar->Events().Connect("GotFocus", [this](com::Args&) { ScrollBarGotFocus(); });
  }
}

void KVXHTML::OnSited() {
  com::UserControl::OnSited();  // the constituents get their windows
  mSubClass->SubClassHwnd(win::ToInt(picViewPort->hWnd()), true);
}

void KVXHTML::DefineMembers() {
  DefineProperty(
      "RawText", [this] { return rt::Variant(RawText()); }, [this](const rt::Variant& v) { SetRawText(v.ToString()); },
      0x6803001B);
  DefineReadOnly(
      "Caption", [] { return rt::Variant(Caption()); }, 0x6803001A);
  DefineProperty(
      "DefaultFontName", [this] { return rt::Variant(mDefaultFontName); },
      [this](const rt::Variant& v) { SetDefaultFontName(v.ToString()); }, 0x68030019);
  DefineProperty(
      "DefaultFontSize", [this] { return rt::Variant(static_cast<double>(mDefaultFontSize)); },
      [this](const rt::Variant& v) { SetDefaultFontSize(static_cast<float>(v.ToDouble())); }, 0x68030018);
  DefineProperty(
      "BackColor", [this] { return Color(mBackColor); }, [this](const rt::Variant& v) { SetBackColor(ToColor(v)); },
      0x68030017);
  DefineProperty(
      "Appearance", [this] { return rt::Variant(static_cast<int16_t>(mAppearance)); },
      [this](const rt::Variant& v) { SetAppearance(static_cast<htmlAppearance>(v.ToInteger())); }, 0x68030016);
  DefineProperty(
      "BorderStyle", [this] { return rt::Variant(static_cast<int16_t>(mBorderStyle)); },
      [this](const rt::Variant& v) { SetBorderStyle(static_cast<htmlBorder>(v.ToInteger())); }, 0x68030015);
  DefineProperty(
      "EnableTooltips", [this] { return rt::Variant(mEnableTooltips); },
      [this](const rt::Variant& v) { SetEnableTooltips(v.ToBool()); }, 0x68030014);
  DefineProperty(
      "Text", [this] { return rt::Variant(mText); }, [this](const rt::Variant& v) { SetText(v.ToString()); },
      0x68030013);
  DefineProperty(
      "EnableScroll", [this] { return rt::Variant(static_cast<int16_t>(mEnableScroll)); },
      [this](const rt::Variant& v) { SetEnableScroll(static_cast<htmScrollBars>(v.ToInteger())); }, 0x68030012);
  DefineProperty(
      "EnableAnchors", [this] { return rt::Variant(mEnableAnchors); },
      [this](const rt::Variant& v) { SetEnableAnchors(v.ToBool()); }, 0x68030011);
  DefineReadOnly(
      "DocumentTitle", [this] { return rt::Variant(DocumentTitle()); }, 0x68030010);
  DefineProperty(
      "UnderlineLinks", [this] { return rt::Variant(mUnderlineLinks); },
      [this](const rt::Variant& v) { SetUnderlineLinks(v.ToBool()); }, 0x6803000F);
  DefineProperty(
      "DefaultPadding", [this] { return rt::Variant(mDefaultPadding); },
      [this](const rt::Variant& v) { SetDefaultPadding(v.ToInteger()); }, 0x6803000E);
  DefineProperty(
      "DefaultSpacing", [this] { return rt::Variant(mDefaultSpacing); },
      [this](const rt::Variant& v) { SetDefaultSpacing(v.ToInteger()); }, 0x6803000D);
  DefineObject<com::StdPicture>(
      "BackgroundImage", [this] { return BackgroundImage(); },
      [this](com::StdPicturePtr v) { SetBackgroundImage(std::move(v)); }, 0x6803000C);
  DefineProperty(
      "Gradient", [this] { return rt::Variant(mGradient); }, [this](const rt::Variant& v) { SetGradient(v.ToBool()); },
      0x6803000B);
  DefineProperty(
      "GradientAngle", [this] { return rt::Variant(static_cast<double>(mGradientAngle)); },
      [this](const rt::Variant& v) { SetGradientAngle(static_cast<float>(v.ToDouble())); }, 0x6803000A);
  DefineProperty(
      "BackColor2", [this] { return Color(mBackColor2); }, [this](const rt::Variant& v) { SetBackColor2(ToColor(v)); },
      0x68030009);
  DefineProperty(
      "DefaultTextColor", [this] { return Color(mDefaultTextColor); },
      [this](const rt::Variant& v) { SetDefaultTextColor(ToColor(v)); }, 0x68030008);
  DefineProperty(
      "LinkColor", [this] { return Color(mLinkColor); }, [this](const rt::Variant& v) { SetLinkColor(ToColor(v)); },
      0x68030007);
  DefineProperty(
      "LinkHoverColor", [this] { return Color(mLinkHoverColor); },
      [this](const rt::Variant& v) { SetLinkHoverColor(ToColor(v)); }, 0x68030006);
  DefineMethod(
      "Refresh",
      [this](com::Args& args) {
        const rt::Variant& paintOnly = com::OptionalArg(args, 0);
        Refresh(paintOnly.IsEmpty() ? true : paintOnly.ToBool());
        return rt::Variant();
      },
      0x60030032);
  DefineMethod(
      "mstrTagID", [](com::Args& args) { return rt::Variant(mstrTagID(com::RequiredArg(args, 0).ToString())); },
      0x60030035);
  DefineMethod(
      "mintExtractTagAttributes",
      [this](com::Args& args) { return rt::Variant(mintExtractTagAttributes(com::RequiredArg(args, 0).ToString())); },
      0x60030036);
  DefineMethod(
      "mBuildHierarchy",
      [this](com::Args&) {
        mBuildHierarchy();
        return rt::Variant();
      },
      0x60030043);
  DefineProperty(
      "HoverEnabled", [this] { return rt::Variant(mHoverEnabled); },
      [this](const rt::Variant& v) { SetHoverEnabled(v.ToBool()); }, 0x68030005);
  DefineProperty(
      "Enabled", [this] { return rt::Variant(mEnabled); }, [this](const rt::Variant& v) { SetEnabled(v.ToBool()); },
      0x68030004);
  DefineProperty(
      "PageMover", [this] { return rt::Variant(mPageMover); },
      [this](const rt::Variant& v) { SetPageMover(v.ToBool()); }, 0x68030003);
  DefineProperty(
      "FreezeUpdates", [this] { return rt::Variant(mFreezeUpdates); },
      [this](const rt::Variant& v) { SetFreezeUpdates(v.ToBool()); }, 0x68030002);
  DefineReadOnly(
      "hWnd", [this] { return rt::Variant(win::ToInt(hWnd())); }, 0x68030001);
  DefineReadOnly(
      "hDC", [this] { return rt::Variant(gdi::ToInt(hDC())); }, 0x68030000);
}

// ---- Text ----

void KVXHTML::SetText(std::string_view value) {
  mText = html::NormaliseSource(html::WrapSource(value));
  PropertyChanged("Text");
  // Inside a pass (a LoadImage handler) the document stays until the pass
  // has ended; the new one is loaded then.
  if (m_passDepth > 0) {
    m_pendingText = true;
    return;
  }
  const std::shared_ptr<com::Dispatch> keep = weak_from_this().lock();
  LoadDocument();
  Refresh(false);
}

void KVXHTML::LoadDocument() {
  mPictures.assign(1, nullptr);
  mDoc.PageColor = mBackColor;
  m_measures.Clear();  // the measures of one document at a time
  ParseText();
}

void KVXHTML::ParseText() {
  html::ParseSettings settings;
  settings.DefaultFontName = mDefaultFontName;
  settings.DefaultFontSize = mDefaultFontSize;
  settings.DefaultTextColor = mDefaultTextColor;
  settings.BackColor = mBackColor;
  settings.EnableAnchors = mEnableAnchors;
  html::ParseDocument(mText, settings, mDoc);
  mDefaultTextColor = settings.DefaultTextColor;  // a TEXT attribute sets the property
  mHoverAnchor = 0;
}

std::string KVXHTML::RawText() const { return html::RawTextOf(mText); }

void KVXHTML::SetRawText(std::string_view value) { SetText(rt::Replace(value, "\r\n", "<BR>")); }

std::string KVXHTML::DocumentTitle() const {
  for (size_t i = 0; i + 1 < mDoc.Elements.size(); ++i) {
    if (mDoc.Elements[i].ElementType == htmlElementType::Title) {
      std::string title;
      rt::ResumeNext([&] { title = html::DecodeText(mDoc.Elements[i + 1].Raw); });
      return title;
    }
  }
  return "Unknown";
}

std::string KVXHTML::mstrTagID(std::string_view strTag) { return html::TagName(strTag); }

int16_t KVXHTML::mintExtractTagAttributes(std::string_view strTag) {
  html::ExtractTagAttributes(strTag, mAttrNames, mAttrValues);
  return static_cast<int16_t>(mAttrNames.size());
}

void KVXHTML::mBuildHierarchy() { mDoc.BuildTree(); }

// ---- Properties ----

void KVXHTML::SetDefaultFontName(std::string value) {
  mDefaultFontName = std::move(value);
  if (!mText.empty()) Refresh(false);
}

void KVXHTML::SetDefaultFontSize(float value) {
  mDefaultFontSize = value;
  if (!mText.empty()) Refresh(false);
}

void KVXHTML::SetBackColor(uint32_t color) {
  mBackColor = color;
  UserControl::SetBackColor(color);
  // A BODY with its own BGCOLOR keeps its page colour.
  const bool bodyColor = mDoc.PageColorFromBody || (mDoc.Count() > mDoc.BodyIndex &&
                                                    mDoc.Elements[static_cast<size_t>(mDoc.BodyIndex)].HasBgColor);
  if (!bodyColor) {
    mDoc.PageColor = color;
    picHTML->SetBackColor(color);
    if (mDoc.Count() == 0) {
      m_pageImage.SetColor(color);
      picViewPort->SetBackColor(color);
    }
  }
  Refresh(true);
}

void KVXHTML::SetAppearance(htmlAppearance value) {
  mAppearance = value;
  Refresh(false);
}

void KVXHTML::SetBorderStyle(htmlBorder value) {
  mBorderStyle = value;
  Refresh(false);
}

void KVXHTML::SetEnableScroll(htmScrollBars value) {
  mEnableScroll = value;
  ShowScrollPanel(true, value == htmScrollBars::Vertikal || value == htmScrollBars::Beide);
  ShowScrollPanel(false, value == htmScrollBars::horizontal || value == htmScrollBars::Beide);
  Refresh(false);
}

void KVXHTML::SetDefaultPadding(int16_t value) {
  mDefaultPadding = value;
  Refresh(false);
}

void KVXHTML::SetDefaultSpacing(int16_t value) {
  mDefaultSpacing = value;
  Refresh(false);
}

void KVXHTML::SetBackgroundImage(com::StdPicturePtr picture) {
  SetPicture(picture);
  PropertyChanged("BackgroundImage");
  picHTML->SetPicture(std::move(picture));
  Refresh(true);
}

void KVXHTML::SetGradient(bool value) {
  mGradient = value;
  PropertyChanged("Gradient");
  Refresh(true);
}

void KVXHTML::SetGradientAngle(float value) {
  mGradientAngle = value;
  PropertyChanged("GradientAngle");
  Refresh(true);
}

void KVXHTML::SetBackColor2(uint32_t value) {
  mBackColor2 = value;
  PropertyChanged("BackColor2");
  if (mGradient) Refresh(true);
}

void KVXHTML::SetDefaultTextColor(uint32_t value) {
  mDefaultTextColor = value;
  if (!mText.empty()) Refresh(true);
}

void KVXHTML::SetLinkColor(uint32_t value) {
  mLinkColor = value;
  if (!mText.empty()) Refresh(true);
}

void KVXHTML::SetHoverEnabled(bool value) {
  mHoverEnabled = value;
  PropertyChanged("HoverEnabled");
}

void KVXHTML::SetEnabled(bool value) {
  mEnabled = value;
  com::Control::SetEnabled(value);
  picViewPort->SetEnabled(value);
  PropertyChanged("Enabled");
}

void KVXHTML::SetPageMover(bool value) {
  mPageMover = value;
  PropertyChanged("PageMover");
}

void KVXHTML::SetFreezeUpdates(bool value) {
  mFreezeUpdates = value;
  PropertyChanged("FreezeUpdates");
  if (!value) Refresh(true);
}

// ---- The page ----

html::PageSettings KVXHTML::Settings() const {
  html::PageSettings s;
  s.DefaultFontName = mDefaultFontName;
  s.DefaultFontSize = mDefaultFontSize;
  s.DefaultPadding = mDefaultPadding;
  s.DefaultSpacing = mDefaultSpacing;
  s.DefaultTextColor = mDefaultTextColor;
  s.LinkColor = mLinkColor;
  s.LinkHoverColor = mLinkHoverColor;
  s.EnableAnchors = mEnableAnchors;
  s.UnderlineLinks = mUnderlineLinks;
  s.EnableScroll = mEnableScroll != htmScrollBars::Keine;
  s.Gradient = mGradient;
  s.GradientAngle = mGradientAngle;
  s.BackColor = mBackColor;
  s.BackColor2 = mBackColor2;
  s.PagePicture = Picture();
  s.HoverAnchor = mHoverAnchor;
  s.ViewportWidth = static_cast<int>(picViewPort->ScaleWidth());
  s.ViewportHeight = static_cast<int>(picViewPort->ScaleHeight());
  return s;
}

void KVXHTML::RenderPage(html::PageCanvas& page) {
  html::PageSize size{mPageWidth, mPageHeight};
  html::RenderPage(mDoc, mPictures, page, Settings(), *this, size);
  mPageWidth = size.Width;
  mPageHeight = size.Height;
}

void KVXHTML::LoadImage(std::string& source, com::StdPicturePtr& image) {
  com::Args args{source, image ? com::ToVariant(image) : com::Nothing()};
  Raise("LoadImage", args);
  source = args[0].ToString();
  image = com::IsNothing(args[1]) ? nullptr : com::AsObject<com::StdPicture>(args[1]);
}

void KVXHTML::Raise(std::string_view eventName, com::Args& args) {
  // The host's handler may unload the form that holds this control.
  const std::shared_ptr<com::Dispatch> keep = weak_from_this().lock();
  RaiseEvent(eventName, args);
}

void KVXHTML::Raise(std::string_view eventName) {
  com::Args none;
  Raise(eventName, none);
}

// ---- Life cycle ----

void KVXHTML::InitProperties() {
  rt::ResumeNext([this] {
    mGradient = false;
    mGradientAngle = 270;
    mBackColor2 = 255;
    mHoverEnabled = true;
    mPageMover = false;
    mFreezeUpdates = false;
  });
}

void KVXHTML::ReadProperties(const com::PropertyBag& bag) {
  mFreezeUpdates = bag.ReadProperty("FreezeUpdates", false).ToBool();
  mAppearance = static_cast<htmlAppearance>(bag.ReadProperty("Appearance", int16_t{0}).ToInteger());
  mBorderStyle = static_cast<htmlBorder>(bag.ReadProperty("BorderStyle", int16_t{0}).ToInteger());
  mGradient = bag.ReadProperty("Gradient", false).ToBool();
  mGradientAngle = static_cast<float>(bag.ReadProperty("GradientAngle", 270.0).ToDouble());
  mBackColor2 = ToColor(bag.ReadProperty("BackColor2", 255));
  const rt::Variant picture = bag.ReadProperty("BackgroundImage", com::Nothing());
  if (auto image = com::IsNothing(picture) ? nullptr : com::AsObject<com::StdPicture>(picture)) {
    SetPicture(image);
    picHTML->SetPicture(image);
  }
  mDefaultTextColor = ToColor(bag.ReadProperty("DefaultTextColor", 0));
  mLinkColor = ToColor(bag.ReadProperty("LinkColor", Color(0xFF0000)));
  mLinkHoverColor = ToColor(bag.ReadProperty("LinkHoverColor", Color(0x800080)));
  mBackColor = ToColor(bag.ReadProperty("BackColor", Color(kButtonFace)));
  mDoc.PageColor = mBackColor;
  UserControl::SetBackColor(mBackColor);
  SetEnabled(bag.ReadProperty("Enabled", true).ToBool());
  picHTML->SetBackColor(mBackColor);
  mEnableAnchors = bag.ReadProperty("EnableAnchors", false).ToBool();
  mEnableScroll = static_cast<htmScrollBars>(bag.ReadProperty("EnableScroll", int16_t{0}).ToInteger());
  ShowScrollPanel(true, mEnableScroll == htmScrollBars::Vertikal || mEnableScroll == htmScrollBars::Beide);
  ShowScrollPanel(false, mEnableScroll == htmScrollBars::horizontal || mEnableScroll == htmScrollBars::Beide);
  mEnableTooltips = bag.ReadProperty("EnableTooltips", true).ToBool();
  mDefaultFontName = bag.ReadProperty("DefaultFontName", kReadFontName).ToString();
  mDefaultFontSize = static_cast<float>(bag.ReadProperty("DefaultFontSize", 10).ToDouble());
  mUnderlineLinks = bag.ReadProperty("UnderlineLinks", true).ToBool();
  mDefaultPadding = bag.ReadProperty("DefaultPadding", int16_t{4}).ToInteger();
  mDefaultSpacing = bag.ReadProperty("DefaultSpacing", int16_t{4}).ToInteger();
  mHoverEnabled = bag.ReadProperty("HoverEnabled", true).ToBool();
  mPageMover = bag.ReadProperty("PageMover", false).ToBool();
  // Stored as saved, without parsing: the document is built when shown.
  mText = bag.ReadProperty("Text", Ambient().DisplayName).ToString();
}

void KVXHTML::WriteProperties(com::PropertyBag& bag) {
  // Each value is written with the default that ReadProperties uses: a
  // value equal to it is left out and reads back the same. (Written
  // without defaults, False and 0 would count as "empty" and be lost,
  // reading back as True where the read default is True.)
  bag.WriteProperty("Appearance", static_cast<int16_t>(mAppearance), int16_t{0});
  bag.WriteProperty("BorderStyle", static_cast<int16_t>(mBorderStyle), int16_t{0});
  bag.WriteProperty("BackColor", Color(mBackColor), Color(kButtonFace));
  bag.WriteProperty("EnableAnchors", mEnableAnchors, false);
  bag.WriteProperty("EnableScroll", static_cast<int16_t>(mEnableScroll), int16_t{0});
  bag.WriteProperty("EnableTooltips", mEnableTooltips, true);
  bag.WriteProperty("DefaultFontName", mDefaultFontName, kReadFontName);
  bag.WriteProperty("DefaultFontSize", static_cast<double>(mDefaultFontSize), 10.0);
  bag.WriteProperty("UnderlineLinks", mUnderlineLinks, true);
  bag.WriteProperty("DefaultPadding", mDefaultPadding, int16_t{4});
  bag.WriteProperty("DefaultSpacing", mDefaultSpacing, int16_t{4});
  bag.WriteProperty("Gradient", mGradient, false);
  bag.WriteProperty("GradientAngle", static_cast<double>(mGradientAngle), 270.0);
  bag.WriteProperty("BackColor2", Color(mBackColor2), Color(255));
  bag.WriteProperty("Text", mText, Ambient().DisplayName);
  bag.WriteProperty("BackgroundImage", Picture() ? com::ToVariant(Picture()) : com::Nothing(), com::Nothing());
  bag.WriteProperty("DefaultTextColor", Color(mDefaultTextColor), Color(0));
  bag.WriteProperty("LinkColor", Color(mLinkColor), Color(0xFF0000));
  bag.WriteProperty("LinkHoverColor", Color(mLinkHoverColor), Color(0x800080));
  bag.WriteProperty("HoverEnabled", mHoverEnabled, true);
  bag.WriteProperty("Enabled", mEnabled, true);
  bag.WriteProperty("PageMover", mPageMover, false);
  bag.WriteProperty("FreezeUpdates", mFreezeUpdates, false);
}

void KVXHTML::Show() {
  if (!Ambient().UserMode) {
    picViewPort->SetEnabled(false);
    mSubClass->SubClassHwnd(win::ToInt(picViewPort->hWnd()), false);
  }
  SetText(mText);
}

void KVXHTML::Terminate() {
  tmrHyperlinkClick->SetEnabled(false);
  mClickHref.clear();
  mSubClass->SubClassHwnd(win::ToInt(picViewPort->hWnd()), false);
}

}  // namespace kvctl2
