#include "LitehtmlHost.h"

#include <cstring>

namespace qvbench {

litehtml::uint_ptr LitehtmlHost::create_font(const litehtml::tchar_t*, int size, int, litehtml::font_style,
                                             unsigned int, litehtml::font_metrics* fm) {
  if (fm) {
    fm->height = size;
    fm->ascent = size - size / 4;
    fm->descent = size / 4;
    fm->x_height = size / 2;
    fm->draw_spaces = false;
  }
  return static_cast<litehtml::uint_ptr>(size);
}

int LitehtmlHost::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) {
  return static_cast<int>(std::strlen(text)) * static_cast<int>((font + 1) / 2);
}

void LitehtmlHost::get_client_rect(litehtml::position& client) const {
  client.x = 0;
  client.y = 0;
  client.width = m_width;
  client.height = 400;
}

void LitehtmlHost::get_media_features(litehtml::media_features& media) const {
  media.type = litehtml::media_type_screen;
  media.width = media.device_width = m_width;
  media.height = media.device_height = 400;
  media.color = 8;
  media.resolution = 96;
}

void LitehtmlHost::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
  language = "en";
  culture.clear();
}

const char* LitehtmlHost::MasterStyleSheet() {
  return R"(
html, body, p, div, ul, ol, li, table, blockquote, h1, h2, h3, h4, h5, h6, center, hr { display: block; }
head, title, script, style { display: none; }
body { margin: 4px; }
p { margin-top: 1em; margin-bottom: 1em; }
ul, ol { padding-left: 28px; margin-top: 1em; margin-bottom: 1em; }
ul { list-style-type: disc; }
ol { list-style-type: decimal; }
li { display: list-item; }
table { display: table; border-spacing: 2px; }
tr { display: table-row; }
td, th { display: table-cell; padding: 1px; vertical-align: top; }
b, strong, th { font-weight: bold; }
i, em { font-style: italic; }
a { color: #0000FF; text-decoration: underline; }
u { text-decoration: underline; }
center { text-align: center; }
h1 { font-size: 2em; font-weight: bold; }
)";
}

}  // namespace qvbench
