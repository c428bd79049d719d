#include "html/KVXHTML.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/Timer.h"
#include "gdi/DrawingSurface.h"
#include "html/HtmlSource.h"
#include "html/PlainView.h"
#include "html/ProcedureLink.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace kvctl2 {

namespace {

const com::ControlRegistration<KVXHTML> registration{"Kvctl2.KVXHTML", "KVXHTML"};

constexpr uint32_t kButtonFace = 0x8000000F;
// The font name a bag without one gives.
constexpr const char* kReadFontName = "MS Sans Serif";
constexpr int32_t kLinkTimerMs = 100;
constexpr size_t kMaxHostArguments = 8;

rt::Variant Color(uint32_t color) { return rt::Variant(static_cast<int32_t>(color)); }
uint32_t ToColor(const rt::Variant& v) { return static_cast<uint32_t>(v.ToLong()); }

}  // namespace

KVXHTML::KVXHTML() {
  tmrHyperlinkClick = std::make_shared<forms::Timer>();
  tmrHyperlinkClick->SetEnabled(false);
  tmrHyperlinkClick->SetInterval(kLinkTimerMs);
  tmrHyperlinkClick->Events().Connect("Timer", [this](com::Args&) { RunPendingLinkClick(); });
  AddConstituent(tmrHyperlinkClick, "tmrHyperlinkClick");
  Surface().SetAutoRedraw(true);
  Surface().SetScaleMode(gdi::vbPixels);
  UserControl::SetBackColor(mBackColor);
  SetEnabled(false);
  DefineMembers();
}

KVXHTML::~KVXHTML() { tmrHyperlinkClick->Events().DisconnectAll(); }

void KVXHTML::DefineMembers() {
  DefineProperty("RawText", [this] { return rt::Variant(RawText()); },
                 [this](const rt::Variant& v) { SetRawText(v.ToString()); }, 0x6803001B);
  DefineReadOnly("Caption", [] { return rt::Variant(Caption()); }, 0x6803001A);
  DefineProperty("DefaultFontName", [this] { return rt::Variant(mDefaultFontName); },
                 [this](const rt::Variant& v) { SetDefaultFontName(v.ToString()); }, 0x68030019);
  DefineProperty("DefaultFontSize", [this] { return rt::Variant(static_cast<double>(mDefaultFontSize)); },
                 [this](const rt::Variant& v) { SetDefaultFontSize(static_cast<float>(v.ToDouble())); }, 0x68030018);
  DefineProperty("BackColor", [this] { return Color(mBackColor); },
                 [this](const rt::Variant& v) { SetBackColor(ToColor(v)); }, 0x68030017);
  DefineProperty("Appearance", [this] { return rt::Variant(static_cast<int16_t>(mAppearance)); },
                 [this](const rt::Variant& v) { SetAppearance(static_cast<htmlAppearance>(v.ToInteger())); },
                 0x68030016);
  DefineProperty("BorderStyle", [this] { return rt::Variant(static_cast<int16_t>(mBorderStyle)); },
                 [this](const rt::Variant& v) { SetBorderStyle(static_cast<htmlBorder>(v.ToInteger())); }, 0x68030015);
  DefineProperty("EnableTooltips", [this] { return rt::Variant(mEnableTooltips); },
                 [this](const rt::Variant& v) { SetEnableTooltips(v.ToBool()); }, 0x68030014);
  DefineProperty("Text", [this] { return rt::Variant(mText); },
                 [this](const rt::Variant& v) { SetText(v.ToString()); }, 0x68030013);
  DefineProperty("EnableScroll", [this] { return rt::Variant(static_cast<int16_t>(mEnableScroll)); },
                 [this](const rt::Variant& v) { SetEnableScroll(static_cast<htmScrollBars>(v.ToInteger())); },
                 0x68030012);
  DefineProperty("EnableAnchors", [this] { return rt::Variant(mEnableAnchors); },
                 [this](const rt::Variant& v) { SetEnableAnchors(v.ToBool()); }, 0x68030011);
  DefineReadOnly("DocumentTitle", [this] { return rt::Variant(DocumentTitle()); }, 0x68030010);
  DefineProperty("UnderlineLinks", [this] { return rt::Variant(mUnderlineLinks); },
                 [this](const rt::Variant& v) { SetUnderlineLinks(v.ToBool()); }, 0x6803000F);
  DefineProperty("DefaultPadding", [this] { return rt::Variant(mDefaultPadding); },
                 [this](const rt::Variant& v) { SetDefaultPadding(v.ToInteger()); }, 0x6803000E);
  DefineProperty("DefaultSpacing", [this] { return rt::Variant(mDefaultSpacing); },
                 [this](const rt::Variant& v) { SetDefaultSpacing(v.ToInteger()); }, 0x6803000D);
  DefineProperty("Gradient", [this] { return rt::Variant(mGradient); },
                 [this](const rt::Variant& v) { SetGradient(v.ToBool()); }, 0x6803000B);
  DefineProperty("GradientAngle", [this] { return rt::Variant(static_cast<double>(mGradientAngle)); },
                 [this](const rt::Variant& v) { SetGradientAngle(static_cast<float>(v.ToDouble())); }, 0x6803000A);
  DefineProperty("BackColor2", [this] { return Color(mBackColor2); },
                 [this](const rt::Variant& v) { SetBackColor2(ToColor(v)); }, 0x68030009);
  DefineProperty("DefaultTextColor", [this] { return Color(mDefaultTextColor); },
                 [this](const rt::Variant& v) { SetDefaultTextColor(ToColor(v)); }, 0x68030008);
  DefineProperty("LinkColor", [this] { return Color(mLinkColor); },
                 [this](const rt::Variant& v) { SetLinkColor(ToColor(v)); }, 0x68030007);
  DefineProperty("LinkHoverColor", [this] { return Color(mLinkHoverColor); },
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
  DefineProperty("HoverEnabled", [this] { return rt::Variant(mHoverEnabled); },
                 [this](const rt::Variant& v) { SetHoverEnabled(v.ToBool()); }, 0x68030005);
  DefineProperty("PageMover", [this] { return rt::Variant(mPageMover); },
                 [this](const rt::Variant& v) { SetPageMover(v.ToBool()); }, 0x68030003);
  DefineProperty("FreezeUpdates", [this] { return rt::Variant(mFreezeUpdates); },
                 [this](const rt::Variant& v) { SetFreezeUpdates(v.ToBool()); }, 0x68030002);
  DefineReadOnly("hDC", [this] { return rt::Variant(gdi::ToInt(hDC())); },
                 0x68030000);
}

// ---- Text ----

void KVXHTML::SetText(std::string_view value) {
  const std::string wrapped = html::WrapSource(value);
  mPageColor = mBackColor;
  mText = html::NormaliseSource(wrapped);
  PropertyChanged("Text");
  Parse();
  Refresh(false);
}

std::string KVXHTML::RawText() const { return html::RawTextOf(mText); }

void KVXHTML::SetRawText(std::string_view value) { SetText(rt::Replace(value, "\r\n", "<BR>")); }

std::string KVXHTML::DocumentTitle() const {
  for (size_t i = 0; i + 1 < mElements.size(); ++i) {
    if (mElements[i].ElementType == htmlElementType::Title) {
      std::string title;
      rt::ResumeNext([&] { title = html::DecodeText(mElements[i + 1].Raw); });
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

void KVXHTML::Parse() {
  mElements = html::TokenizeText(mText);
  mBodyIndex = 0;
  mBackgroundSource.clear();
  for (HTMLElement& e : mElements) {
    if (!e.IsTag) {
      // A run whose decoding fails keeps no words.
      rt::ResumeNext([&e] { e.Words = rt::Split(html::DecodeText(e.Raw), " "); });
      continue;
    }
    e.ElementType = html::ElementTypeOfName(mstrTagID(e.Raw));
    if (e.ElementType == htmlElementType::Body) mBodyIndex = e.Index;
    if (e.ElementType == htmlElementType::A) e.BoxTop = e.BoxLeft = e.BoxBottom = e.BoxRight = -1;
    mintExtractTagAttributes(e.Raw);
    for (size_t i = 0; i < mAttrNames.size(); ++i) {
      const std::string& name = mAttrNames[i];
      const std::string& value = mAttrValues[i];
      if (name == "HREF") {
        rt::ResumeNext([&] { e.Href = html::DecodeText(value); });
      } else if (name == "ID" || name == "NAME") {
        e.ID = value;
      } else if (name == "TITLE") {
        e.Title = value;
      } else if (name == "BACKGROUND") {
        mBackgroundSource = value;
      }
    }
  }
  mAnchors.clear();
  if (mEnableAnchors) {
    for (const HTMLElement& e : mElements) {
      if (e.ElementType == htmlElementType::A) mAnchors.push_back(e.Index);
    }
  }
  mBuildHierarchy();
}

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
  mPageColor = color;
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

void KVXHTML::SetPageMover(bool value) {
  mPageMover = value;
  PropertyChanged("PageMover");
}

void KVXHTML::SetFreezeUpdates(bool value) {
  mFreezeUpdates = value;
  PropertyChanged("FreezeUpdates");
  if (!value) Refresh(true);
}

void KVXHTML::Refresh(bool /*paintOnly*/) {
  if (mFreezeUpdates) return;
  Render();
  UserControl::Refresh();
}

void KVXHTML::Resize() { Refresh(false); }

void KVXHTML::Render() {
  html::PlainViewStyle style;
  style.FontName = mDefaultFontName;
  style.FontSize = mDefaultFontSize;
  style.PageColor = mPageColor;
  style.TextColor = mDefaultTextColor;
  style.LinkColor = mLinkColor;
  style.UnderlineLinks = mUnderlineLinks;
  style.Padding = mDefaultPadding;
  html::DrawPlainView(Surface(), mElements, style);
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
  if (!com::IsNothing(picture)) SetPicture(com::AsObject<com::StdPicture>(picture));
  mDefaultTextColor = ToColor(bag.ReadProperty("DefaultTextColor", 0));
  mLinkColor = ToColor(bag.ReadProperty("LinkColor", Color(0xFF0000)));
  mLinkHoverColor = ToColor(bag.ReadProperty("LinkHoverColor", Color(0x800080)));
  mBackColor = ToColor(bag.ReadProperty("BackColor", Color(kButtonFace)));
  mPageColor = mBackColor;
  UserControl::SetBackColor(mBackColor);
  SetEnabled(bag.ReadProperty("Enabled", true).ToBool());
  mEnableAnchors = bag.ReadProperty("EnableAnchors", false).ToBool();
  mEnableScroll = static_cast<htmScrollBars>(bag.ReadProperty("EnableScroll", int16_t{0}).ToInteger());
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
  // Each value is written with the default that ReadProperties uses, so a
  // value equal to it is left out and reads back the same.
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
  bag.WriteProperty("Enabled", Enabled(), true);
  bag.WriteProperty("PageMover", mPageMover, false);
  bag.WriteProperty("FreezeUpdates", mFreezeUpdates, false);
}

void KVXHTML::Show() {
  if (!Ambient().UserMode) SetEnabled(false);
  SetText(mText);
}

void KVXHTML::Terminate() {
  tmrHyperlinkClick->SetEnabled(false);
  mClickHref.clear();
}

// ---- Links ----

void KVXHTML::ViewportMouseUp(int16_t button, int16_t shift, float x, float y) {
  std::string id = "-1";
  std::string href = "-1";
  if (Enabled() && mEnableAnchors) {
    for (int anchor : mAnchors) {
      const HTMLElement& a = mElements[static_cast<size_t>(anchor)];
      if (x < a.BoxLeft || x > a.BoxRight || y < a.BoxTop || y > a.BoxBottom) continue;
      if (!a.Href.empty()) {
        mClickHref = a.Href;
        mClickID = a.ID;
        tmrHyperlinkClick->SetEnabled(false);  // a second click within the delay replaces the first
        tmrHyperlinkClick->SetEnabled(true);
        id = mClickID;
        href = mClickHref;
      }
      break;
    }
  }
  com::Args args{id, href, button, shift, static_cast<double>(x), static_cast<double>(y)};
  RaiseEvent("MouseUp", args);
}

bool KVXHTML::LinkPoint(int anchorIndex, int& x, int& y) const {
  if (anchorIndex < 0 || static_cast<size_t>(anchorIndex) >= mAnchors.size()) return false;
  const HTMLElement& a = mElements[static_cast<size_t>(mAnchors[static_cast<size_t>(anchorIndex)])];
  if (a.BoxRight < a.BoxLeft || a.BoxLeft < 0) return false;
  x = (a.BoxLeft + a.BoxRight) / 2;
  y = (a.BoxTop + a.BoxBottom) / 2;
  return true;
}

void KVXHTML::RunPendingLinkClick() {
  tmrHyperlinkClick->SetEnabled(false);
  if (mClickHref.empty()) return;
  const std::string href = std::move(mClickHref);
  const std::string id = std::move(mClickID);
  mClickHref.clear();
  mClickID.clear();
  if (rt::UCase(rt::Left(href, 3)) == "VB:") {
    const html::ProcedureLink link = html::ParseProcedureLink(href.substr(3));
    CallHostProcedure(link.Name, link.Args);
  } else {
    com::Args args{id, href};
    RaiseEvent("HyperlinkClick", args);
  }
}

void KVXHTML::CallHostProcedure(const std::string& name, const std::vector<std::string>& args) {
  // Any failure (no host, no such procedure, wrong arguments) is ignored.
  rt::ResumeNext([&] {
    if (!Container()) return;
    com::DispatchPtr host = Container()->ContainerObject();
    if (!host) return;
    com::Args callArgs;
    if (!args.empty() && args.size() <= kMaxHostArguments) callArgs.assign(args.begin(), args.end());
    host->Invoke(name, com::CallKind::Method, callArgs);
  });
}

}  // namespace kvctl2
