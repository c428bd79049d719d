#include "ado/ConnectionProperties.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

#include "runtime/Strings.h"

namespace ado {

namespace {

std::string Lower(std::string_view s) { return rt::LCase(s); }

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return std::string(s.substr(b, e - b));
}

std::string OsUserName() {
  if (const passwd* pw = getpwuid(geteuid())) return pw->pw_name;
  const char* user = std::getenv("USER");
  return user ? user : "";
}

bool NamesThisMachine(const std::string& host) {
  std::string h = Lower(host);
  if (h.empty() || h == "." || h == "(local)" || h == "localhost" || h == "127.0.0.1") return true;
  char name[256] = {};
  return gethostname(name, sizeof name - 1) == 0 && Lower(name) == h;
}

}  // namespace

std::string ConnectionProperties::Key(std::string_view name) { return Lower(Trim(name)); }

std::string ConnectionProperties::Get(std::string_view name) const {
  auto it = m_values.find(Key(name));
  return it == m_values.end() ? std::string() : it->second.second;
}

bool ConnectionProperties::Has(std::string_view name) const { return m_values.count(Key(name)) != 0; }

void ConnectionProperties::Set(std::string_view name, std::string value) {
  m_values[Key(name)] = {Trim(name), std::move(value)};
}

void ConnectionProperties::Remove(std::string_view name) { m_values.erase(Key(name)); }

void ConnectionProperties::MergeConnectionString(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    size_t eq = text.find('=', i);
    if (eq == std::string_view::npos) break;
    std::string name = Trim(text.substr(i, eq - i));
    size_t v = eq + 1;
    while (v < text.size() && text[v] == ' ') ++v;
    std::string value;
    if (v < text.size() && (text[v] == '"' || text[v] == '\'')) {
      char q = text[v];
      size_t close = text.find(q, v + 1);
      if (close == std::string_view::npos) close = text.size();
      value = std::string(text.substr(v + 1, close - v - 1));
      size_t semi = text.find(';', close);
      i = semi == std::string_view::npos ? text.size() : semi + 1;
    } else {
      size_t semi = text.find(';', v);
      if (semi == std::string_view::npos) semi = text.size();
      value = Trim(text.substr(v, semi - v));
      i = semi + 1;
    }
    // Leading ";" and blanks before a name are skipped with the name.
    while (!name.empty() && name.front() == ';') name.erase(0, 1);
    if (!name.empty()) Set(name, value);
  }
}

std::string ConnectionProperties::ToConnectionString(bool withPassword) const {
  std::string out;
  for (const auto& [key, entry] : m_values) {
    if (!withPassword && key == "password") continue;
    if (!out.empty()) out += ';';
    const std::string& value = entry.second;
    bool quote = value.find(';') != std::string::npos;
    out += entry.first + '=' + (quote ? '"' + value + '"' : value);
  }
  return out;
}

ConnectParams ConnectionProperties::ToConnectParams(int32_t timeoutSeconds) const {
  ConnectParams p;
  p.timeoutSeconds = timeoutSeconds;
  std::string source = Trim(Get("Data Source"));
  size_t comma = source.rfind(',');
  if (comma != std::string::npos) {
    p.port = Trim(source.substr(comma + 1));
    source = Trim(source.substr(0, comma));
  }
  if (!source.empty() && source.front() != '/') {
    size_t backslash = source.find('\\');
    if (backslash != std::string::npos) source.erase(backslash);
  }
  std::string integrated = Lower(Trim(Get("Integrated Security")));
  bool sspi = integrated == "sspi" || integrated == "true" || integrated == "yes";
  if (sspi) {
    p.user = OsUserName();
    if (!source.empty() && source.front() == '/') {
      p.host = source;
    } else if (NamesThisMachine(source)) {
      const char* pgHost = std::getenv("PGHOST");
      p.host = pgHost && pgHost[0] == '/' ? pgHost : "";
    } else {
      p.host = source;
    }
  } else {
    p.host = source;
    p.user = Get("User ID");
    p.password = Get("Password");
  }
  std::string catalog = Trim(Get("Initial Catalog"));
  p.dbname = ServerDatabaseName(catalog.empty() ? "master" : catalog);
  return p;
}

std::string ServerDatabaseName(const std::string& name) {
  return Lower(name) == "master" ? "postgres" : name;
}

}  // namespace ado
