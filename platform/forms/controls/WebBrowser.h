// The embedded web browser: shows a document fetched from an address (a
// local file, "file://" address, "about:blank", or a web address with or
// without "http://") by handing its source to a page view control, a
// control of the program's own that lays HTML out. The page view is
// created by its class name (the property PageView, kept in the design
// data) and gets the source through its "Text" property; its
// "HyperlinkClick" event (ID, address) makes the browser follow the link.
//
// Navigate only asks: the navigation runs from a posted message, as a
// browser works, and raises in order BeforeNavigate2 (pDisp, URL, Flags,
// TargetFrameName, PostData, Headers, Cancel: a handler that sets Cancel
// stops it), then, with the document shown, CommandStateChange (Command,
// Enable), NavigateComplete2 (pDisp, URL) and DownloadComplete. A later
// Navigate supersedes one that has not started yet. An address that cannot
// be reached, a missing file and an answer with a status of 400 or more
// show the browser's own error document instead.
//
// The document's window has the platform's page class
// (kWebBrowserPageClass): mouse input over the document reaches that
// window first, which hands it on to the page view's window under the
// pointer, so a hook looking for the page class sees every click.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "com/UserControl.h"

namespace forms {

inline constexpr const char* kWebBrowserPageClass = "Internet Explorer_Server";

// Commands of CommandStateChange.
inline constexpr int32_t CSC_UPDATECOMMANDS = -1;
inline constexpr int32_t CSC_NAVIGATEFORWARD = 1;
inline constexpr int32_t CSC_NAVIGATEBACK = 2;

class WebBrowser : public com::UserControl {
 public:
  WebBrowser();
  ~WebBrowser() override;
  std::string ClassName() const override { return "WebBrowser"; }

  // The class name of the page view control.
  const std::string& PageView() const { return m_pageViewClass; }
  void SetPageView(std::string progId);

  void Navigate(const std::string& url);
  // The address of the document shown ("" before the first navigation).
  const std::string& LocationURL() const { return m_location; }
  // The document's source: the outer HTML of its root element.
  const std::string& DocumentHTML() const { return m_document; }
  // Sets an attribute of the document's BODY element; false (and nothing
  // changed) for a document without one.
  bool SetBodyAttribute(const std::string& name, const std::string& value);
  // True from Navigate until its navigation has raised its events.
  bool Busy() const { return m_pending; }
  // The page view control; null before the browser is sited.
  const com::ControlPtr& View() const { return m_view; }

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  std::string WindowClass() const override;
  void Resize() override;
  void OnSited() override;

 private:
  void CreateView();
  void RunNavigation();
  void ShowDocument(const std::string& html);
  bool ForwardMouse(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result);

  std::string m_pageViewClass;
  com::ControlPtr m_view;
  std::string m_requested;
  std::string m_location;
  std::string m_document;
  bool m_pending = false;
};

// Resolves a link against the address of the document that holds it.
std::string ResolveWebAddress(const std::string& base, const std::string& link);

}  // namespace forms
