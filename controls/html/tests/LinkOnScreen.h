// Where an HTML view shows a link, for tests that click it as a user
// would: the centre of the first link to an address, in the client area of
// the top-level window that holds the view.
#pragma once

#include <string>

#include "forms/PictureBox.h"
#include "html/KVXHTML.h"
#include "win/Window.h"

namespace kvctl2::testing {

// False when the view shows no link to `href`.
inline bool LinkCentreIn(const KVXHTML& view, win::HWND topLevel, const std::string& href, win::POINT& point) {
  for (size_t i = 0; i < view.Anchors().size(); ++i) {
    if (view.Element(view.Anchors()[i]).Href != href) continue;
    int x = 0, y = 0;
    if (!view.LinkPoint(static_cast<int>(i), x, y)) return false;
    point = win::POINT{x, y};
    win::ClientToScreen(view.ViewPort()->hWnd(), &point);
    win::ScreenToClient(topLevel, &point);
    return true;
  }
  return false;
}

}  // namespace kvctl2::testing
