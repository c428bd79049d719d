// One root's file, held for the length of one registry call: the advisory
// lock is taken, the file read (a broken one moved aside), and a change
// written back atomically (temporary file in the same folder, fsync,
// rename), so that a process killed at any moment leaves the old or the
// new content.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "registry/KeyTree.h"

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

 private:
  void Load();
  void RemoveStaleTemporaries() const;
  void MoveAside(const std::string& why);

  std::string m_folder;
  std::string m_fileName;
  std::string m_path;
  int m_lockFd = -1;
  std::unique_ptr<Key> m_tree;
  int32_t m_status = 0;
};

std::string ResolveRegistryFolder();
std::string LastRecordedProblem();

}  // namespace reg::detail
