#include "msgbox/Msg.h"

#include "com/ControlFactory.h"
#include "com/Dispatch.h"

namespace kvctl2 {
namespace {

com::ControlRegistration<Msg> registration{"Kvctl2.msg", "Kvctl2.Msg"};

constexpr int32_t kControlSize = 480;

// The property bag default of a property: its Init value, True for
// GrayScale, Nothing for pictures. Numbers go in as 16-bit defaults.
rt::Variant BagDefault(const MsgPropertyDef& def) {
  switch (def.kind) {
    case MsgPropertyKind::String: return rt::Variant(std::string(def.initText));
    case MsgPropertyKind::Long: return rt::Variant(static_cast<int16_t>(def.initNumber));
    case MsgPropertyKind::Boolean: return rt::Variant(true);
    case MsgPropertyKind::Picture: return com::Nothing();
  }
  return {};
}

}  // namespace

Msg::Msg() {
  Initialise();
  DefineMembers();
}

void Msg::Initialise() { InitialiseMsgProperties(m_props); }

rt::Variant Msg::GetMember(const MsgPropertyDef& def) const {
  switch (def.kind) {
    case MsgPropertyKind::String: return rt::Variant(m_props.*def.text);
    case MsgPropertyKind::Long: return rt::Variant(m_props.*def.number);
    case MsgPropertyKind::Boolean: return rt::Variant(m_props.GrayScale);
    case MsgPropertyKind::Picture: return com::ToVariant(m_props.pictures[static_cast<size_t>(def.slot)]);
  }
  return {};
}

void Msg::LetMember(const MsgPropertyDef& def, const rt::Variant& value) {
  switch (def.kind) {
    case MsgPropertyKind::String: m_props.*def.text = value.ToString(); break;
    case MsgPropertyKind::Long: m_props.*def.number = value.ToLong(); break;
    case MsgPropertyKind::Boolean: m_props.GrayScale = value.ToBool(); break;
    case MsgPropertyKind::Picture: {
      auto picture = com::AsObject<com::StdPicture>(value);
      if (!picture && !com::IsNothing(value)) rt::Raise(rt::errTypeMismatch, "msg");
      m_props.pictures[static_cast<size_t>(def.slot)] = picture;
      break;
    }
  }
}

void Msg::DefineMembers() {
  for (const auto& def : MsgPropertyTable()) {
    const MsgPropertyDef* d = &def;
    auto get = [this, d](com::Args&) { return GetMember(*d); };
    auto let = [this, d](com::Args& args) {
      LetMember(*d, com::RequiredArg(args, args.empty() ? 0 : args.size() - 1));
      PropertyChanged(d->name);
      return rt::Variant();
    };
    if (def.kind == MsgPropertyKind::Picture) {
      DefineObjectProperty(def.name, get, let);
    } else {
      DefineProperty(def.name, get, let);
    }
  }
  // Write-only, without change notification.
  DefineProperty("TempButtonsWidth", com::Dispatch::Procedure{}, [this](com::Args& args) {
    m_props.TempButtonsWidth = com::RequiredArg(args, args.empty() ? 0 : args.size() - 1).ToLong();
    return rt::Variant();
  });
  for (size_t i = 0; i < m_props.TempButtonsText.size(); ++i) {
    DefineProperty("TempButtonsText" + std::to_string(i + 1), com::Dispatch::Procedure{}, [this, i](com::Args& args) {
      m_props.TempButtonsText[i] = com::RequiredArg(args, args.empty() ? 0 : args.size() - 1).ToString();
      return rt::Variant();
    });
  }
  DefineProperty(
      "DisplayAgain", [this] { return rt::Variant(DisplayAgain); },
      [this](const rt::Variant& v) { DisplayAgain = v.ToBool(); });
  DefineMethod("Initialise", [this](com::Args&) {
    Initialise();
    return rt::Variant();
  });
  // Hosts call it late-bound by name or by its dispatch id.
  DefineMethod(
      "MsgBoxEx", [this](com::Args& args) { return rt::Variant(MsgBoxExByName(args)); }, 0x60030085);
  auto flag = [](const com::Args& args, size_t i) {
    const rt::Variant& v = com::OptionalArg(args, i);
    return v.IsEmpty() ? true : v.ToBool();
  };
  DefineMethod("LoadProperties", [this, flag](com::Args& args) {
    LoadProperties(com::RequiredArg(args, 0).ToString(), flag(args, 1), flag(args, 2), flag(args, 3), flag(args, 4),
                   flag(args, 5));
    return rt::Variant();
  });
  DefineMethod("SaveProperties", [this, flag](com::Args& args) {
    return rt::Variant(SaveProperties(com::RequiredArg(args, 0).ToString(), flag(args, 1), flag(args, 2),
                                      flag(args, 3), flag(args, 4), flag(args, 5)));
  });
}

int32_t Msg::MsgBoxExByName(com::Args& args) {
  auto text = [&](size_t i, const char* def) {
    const rt::Variant& v = com::OptionalArg(args, i);
    return v.IsEmpty() ? std::string(def) : v.ToString();
  };
  auto number = [&](size_t i) { return com::OptionalArg(args, i).ToLong(); };
  auto truth = [&](size_t i) { return com::OptionalArg(args, i).ToBool(); };
  const rt::Variant& icon = com::OptionalArg(args, 8);
  com::StdPicturePtr picture = icon.IsEmpty() ? nullptr : com::AsObject<com::StdPicture>(icon);
  return MsgBoxEx(com::RequiredArg(args, 0).ToString(), number(1), text(2, kAppTitleDefault), text(3, ""), number(4),
                  number(5), text(6, ""), truth(7), picture, truth(9));
}

void Msg::InitProperties() {
  Initialise();
  m_props.pictures[kSlotDelete] = com::StdPicture::CreateEmpty();
}

void Msg::ReadProperties(const com::PropertyBag& bag) {
  for (const auto& def : MsgPropertyTable()) LetMember(def, bag.ReadProperty(def.name, BagDefault(def)));
  m_props.TempButtonsWidth = m_props.ButtonsWidth;
}

void Msg::WriteProperties(com::PropertyBag& bag) {
  for (const auto& def : MsgPropertyTable()) bag.WriteProperty(def.name, GetMember(def), BagDefault(def));
}

void Msg::Resize() {
  if (Width() != kControlSize || Height() != kControlSize) Extender().Move(Left(), Top(), kControlSize, kControlSize);
}

void Msg::Draw(gdi::HDC hdc, int x, int y) {
  // The control has no face of its own while the program runs.
  if (!Ambient().UserMode) UserControl::Draw(hdc, x, y);
}

}  // namespace kvctl2
