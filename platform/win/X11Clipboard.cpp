// The clipboard as the CLIPBOARD selection: a window of the backend owns
// it while the program's text is on it and answers other programs'
// requests (TARGETS, UTF8_STRING, TEXT, STRING); reading asks the owner
// for UTF-8 text, else Latin-1 text.
#include <X11/Xatom.h>

#include "runtime/Clock.h"
#include "win/X11Display.h"

namespace win::detail {

namespace {

// How long another program may take to hand over its text.
constexpr int kConversionTimeoutMs = 2000;

std::string Latin1ToUtf8(const std::string& latin1) {
  std::string out;
  for (char c : latin1) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string Utf8ToLatin1(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (length == 2 && i + 1 < utf8.size() && b <= 0xC3) {
      out += static_cast<char>(((b & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
    } else {
      out += length == 1 ? static_cast<char>(b) : '?';
    }
    i += length;
  }
  return out;
}

}  // namespace

void X11Backend::SetClipboardText(std::optional<std::string> text) {
  m_clipboard = std::move(text);
  if (m_lost) return;
  if (m_clipboard) {
    XSetSelectionOwner(m_display, m_atoms.clipboard, m_clipboardWindow, m_lastEventTime);
  } else if (XGetSelectionOwner(m_display, m_atoms.clipboard) == m_clipboardWindow) {
    XSetSelectionOwner(m_display, m_atoms.clipboard, None, m_lastEventTime);
  }
  XFlush(m_display);
}

std::optional<std::string> X11Backend::ClipboardText() {
  if (m_lost) return m_clipboard;
  const Window owner = XGetSelectionOwner(m_display, m_atoms.clipboard);
  if (owner == None) return std::nullopt;
  if (owner == m_clipboardWindow) return m_clipboard;
  for (Atom target : {m_atoms.utf8String, static_cast<Atom>(XA_STRING)}) {
    XDeleteProperty(m_display, m_clipboardWindow, m_atoms.clipboardProperty);
    XConvertSelection(m_display, m_atoms.clipboard, target, m_atoms.clipboardProperty, m_clipboardWindow, CurrentTime);
    XFlush(m_display);
    XEvent event;
    bool answered = false;
    const int64_t start = rt::SystemClock().TickMs();
    while (!(answered = XCheckTypedWindowEvent(m_display, m_clipboardWindow, SelectionNotify, &event))) {
      const int64_t left = kConversionTimeoutMs - (rt::SystemClock().TickMs() - start);
      if (left <= 0 || !WaitReadable(static_cast<int>(left))) break;
      XEventsQueued(m_display, QueuedAfterReading);
    }
    if (!answered) return std::nullopt;
    if (event.xselection.property == None) continue;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<std::string> text;
    if (XGetWindowProperty(m_display, m_clipboardWindow, m_atoms.clipboardProperty, 0, 0x1000000, True, AnyPropertyType,
                           &type, &format, &count, &after, &data) == Success &&
        format == 8 && (type == m_atoms.utf8String || type == XA_STRING)) {
      std::string bytes(reinterpret_cast<const char*>(data), count);
      text = type == XA_STRING ? Latin1ToUtf8(bytes) : bytes;
    }
    if (data) XFree(data);
    return text;
  }
  return std::nullopt;
}

XEvent SelectionRefusal(const XSelectionRequestEvent& request) {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = None;
  return reply;
}

void X11Backend::HandleSelectionRequest(const XSelectionRequestEvent& request) {
  XEvent reply = SelectionRefusal(request);
  const Atom property = request.property == None ? request.target : request.property;
  if (request.selection == m_atoms.clipboard && m_clipboard) {
    if (request.target == m_atoms.targets) {
      const Atom targets[] = {m_atoms.targets, m_atoms.utf8String, m_atoms.text, XA_STRING};
      XChangeProperty(m_display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(targets), 4);
      reply.xselection.property = property;
    } else if (request.target == m_atoms.utf8String || request.target == m_atoms.text) {
      XChangeProperty(m_display, request.requestor, property, m_atoms.utf8String, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(m_clipboard->data()),
                      static_cast<int>(m_clipboard->size()));
      reply.xselection.property = property;
    } else if (request.target == XA_STRING) {
      const std::string latin1 = Utf8ToLatin1(*m_clipboard);
      XChangeProperty(m_display, request.requestor, property, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
      reply.xselection.property = property;
    }
  }
  XSendEvent(m_display, request.requestor, False, 0, &reply);
  XFlush(m_display);
}

}  // namespace win::detail
