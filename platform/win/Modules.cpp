#include "win/Modules.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "win/WindowState.h"

namespace win {

namespace {

constexpr int32_t kProgramModule = 1;

struct Module {
  std::string fileName;  // lower case, without folder
  int loads = 0;
  std::map<std::pair<std::string, int32_t>, std::vector<uint8_t>> resources;
};

struct Modules {
  std::map<int32_t, Module> byHandle{{kProgramModule, Module{}}};
  int32_t next = kProgramModule + 1;
};

Modules& Table() {
  static Modules modules;
  return modules;
}

std::string FileNameOf(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return detail::LowerName(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

int32_t HandleOf(std::string_view path) {
  const std::string name = FileNameOf(path);
  for (const auto& [handle, module] : Table().byHandle) {
    if (handle != kProgramModule && module.fileName == name) return handle;
  }
  return 0;
}

Module* Find(HINSTANCE module) {
  auto it = Table().byHandle.find(static_cast<int32_t>(module));
  return it == Table().byHandle.end() ? nullptr : &it->second;
}

}  // namespace

HINSTANCE GetModuleHandleA(std::string_view name) {
  if (name.empty()) return HINSTANCE{kProgramModule};
  const int32_t handle = HandleOf(name);
  return handle != 0 && Table().byHandle[handle].loads > 0 ? HINSTANCE{handle} : kNoModule;
}

std::string GetModuleFileNameA(HINSTANCE module) {
  if (module == kNoModule || static_cast<int32_t>(module) == kProgramModule) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
  }
  const Module* m = Find(module);
  return m ? m->fileName : std::string();
}

HINSTANCE LoadLibraryA(std::string_view fileName) { return LoadLibraryExA(fileName, 0); }

HINSTANCE LoadLibraryExA(std::string_view fileName, uint32_t /*flags*/) {
  const int32_t handle = fileName.empty() ? 0 : HandleOf(fileName);
  if (handle == 0) return kNoModule;
  ++Table().byHandle[handle].loads;
  return HINSTANCE{handle};
}

BOOL FreeLibrary(HINSTANCE module) {
  Module* m = Find(module);
  if (!m || static_cast<int32_t>(module) == kProgramModule || m->loads == 0) return FALSE;
  --m->loads;
  return TRUE;
}

int LoadCount(HINSTANCE module) {
  const Module* m = Find(module);
  return m && static_cast<int32_t>(module) != kProgramModule ? m->loads : 0;
}

HINSTANCE RegisterModule(std::string_view fileName) {
  if (const int32_t handle = HandleOf(fileName)) return HINSTANCE{handle};
  Modules& t = Table();
  const int32_t handle = t.next++;
  t.byHandle[handle].fileName = FileNameOf(fileName);
  return HINSTANCE{handle};
}

void AddResource(HINSTANCE module, std::string_view type, int32_t id, std::vector<uint8_t> bytes) {
  if (Module* m = Find(module)) m->resources[{detail::LowerName(type), id}] = std::move(bytes);
}

const std::vector<uint8_t>* FindResourceBytes(HINSTANCE module, std::string_view type, int32_t id) {
  const Module* m = Find(module);
  if (!m) return nullptr;
  auto it = m->resources.find({detail::LowerName(type), id});
  return it == m->resources.end() ? nullptr : &it->second;
}

}  // namespace win
