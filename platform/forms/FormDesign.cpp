#include "forms/FormDesign.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace forms {

namespace {

[[noreturn]] void Malformed(size_t lineNumber, std::string_view what) {
  rt::Raise(com::errInvalidPropertyValue, "FormDesign",
            "Design data line " + std::to_string(lineNumber) + ": " + std::string(what));
}

// "Begin <class> <name>[(<index>)]"
DesignNode ParseBegin(const std::string& rest, size_t lineNumber) {
  DesignNode node;
  std::string text = rt::Trim(rest);
  size_t blank = text.find(' ');
  if (blank == std::string::npos) Malformed(lineNumber, text);
  node.className = text.substr(0, blank);
  std::string name = rt::Trim(text.substr(blank + 1));
  size_t open = name.find('(');
  if (open != std::string::npos) {
    size_t close = name.find(')', open);
    if (close == std::string::npos) Malformed(lineNumber, name);
    try {
      node.index = rt::Variant(name.substr(open + 1, close - open - 1)).ToInteger();
    } catch (const rt::Error&) {
      Malformed(lineNumber, name);
    }
    name = rt::Trim(name.substr(0, open));
  }
  if (name.empty()) Malformed(lineNumber, text);
  node.name = name;
  return node;
}

bool StartsWithWord(const std::string& line, std::string_view word) {
  return line.size() >= word.size() && rt::StrComp(line.substr(0, word.size()), word, rt::CompareMethod::Text) == 0 &&
         (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

void WriteNode(const DesignNode& node, std::string_view folder, int indent, std::string& out) {
  const std::string pad(static_cast<size_t>(indent), ' ');
  out += pad + "Begin " + node.className + " " + node.name;
  if (node.index >= 0) out += "(" + std::to_string(node.index) + ")";
  out += "\n";
  out += node.properties.ToText(folder, indent + 3);
  for (const auto& child : node.children) WriteNode(child, folder, indent + 3, out);
  out += pad + "End\n";
}

}  // namespace

DesignNode ReadDesignText(std::string_view text, std::string_view folder) {
  std::vector<DesignNode> stack;
  DesignNode root;
  bool haveRoot = false;
  size_t lineNumber = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line = rt::Trim(text.substr(start, end - start));
    while (!line.empty() && (line.back() == '\r' || line.back() == '\t')) line.pop_back();
    while (!line.empty() && line.front() == '\t') line.erase(line.begin());
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line[0] == '\'') continue;
    if (StartsWithWord(line, "Begin")) {
      if (haveRoot && stack.empty()) Malformed(lineNumber, "a second top-level block");
      stack.push_back(ParseBegin(line.substr(5), lineNumber));
      haveRoot = true;
    } else if (rt::StrComp(line, "End", rt::CompareMethod::Text) == 0) {
      if (stack.empty()) Malformed(lineNumber, "End without Begin");
      DesignNode done = std::move(stack.back());
      stack.pop_back();
      if (stack.empty())
        root = std::move(done);
      else
        stack.back().children.push_back(std::move(done));
    } else {
      if (stack.empty()) Malformed(lineNumber, "property outside a block");
      try {
        stack.back().properties.ReadTextLine(line, folder);
      } catch (const rt::Error& e) {
        Malformed(lineNumber, e.Description());
      }
    }
  }
  if (!stack.empty()) Malformed(lineNumber, "missing End");
  if (!haveRoot) Malformed(lineNumber, "no Begin block");
  return root;
}

DesignNode ReadDesignFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) rt::Raise(53, path);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return ReadDesignText(buffer.str(), std::filesystem::path(path).parent_path().string());
}

std::string WriteDesignText(const DesignNode& node, std::string_view folder) {
  std::string out;
  WriteNode(node, folder, 0, out);
  return out;
}

void WriteDesignFile(const DesignNode& node, const std::string& path) {
  std::string text = WriteDesignText(node, std::filesystem::path(path).parent_path().string());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) rt::Raise(75, path);
  out << text;
  if (!out) rt::Raise(75, path);
}

}  // namespace forms
