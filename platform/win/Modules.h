// Modules of the process and the resources they carry. There are no
// library files to map here: the program itself is one module, and a
// library that carries resources is a module the process registered under
// its file name; loading it by that name (with or without a folder) finds
// it and counts a reference. Resources are byte blocks kept by type and
// number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "win/Types.h"

namespace win {

// A module (instance) handle; 0 = none.
enum class HINSTANCE : int32_t {};
inline constexpr HINSTANCE kNoModule = HINSTANCE{0};

// The module of the running program for an empty name; a loaded library
// by its file name; 0 otherwise.
HINSTANCE GetModuleHandleA(std::string_view name = {});
// The full path of the program's file for the program's module (or 0);
// a library's file name (in lower case); "" for anything else.
std::string GetModuleFileNameA(HINSTANCE module = kNoModule);
// Loads a registered library by file name (the folder part is ignored):
// its handle, with one more reference; 0 when there is no such library.
// The flags of LoadLibraryExA are accepted and ignored.
HINSTANCE LoadLibraryA(std::string_view fileName);
HINSTANCE LoadLibraryExA(std::string_view fileName, uint32_t flags);
// Drops one reference; FALSE for a handle that is not a loaded library.
BOOL FreeLibrary(HINSTANCE module);
// The number of references a library holds now (0 when not loaded).
int LoadCount(HINSTANCE module);

// Makes a library known to the process under its file name (a library
// linked into the program registers itself and its resources); returns
// its handle. Registering the same name again returns the same handle.
HINSTANCE RegisterModule(std::string_view fileName);
// Adds a resource of `type` and number `id` to a module.
void AddResource(HINSTANCE module, std::string_view type, int32_t id, std::vector<uint8_t> bytes);
// The bytes of a resource; nullptr when the module has none of that type
// and number.
const std::vector<uint8_t>* FindResourceBytes(HINSTANCE module, std::string_view type, int32_t id);

}  // namespace win
