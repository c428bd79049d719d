// The registry: a tree of keys below seven predefined roots, each key
// holding named values of a type and some bytes. Keys are opened below a
// root or below another open key and are reached through handles that
// RegCloseKey releases (UniqueKey.h owns one). Names of keys and values
// ignore case; key paths are separated by "\". Values keep their bytes
// exactly as written (a REG_SZ written without a terminating NUL stays so).
//
// Storage: one file per root in the folder RegistryFolder() names. Every
// call reads the root's file afresh (another process may have written it)
// and every change writes it anew, atomically, under an advisory lock, so
// concurrent writers serialise and a writer killed half-way leaves the old
// or the new file. A damaged file is moved aside and the keys and values
// read before the damage are written back as the root's file; a file or
// folder that cannot be used at all is refused (ERROR_CANTREAD,
// ERROR_CANTOPEN). TakeStoreProblems tells what the user should learn.
//
// The limits of the platform hold: a key name has at most 255 characters
// and a key lies at most 512 levels below its root; a path beyond them is
// refused with ERROR_BADKEY.
//
// Differences from the platform this stands in for, decided here:
// - RegDeleteKeyA deletes a key only when it has no subkeys (answering
//   ERROR_ACCESS_DENIED otherwise); RegDeleteTreeA deletes a key with all
//   that lies below it.
// - Empty path components ("a\\b", a leading or trailing "\") are skipped.
// - Keys carry no class names, security or write times (reported empty).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace reg {

using DWORD = uint32_t;
using BYTE = uint8_t;
using LSTATUS = int32_t;
using REGSAM = uint32_t;

// A key handle. The predefined roots are fixed values; keys opened below
// them get small numbers that are not reused while the process runs.
enum class HKEY : uint32_t {};

inline constexpr HKEY HKEY_CLASSES_ROOT{0x80000000u};
inline constexpr HKEY HKEY_CURRENT_USER{0x80000001u};
inline constexpr HKEY HKEY_LOCAL_MACHINE{0x80000002u};
inline constexpr HKEY HKEY_USERS{0x80000003u};
inline constexpr HKEY HKEY_PERFORMANCE_DATA{0x80000004u};
inline constexpr HKEY HKEY_CURRENT_CONFIG{0x80000005u};
inline constexpr HKEY HKEY_DYN_DATA{0x80000006u};

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;

// Access rights of a key handle.
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Options and dispositions of RegCreateKeyExA.
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Results.
inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
inline constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
inline constexpr LSTATUS ERROR_OUTOFMEMORY = 14;
inline constexpr LSTATUS ERROR_GEN_FAILURE = 31;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_MORE_DATA = 234;
inline constexpr LSTATUS ERROR_NO_MORE_ITEMS = 259;
inline constexpr LSTATUS ERROR_BADKEY = 1010;
inline constexpr LSTATUS ERROR_CANTOPEN = 1011;
inline constexpr LSTATUS ERROR_CANTREAD = 1012;
inline constexpr LSTATUS ERROR_CANTWRITE = 1013;
inline constexpr LSTATUS ERROR_KEY_DELETED = 1018;

struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

// Opens an existing key. An empty subKey opens a new handle to `key` itself.
LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM samDesired, HKEY* result);

// Opens a key, creating it and any missing keys on its path. `disposition`
// (optional) tells REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. The class
// and security arguments are accepted and ignored.
LSTATUS RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* className, DWORD options,
                        REGSAM samDesired, const void* securityAttributes, HKEY* result, DWORD* disposition);

// Reads a value (null or "" names the key's default value). With `data`
// null, tells type and byte size; with a buffer of *cbData bytes, copies the
// data, or answers ERROR_MORE_DATA with the size needed in *cbData.
LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* cbData);

// Writes a value of the given type with cbData bytes, replacing one of the
// same name whatever its type.
LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD cbData);

// The index-th subkey's name into a buffer of *cchName characters (NUL
// included); on success *cchName is the name's length. Subkeys are in
// alphabetical order, case ignored. ERROR_NO_MORE_ITEMS past the last.
LSTATUS RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* cchName, DWORD* reserved, char* className,
                      DWORD* cchClass, FILETIME* lastWriteTime);

// The index-th value (in the order of their first writing): name as with
// RegEnumKeyExA, type, and data as with RegQueryValueExA.
LSTATUS RegEnumValueA(HKEY key, DWORD index, char* valueName, DWORD* cchValueName, DWORD* reserved, DWORD* type,
                      BYTE* data, DWORD* cbData);

// Counts and longest lengths (names in characters without NUL, data in
// bytes); every out argument may be null.
LSTATUS RegQueryInfoKeyA(HKEY key, char* className, DWORD* cchClass, DWORD* reserved, DWORD* subKeys,
                         DWORD* maxSubKeyLen, DWORD* maxClassLen, DWORD* values, DWORD* maxValueNameLen,
                         DWORD* maxValueLen, DWORD* securityDescriptor, FILETIME* lastWriteTime);

// Deletes the key subKey below `key` with its values; a key that still has
// subkeys is kept (ERROR_ACCESS_DENIED). A root cannot be deleted.
LSTATUS RegDeleteKeyA(HKEY key, const char* subKey);

// Deletes the key subKey below `key` with everything below it; a null
// subKey deletes the subkeys and values of `key` and keeps the key.
LSTATUS RegDeleteTreeA(HKEY key, const char* subKey);

LSTATUS RegDeleteValueA(HKEY key, const char* valueName);

// Releases a handle. Closing a predefined root does nothing.
LSTATUS RegCloseKey(HKEY key) noexcept;

// The folder of the root files: $QV_REGISTRY_DIR, else
// $XDG_CONFIG_HOME/quorvelle-registry, else ~/.config/quorvelle-registry.
std::string RegistryFolder();

// What failed when the store could not use, read or write a root's file, as
// facts a program can word in its own language: the step and the
// system's error code (errno; 0 when the system gave none).
struct StoreFailure {
  enum class Step {
    None,
    MakeFolder,  // the folder of the files cannot be made
    OpenLock,    // the lock file cannot be opened
    Lock,        // the lock file cannot be locked
    Read,        // the file cannot be read
    Write,       // the file cannot be written
    MoveAside,   // the file is damaged and cannot be moved aside
    KeyLimits,   // the key lies beyond the limits of a name's length and the levels
  };
  Step step = Step::None;
  int systemError = 0;
  bool operator==(const StoreFailure&) const = default;
};

// A problem of the store that the user should learn of.
struct StoreProblem {
  enum class Kind {
    Damaged,   // a root's file was damaged: what was read before the damage
               // was kept, and the file was put aside as `copy`
    Unusable,  // a root's file or the folder cannot be used: nothing is read
               // from it or saved to it
    NotSaved,  // a change could not be saved
  };
  StoreProblem() = default;
  StoreProblem(Kind k, std::string f, std::string c, std::string d)
      : kind(k), file(std::move(f)), copy(std::move(c)), detail(std::move(d)) {}

  Kind kind = Kind::NotSaved;
  std::string file;    // the root's file
  std::string copy;    // Damaged: where the damaged file lies now; "" when it
                       // could not be put aside (then nothing is saved over it)
  std::string detail;  // what was wrong: where the damage lies, the system's
                       // reason, the key and value that were not saved
  // The same as facts. Damaged: the line of the damage (0: the file is
  // empty). Unusable, NotSaved and a damaged file that stayed in place:
  // what failed. NotSaved: the key (empty: the settings read before the
  // damage) and the value, when a value was changed ("" the default one).
  int line = 0;
  StoreFailure failure;
  std::string key;
  std::optional<std::string> value;
};

// The problems met in this process since the last call, oldest first. A
// damaged or unusable file is told once a process, a change that could not
// be saved each time.
std::vector<StoreProblem> TakeStoreProblems();

}  // namespace reg
