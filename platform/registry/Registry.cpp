#include "registry/Registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <optional>

#include "registry/KeyTree.h"
#include "registry/RootFile.h"
#include "registry/StoreProblems.h"
#include "runtime/Strings.h"

namespace reg {

namespace {

using detail::Key;
using detail::Path;
using detail::RootFile;

constexpr uint32_t kRootBase = 0x80000000u;
constexpr uint32_t kRootCount = 7;

// What an open handle stands for: a root, the path below it, the access
// it was opened with.
struct OpenKey {
  uint32_t root = 0;
  Path path;
  REGSAM access = 0;
};

struct HandleTable {
  std::mutex mutex;  // one registry call at a time in this process
  std::map<uint32_t, OpenKey> handles;
  uint32_t next = 1;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

std::optional<OpenKey> Resolve(HKEY key) {
  auto value = static_cast<uint32_t>(key);
  if (value >= kRootBase && value < kRootBase + kRootCount) return OpenKey{value - kRootBase, {}, KEY_ALL_ACCESS};
  auto it = Table().handles.find(value);
  if (it == Table().handles.end()) return std::nullopt;
  return it->second;
}

HKEY NewHandle(OpenKey key) {
  uint32_t value = Table().next++;
  Table().handles.emplace(value, std::move(key));
  return HKEY{value};
}

Path Join(const Path& base, const char* subKey) {
  Path full = base;
  if (subKey) {
    for (auto& part : detail::SplitPath(subKey)) full.push_back(std::move(part));
  }
  return full;
}

std::string_view NameOf(const char* name) { return name ? std::string_view(name) : std::string_view(); }

// Runs one call under the process lock; what it throws becomes an error code.
template <class F>
LSTATUS Guarded(F&& call) noexcept {
  try {
    std::lock_guard lock(Table().mutex);
    return call();
  } catch (const std::bad_alloc&) {
    return ERROR_OUTOFMEMORY;
  } catch (...) {
    return ERROR_GEN_FAILURE;
  }
}

// A change a call asks of the store, named in the report when it cannot be
// saved: the key below the handle's, and the value (null: the key itself).
struct Change {
  const char* subKey = nullptr;
  const char* valueName = nullptr;
};

constexpr size_t kLongestNamedPath = 300;

// Failures of the store itself, as opposed to answers about keys and values.
bool IsStoreFailure(LSTATUS rc) {
  return rc == ERROR_CANTOPEN || rc == ERROR_CANTREAD || rc == ERROR_CANTWRITE || rc == ERROR_BADKEY;
}

void ReportUnsaved(const RootFile& file, const OpenKey& open, const Change& change, LSTATUS rc) {
  std::string where = detail::RootName(open.root);
  for (const auto& name : Join(open.path, change.subKey)) where += "\\" + name;
  // A path refused for its length is named by its ends.
  if (rt::Len(where) > kLongestNamedPath)
    where = rt::Left(where, kLongestNamedPath / 2) + "..." + rt::Right(where, kLongestNamedPath / 4);
  const std::string key = where;
  if (change.valueName) {
    where += *change.valueName ? std::string(" value \"") + change.valueName + "\"" : " default value";
  }
  const std::string why = rc == ERROR_BADKEY ? "the key lies beyond the limits of 255 characters a name and 512 levels"
                                             : "settings file " + file.FilePath() + ": " + file.Why();
  StoreProblem problem{StoreProblem::Kind::NotSaved, file.FilePath(), "", where + " (" + why + ")"};
  problem.failure = rc == ERROR_BADKEY ? StoreFailure{StoreFailure::Step::KeyLimits, 0} : file.Failure();
  problem.key = key;
  if (change.valueName) problem.value = std::string(change.valueName);
  detail::RecordProblem(std::move(problem));
}

// Runs `call(file, key, openKey)` on the key a handle stands for, with its
// root's file loaded and locked. `need` is the access the call requires; a
// call that changes the store names its change, so that a failure to save
// it is reported.
template <class F>
LSTATUS OnKey(HKEY handle, REGSAM need, const Change* change, F&& call) noexcept {
  return Guarded([&]() -> LSTATUS {
    auto open = Resolve(handle);
    if (!open) return ERROR_INVALID_HANDLE;
    if ((open->access & need) != need) return ERROR_ACCESS_DENIED;
    RootFile file(open->root);
    LSTATUS rc = file.Status();
    if (rc == ERROR_SUCCESS) {
      Key* key = detail::FindKey(file.Tree(), open->path);
      rc = key ? call(file, *key, *open) : ERROR_KEY_DELETED;
    }
    if (change && IsStoreFailure(rc)) ReportUnsaved(file, *open, *change, rc);
    return rc;
  });
}

LSTATUS CopyName(const std::string& name, char* buffer, DWORD* cch) {
  if (!buffer || !cch) return ERROR_INVALID_PARAMETER;
  if (name.size() + 1 > *cch) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.data(), name.size());
  buffer[name.size()] = '\0';
  *cch = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

LSTATUS CopyData(const std::string& data, BYTE* buffer, DWORD* cbData) {
  auto size = static_cast<DWORD>(data.size());
  if (!buffer) {
    if (cbData) *cbData = size;
    return ERROR_SUCCESS;
  }
  if (!cbData) return ERROR_INVALID_PARAMETER;
  if (*cbData < size) {
    *cbData = size;
    return ERROR_MORE_DATA;
  }
  if (size > 0) std::memcpy(buffer, data.data(), size);
  *cbData = size;
  return ERROR_SUCCESS;
}

void Put(DWORD* out, size_t value) {
  if (out) *out = static_cast<DWORD>(value);
}

}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM samDesired, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = HKEY{};
  return OnKey(key, 0, nullptr, [&](RootFile& file, Key&, const OpenKey& open) -> LSTATUS {
    Path full = Join(open.path, subKey);
    if (!detail::WithinLimits(full)) return ERROR_BADKEY;
    if (!detail::FindKey(file.Tree(), full)) return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(OpenKey{open.root, std::move(full), samDesired});
    return ERROR_SUCCESS;
  });
}

LSTATUS RegCreateKeyExA(HKEY key, const char* subKey, DWORD, const char*, DWORD, REGSAM samDesired, const void*,
                        HKEY* result, DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = HKEY{};
  const Change change{subKey, nullptr};
  return OnKey(key, 0, &change, [&](RootFile& file, Key&, const OpenKey& open) -> LSTATUS {
    Path full = Join(open.path, subKey);
    if (!detail::WithinLimits(full)) return ERROR_BADKEY;
    bool created = false;
    detail::CreateKey(file.Tree(), full, &created);
    if (created) {
      if (LSTATUS rc = file.Save(); rc != ERROR_SUCCESS) return rc;
    }
    Put(disposition, created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY);
    *result = NewHandle(OpenKey{open.root, std::move(full), samDesired});
    return ERROR_SUCCESS;
  });
}

LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* cbData) {
  return OnKey(key, KEY_QUERY_VALUE, nullptr, [&](RootFile&, Key& k, const OpenKey&) -> LSTATUS {
    const detail::Value* value = k.FindValue(NameOf(valueName));
    if (!value) return ERROR_FILE_NOT_FOUND;
    Put(type, value->type);
    return CopyData(value->data, data, cbData);
  });
}

LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD cbData) {
  if (!data && cbData > 0) return ERROR_INVALID_PARAMETER;
  const Change change{nullptr, valueName ? valueName : ""};
  return OnKey(key, KEY_SET_VALUE, &change, [&](RootFile& file, Key& k, const OpenKey&) -> LSTATUS {
    std::string bytes = cbData > 0 ? std::string(reinterpret_cast<const char*>(data), cbData) : std::string();
    k.SetValue(NameOf(valueName), type, std::move(bytes));
    return file.Save();
  });
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* cchName, DWORD*, char* className, DWORD* cchClass,
                      FILETIME* lastWriteTime) {
  return OnKey(key, KEY_ENUMERATE_SUB_KEYS, nullptr, [&](RootFile&, Key& k, const OpenKey&) -> LSTATUS {
    if (index >= k.subkeys.size()) return ERROR_NO_MORE_ITEMS;
    if (LSTATUS rc = CopyName(k.subkeys[index]->name, name, cchName); rc != ERROR_SUCCESS) return rc;
    if (className && cchClass && *cchClass > 0) className[0] = '\0';
    Put(cchClass, 0);
    if (lastWriteTime) *lastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
  });
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, char* valueName, DWORD* cchValueName, DWORD*, DWORD* type, BYTE* data,
                      DWORD* cbData) {
  return OnKey(key, KEY_QUERY_VALUE, nullptr, [&](RootFile&, Key& k, const OpenKey&) -> LSTATUS {
    if (index >= k.values.size()) return ERROR_NO_MORE_ITEMS;
    const detail::Value& value = k.values[index];
    if (LSTATUS rc = CopyName(value.name, valueName, cchValueName); rc != ERROR_SUCCESS) return rc;
    Put(type, value.type);
    return CopyData(value.data, data, cbData);
  });
}

LSTATUS RegQueryInfoKeyA(HKEY key, char* className, DWORD* cchClass, DWORD*, DWORD* subKeys, DWORD* maxSubKeyLen,
                         DWORD* maxClassLen, DWORD* values, DWORD* maxValueNameLen, DWORD* maxValueLen,
                         DWORD* securityDescriptor, FILETIME* lastWriteTime) {
  return OnKey(key, KEY_QUERY_VALUE, nullptr, [&](RootFile&, Key& k, const OpenKey&) -> LSTATUS {
    size_t longestKey = 0;
    for (const auto& sub : k.subkeys) longestKey = std::max(longestKey, sub->name.size());
    size_t longestName = 0;
    size_t longestData = 0;
    for (const auto& v : k.values) {
      longestName = std::max(longestName, v.name.size());
      longestData = std::max(longestData, v.data.size());
    }
    if (className && cchClass && *cchClass > 0) className[0] = '\0';
    Put(cchClass, 0);
    Put(subKeys, k.subkeys.size());
    Put(maxSubKeyLen, longestKey);
    Put(maxClassLen, 0);
    Put(values, k.values.size());
    Put(maxValueNameLen, longestName);
    Put(maxValueLen, longestData);
    Put(securityDescriptor, 0);
    if (lastWriteTime) *lastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
  });
}

namespace {

// Removes the key at `full` from its parent; `leafOnly` keeps a key that
// still has subkeys.
LSTATUS RemoveKey(RootFile& file, const Path& full, bool leafOnly) {
  if (full.empty()) return ERROR_ACCESS_DENIED;  // a root stays
  Key* target = detail::FindKey(file.Tree(), full);
  if (!target) return ERROR_FILE_NOT_FOUND;
  if (leafOnly && !target->subkeys.empty()) return ERROR_ACCESS_DENIED;
  Path parentPath(full.begin(), full.end() - 1);
  detail::FindKey(file.Tree(), parentPath)->RemoveSubkey(full.back());
  return file.Save();
}

}  // namespace

LSTATUS RegDeleteKeyA(HKEY key, const char* subKey) {
  if (!subKey) return ERROR_INVALID_PARAMETER;
  const Change change{subKey, nullptr};
  return OnKey(key, 0, &change, [&](RootFile& file, Key&, const OpenKey& open) -> LSTATUS {
    return RemoveKey(file, Join(open.path, subKey), true);
  });
}

LSTATUS RegDeleteTreeA(HKEY key, const char* subKey) {
  const Change change{subKey, nullptr};
  return OnKey(key, 0, &change, [&](RootFile& file, Key& k, const OpenKey& open) -> LSTATUS {
    if (!subKey) {
      k.subkeys.clear();
      k.values.clear();
      return file.Save();
    }
    // An empty name would mean `key` itself; only a null one clears it.
    if (detail::SplitPath(subKey).empty()) return ERROR_INVALID_PARAMETER;
    return RemoveKey(file, Join(open.path, subKey), false);
  });
}

LSTATUS RegDeleteValueA(HKEY key, const char* valueName) {
  const Change change{nullptr, valueName ? valueName : ""};
  return OnKey(key, KEY_SET_VALUE, &change, [&](RootFile& file, Key& k, const OpenKey&) -> LSTATUS {
    if (!k.RemoveValue(NameOf(valueName))) return ERROR_FILE_NOT_FOUND;
    return file.Save();
  });
}

LSTATUS RegCloseKey(HKEY key) noexcept {
  return Guarded([&]() -> LSTATUS {
    auto value = static_cast<uint32_t>(key);
    if (value >= kRootBase && value < kRootBase + kRootCount) return ERROR_SUCCESS;
    return Table().handles.erase(value) > 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  });
}

std::string RegistryFolder() { return detail::ResolveRegistryFolder(); }

std::vector<StoreProblem> TakeStoreProblems() { return detail::TakeProblems(); }

}  // namespace reg
