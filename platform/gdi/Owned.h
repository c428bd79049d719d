// Owners of drawing handles: each deletes its handle when it goes out of
// scope (DeleteObject, DeleteDC or DestroyIcon). Move-only.
#pragma once

#include <utility>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Types.h"

namespace gdi {

template <class H>
struct HandleDeleter {
  void operator()(H h) const noexcept { DeleteObject(HGDIOBJ(h)); }
};
template <>
struct HandleDeleter<HDC> {
  void operator()(HDC h) const noexcept { DeleteDC(h); }
};
template <>
struct HandleDeleter<HICON> {
  void operator()(HICON h) const noexcept { DestroyIcon(h); }
};

template <class H>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H h) noexcept : m_handle(h) {}
  ~Owned() { Reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : m_handle(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  H Get() const noexcept { return m_handle; }
  explicit operator bool() const noexcept { return !IsNull(m_handle); }
  H Release() noexcept { return std::exchange(m_handle, H{}); }
  void Reset(H h = H{}) noexcept {
    H old = std::exchange(m_handle, h);
    if (!IsNull(old)) HandleDeleter<H>{}(old);
  }

 private:
  H m_handle{};
};

using OwnedDC = Owned<HDC>;
using OwnedPen = Owned<HPEN>;
using OwnedBrush = Owned<HBRUSH>;
using OwnedFont = Owned<HFONT>;
using OwnedBitmap = Owned<HBITMAP>;
using OwnedIcon = Owned<HICON>;
using OwnedRgn = Owned<HRGN>;

// Selects an object into a DC for a scope and puts the previous one back.
template <class H>
class ScopedSelect {
 public:
  ScopedSelect(HDC hdc, H object) : m_hdc(hdc), m_previous(SelectObject(hdc, object)) {}
  ~ScopedSelect() {
    if (!IsNull(m_previous)) SelectObject(m_hdc, m_previous);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC m_hdc;
  H m_previous;
};

}  // namespace gdi
