#include "BenchDocuments.h"

#include <array>

namespace qvbench {

namespace {

const std::array<const char*, 12> kWords = {"memo",     "database", "user",   "group", "archive", "server",
                                            "settings", "update",   "client", "login", "report",  "folder"};

std::string Sentence(size_t n, size_t words) {
  std::string s;
  for (size_t i = 0; i < words; ++i) {
    const std::string word = kWords[(n * 7 + i * 5) % kWords.size()];
    if (i > 0) s += ' ';
    if (i % 9 == 4)
      s += "<b>" + word + "</b>";
    else if (i % 11 == 7)
      s += "<i>" + word + "</i>";
    else if (i % 13 == 10)
      s += "<a href=\"http://example.org/" + word + "\">" + word + "</a>";
    else
      s += word;
  }
  return s + ".";
}

// The n-th block of the document: a paragraph, a list or a table.
std::string Block(size_t n) {
  switch (n % 4) {
    case 0:
    case 2:
      return "<p>" + Sentence(n, 24) + " " + Sentence(n + 1, 18) + "</p>\n";
    case 1:
      return "<ul><li>" + Sentence(n, 6) + "</li><li>" + Sentence(n + 2, 8) + "<ol><li>" + Sentence(n + 3, 5) +
             "</li><li>" + Sentence(n + 4, 4) + "</li></ol></li><li>" + Sentence(n + 5, 7) + "</li></ul>\n";
    default:
      return "<table border=1 cellpadding=2 width=90%><tr><td>" + Sentence(n, 5) + "</td><td>" + Sentence(n + 1, 7) +
             "</td></tr><tr><td>" + Sentence(n + 2, 4) + "</td><td><table border=1 width=100%><tr><td>" +
             Sentence(n + 3, 3) + "</td><td>" + Sentence(n + 4, 3) + "</td></tr></table></td></tr></table>\n";
  }
}

}  // namespace

std::string GeneratedDocument(size_t bytes) {
  std::string doc;
  for (size_t n = 0;; ++n) {
    const std::string block = Block(n);
    if (doc.size() + block.size() > bytes) break;
    doc += block;
  }
  return doc;
}

}  // namespace qvbench
