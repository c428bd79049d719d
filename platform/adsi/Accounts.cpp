#include "adsi/Accounts.h"

#include <grp.h>
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace adsi {

namespace {

AccountEntry FromPasswd(const passwd& pw) {
  return AccountEntry{pw.pw_name ? pw.pw_name : "", pw.pw_gecos ? pw.pw_gecos : "", pw.pw_dir ? pw.pw_dir : "",
                      pw.pw_shell ? pw.pw_shell : "", pw.pw_uid, pw.pw_gid};
}

std::string FullHostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return "";
  return name;
}

}  // namespace

std::optional<AccountEntry> FindAccount(const std::string& name) {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd pw{};
  passwd* found = nullptr;
  while (getpwnam_r(name.c_str(), &pw, buffer.data(), buffer.size(), &found) == ERANGE) buffer.resize(buffer.size() * 2);
  if (!found) return std::nullopt;
  return FromPasswd(pw);
}

std::vector<AccountEntry> AllAccounts() {
  std::vector<AccountEntry> out;
  setpwent();
  while (const passwd* pw = getpwent()) out.push_back(FromPasswd(*pw));
  endpwent();
  return out;
}

std::vector<std::string> GroupNamesOf(const AccountEntry& account) {
  int count = 32;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  while (getgrouplist(account.name.c_str(), account.gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<size_t>(count) + 1);
  }
  groups.resize(static_cast<size_t>(count));
  std::vector<std::string> names;
  for (gid_t gid : groups) {
    if (const group* g = getgrgid(gid)) names.emplace_back(g->gr_name);
  }
  return names;
}

std::string ProcessUserName() {
  if (auto pw = getpwuid(geteuid())) return pw->pw_name;
  return "";
}

std::string HostName() {
  std::string name = FullHostName();
  return name.substr(0, name.find('.'));
}

std::string HostDomain() {
  std::string name = FullHostName();
  size_t dot = name.find('.');
  if (dot != std::string::npos) return name.substr(dot + 1);
  // A short host name: the domain of its canonical name, when the resolver
  // knows one.
  addrinfo hints{};
  hints.ai_flags = AI_CANONNAME;
  hints.ai_family = AF_UNSPEC;
  addrinfo* info = nullptr;
  if (name.empty() || getaddrinfo(name.c_str(), nullptr, &hints, &info) != 0 || !info) return "";
  std::unique_ptr<addrinfo, void (*)(addrinfo*)> owner(info, freeaddrinfo);
  std::string canonical = info->ai_canonname ? info->ai_canonname : "";
  dot = canonical.find('.');
  return dot == std::string::npos ? "" : canonical.substr(dot + 1);
}

}  // namespace adsi
