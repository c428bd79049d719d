#include "win/WindowState.h"

#include <algorithm>
#include <cctype>

#include "win/Window.h"

namespace win::detail {

State& GetState() {
  static State state;
  return state;
}

WindowData* Find(HWND hWnd) {
  auto& windows = GetState().windows;
  auto it = windows.find(ToInt(hWnd));
  return it == windows.end() ? nullptr : it->second.get();
}

bool NamesEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string LowerName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::vector<HWND>& SiblingList(const WindowData& w) {
  if (WindowData* parent = Find(w.parent); parent && (w.style & WS_CHILD) != 0) return parent->children;
  return GetState().topLevel;
}

void ForgetWindow(HWND hWnd) {
  State& s = GetState();
  std::erase_if(s.queue, [hWnd](const PostedMessage& p) { return p.msg.hwnd == hWnd; });
  std::erase_if(s.timers, [hWnd](const TimerData& t) { return t.hwnd == hWnd; });
  if (s.focus == hWnd) s.focus = kNoWindow;
  if (s.capture == hWnd) s.capture = kNoWindow;
}

void Post(const MSG& msg) {
  State& s = GetState();
  s.queue.push_back(PostedMessage{msg, ++s.lastPostSerial});
}

}  // namespace win::detail
