// One root's file, held for the length of one registry call: the advisory
// lock is taken, the file read, and a change written back atomically
// (temporary file in the same folder, fsync, rename), so that a process
// killed at any moment leaves the old or the new content. A damaged file is
// moved aside and what was read before the damage is written back in its
// place; when it cannot be moved, that is read but nothing is written.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "registry/KeyTree.h"
#include "registry/Registry.h"

namespace reg::detail {

class RootFile {
 public:
  // rootIndex: 0 for HKEY_CLASSES_ROOT .. 6 for HKEY_DYN_DATA.
  explicit RootFile(uint32_t rootIndex);
  ~RootFile();
  RootFile(const RootFile&) = delete;
  RootFile& operator=(const RootFile&) = delete;

  // ERROR_SUCCESS, or the registry error saying why the file is not usable.
  int32_t Status() const { return m_status; }
  Key& Tree() { return *m_tree; }
  // Writes the tree back; returns a registry error code.
  int32_t Save();
  // Why the file cannot be used, or why the last save failed: in words,
  // and as facts.
  const std::string& Why() const { return m_why; }
  const StoreFailure& Failure() const { return m_failure; }
  const std::string& FilePath() const { return m_path; }

 private:
  void Load();
  void Refuse(int32_t status, StoreFailure::Step step, int error, const std::string& what);
  void FailedWriting(int error);
  void RemoveStaleTemporaries() const;
  void PutAside(const std::string& damage, int line);

  std::string m_folder;
  std::string m_fileName;
  std::string m_path;
  int m_lockFd = -1;
  std::unique_ptr<Key> m_tree;
  int32_t m_status = 0;
  bool m_readOnly = false;
  std::string m_why;
  StoreFailure m_failure;
};

std::string ResolveRegistryFolder();
// "HKEY_CLASSES_ROOT" .. "HKEY_DYN_DATA".
const char* RootName(uint32_t rootIndex);

}  // namespace reg::detail
