// Modules loaded as data files and their resources. LoadLibraryExA with
// LOAD_LIBRARY_AS_DATAFILE takes PE modules and, beyond what Windows loads this way, 16-bit NE
// modules too, so icon libraries (.icl) and 16-bit programs give whole icon
// groups as PE modules do. It reads the file once and opens its resource directory once; each
// resource query then walks only the directories it needs. While the module is loaded, its bytes
// answer every read of the unchanged file (see file_bytes.h). Resource handles belong to their
// module and go with it.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/core/files/file_bytes.h"
#include "platform/core/handles.h"
#include "platform/core/modules.h"
#include "platform/core/pe/module_resources.h"
#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

struct ResourceObject {
  HMODULE module = 0;
  std::span<const uint8_t> bytes;
};

HandleTable<ResourceObject>& Resources() {
  static HandleTable<ResourceObject> table(HandleKind::Resource);
  return table;
}

HandleTable<ResourceObject>& ResourceData() {
  static HandleTable<ResourceObject> table(HandleKind::ResourceData);
  return table;
}

class ResourceModule final : public DataModule {
 public:
  ResourceModule(std::shared_ptr<const files::FileBytes> file,
                 std::optional<pe::ModuleResources> resources)
      : file_(std::move(file)),
        pin_(files::FileBytes::Pin(file_)),
        resources_(std::move(resources)) {}

  ~ResourceModule() override {
    for (const auto& [data, handles] : handles_) {
      Resources().Erase(handles.resource);
      ResourceData().Erase(handles.data);
    }
  }

  const pe::ModuleResources* resources() const { return resources_ ? &*resources_ : nullptr; }

  // The one resource handle of a resource's bytes: finding a resource twice gives one handle.
  // Resources may share their bytes, wholly or in part, so a handle is kept per start and size.
  HRSRC ResourceHandle(HMODULE self, std::span<const uint8_t> bytes) {
    Handles& h = handles_[{bytes.data(), bytes.size()}];
    if (!Resources().Contains(h.resource))
      h.resource =
          Resources().Insert(std::make_unique<ResourceObject>(ResourceObject{self, bytes}));
    return h.resource;
  }
  HRSRCDATA DataHandle(HMODULE self, std::span<const uint8_t> bytes) {
    Handles& h = handles_[{bytes.data(), bytes.size()}];
    if (!ResourceData().Contains(h.data))
      h.data = ResourceData().Insert(std::make_unique<ResourceObject>(ResourceObject{self, bytes}));
    return h.data;
  }

 private:
  struct Handles {
    HRSRC resource = 0;
    HRSRCDATA data = 0;
  };
  std::shared_ptr<const files::FileBytes> file_;
  std::shared_ptr<void> pin_;  // queries about the file read these bytes while it is loaded
  std::optional<pe::ModuleResources> resources_;
  std::map<std::pair<const uint8_t*, size_t>, Handles> handles_;
};

ResourceModule* FindResourceModule(HMODULE module) {
  return dynamic_cast<ResourceModule*>(FindDataModule(module));
}

// A resource type or name as the ANSI functions take it: an integer resource, "#123" for the
// number 123, or a string.
std::optional<pe::ResourceId> ResourceIdOf(const char* arg) {
  if (IS_INTRESOURCE(arg))
    return pe::ResourceId::Number(static_cast<uint16_t>(reinterpret_cast<uintptr_t>(arg)));
  std::string_view s(arg);
  if (s.size() > 1 && s[0] == '#') {
    uint32_t n = 0;
    for (char c : s.substr(1)) {
      if (c < '0' || c > '9' || n > 0xFFFF) return std::nullopt;
      n = n * 10 + static_cast<uint32_t>(c - '0');
    }
    if (n > 0xFFFF) return std::nullopt;
    return pe::ResourceId::Number(static_cast<uint16_t>(n));
  }
  return pe::ResourceId::String(text::GbkToUtf16(s));
}

ResourceObject* ResourceOf(HMODULE module, HRSRC resource) {
  ResourceObject* r = Resources().Find(resource);
  return r && r->module == module && FindResourceModule(module) ? r : nullptr;
}

HMODULE LoadDataFile(const char* path) {
  auto file = files::FileBytes::Open(path);
  if (!file) return 0;
  auto resources = pe::ModuleResources::Open(file->bytes());
  std::optional<pe::ModuleResources> directory;
  if (resources.ok()) {
    directory = std::move(resources).value();
  } else {
    switch (resources.error()) {
      case pe::PeError::NotPe:
      case pe::PeError::Truncated:
      case pe::PeError::BadHeader:
        return 0;  // not a module at all
      default:
        break;  // a module whose resources cannot be read
    }
  }
  return RegisterDataModule(
      std::make_unique<ResourceModule>(std::move(file), std::move(directory)));
}

}  // namespace

HMODULE LoadLibraryExA(const char* name, HANDLE, DWORD flags) {
  if (!name || !*name) return 0;
  if (flags & LOAD_LIBRARY_AS_DATAFILE) return LoadDataFile(name);
  return StandInLoader().Load(name);
}

BOOL FreeLibrary(HMODULE module) {
  return ReleaseModule(module) ? TRUE : FALSE;
}

BOOL EnumResourceNamesA(HMODULE module, const char* type, ENUMRESNAMEPROCA proc, LONG_PTR param) {
  ResourceModule* m = FindResourceModule(module);
  auto typeId = type ? ResourceIdOf(type) : std::nullopt;
  if (!m || !m->resources() || !proc || !typeId) return FALSE;
  auto names = m->resources()->Names(*typeId);
  if (!names || names->empty()) return FALSE;
  // The names are copied first: the callback may even free the module.
  for (const pe::ResourceId& name : *names) {
    BOOL more;
    if (name.isString) {
      std::string gbk = text::Utf16ToGbk(name.string);
      more = proc(module, type, gbk.data(), param);
    } else {
      more = proc(module, type, const_cast<char*>(MAKEINTRESOURCEA(name.number)), param);
    }
    if (!more) return FALSE;
  }
  return TRUE;
}

HRSRC FindResourceA(HMODULE module, const char* name, const char* type) {
  ResourceModule* m = FindResourceModule(module);
  if (!m || !m->resources() || !name || !type) return 0;
  auto nameId = ResourceIdOf(name);
  auto typeId = ResourceIdOf(type);
  if (!nameId || !typeId) return 0;
  auto bytes = m->resources()->Find(*typeId, *nameId);
  if (!bytes) return 0;
  return m->ResourceHandle(module, *bytes);
}

HRSRCDATA LoadResource(HMODULE module, HRSRC resource) {
  ResourceObject* r = ResourceOf(module, resource);
  return r ? FindResourceModule(module)->DataHandle(module, r->bytes) : 0;
}

void* LockResource(HRSRCDATA data) {
  ResourceObject* r = ResourceData().Find(data);
  if (!r || r->bytes.empty()) return nullptr;
  return const_cast<uint8_t*>(r->bytes.data());
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  ResourceObject* r = ResourceOf(module, resource);
  return r ? static_cast<DWORD>(r->bytes.size()) : 0;
}

}  // namespace platform::kernel32
