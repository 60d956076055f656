#include "platform/core/ole32/stream.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/core/handles.h"
#include "platform/core/kernel32/global_memory.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/ole32.h"

namespace platform::ole32 {
namespace {

using namespace win32;

struct StreamObject {
  HGLOBAL memory = 0;
  bool deleteOnRelease = false;
  uint64_t position = 0;
  uint32_t references = 1;
};

HandleTable<StreamObject>& Streams() {
  static HandleTable<StreamObject> table(HandleKind::Stream);
  return table;
}

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, ISTREAM* stream) {
  if (!stream) return E_INVALIDARG;
  *stream = 0;
  if (memory == 0) {
    // No block given: the stream gets a new movable one of its own.
    memory = kernel32::GlobalAlloc(GMEM_MOVEABLE, 0);
    if (memory == 0) return E_OUTOFMEMORY;
  } else if (!kernel32::IsGlobalBlock(memory)) {
    return E_INVALIDARG;
  }
  auto object = std::make_unique<StreamObject>();
  object->memory = memory;
  object->deleteOnRelease = deleteOnRelease != FALSE;
  *stream = Streams().Insert(std::move(object));
  return *stream != 0 ? S_OK : E_OUTOFMEMORY;
}

HRESULT StreamRead(ISTREAM stream, std::span<uint8_t> buffer, size_t* read) {
  if (read) *read = 0;
  StreamObject* object = Streams().Find(stream);
  if (!object) return STG_E_INVALIDHANDLE;
  std::span<const uint8_t> bytes = kernel32::GlobalBlockBytes(object->memory);
  if (object->position >= bytes.size()) return buffer.empty() ? S_OK : S_FALSE;
  size_t count = std::min<uint64_t>(buffer.size(), bytes.size() - object->position);
  std::memcpy(buffer.data(), bytes.data() + object->position, count);
  object->position += count;
  if (read) *read = count;
  return count == buffer.size() ? S_OK : S_FALSE;
}

HRESULT StreamWrite(ISTREAM stream, std::span<const uint8_t> bytes) {
  StreamObject* object = Streams().Find(stream);
  if (!object) return STG_E_INVALIDHANDLE;
  if (bytes.empty()) return S_OK;
  uint64_t limit = kernel32::kGlobalBlockLimit;
  if (object->position > limit || bytes.size() > limit - object->position) return STG_E_MEDIUMFULL;
  uint64_t end = object->position + bytes.size();
  if (end > kernel32::GlobalSize(object->memory) &&
      !kernel32::ResizeGlobalBlock(object->memory, end))
    return STG_E_MEDIUMFULL;
  std::span<uint8_t> block = kernel32::GlobalBlockBytes(object->memory);
  std::memcpy(block.data() + object->position, bytes.data(), bytes.size());
  object->position = end;
  return S_OK;
}

HRESULT StreamSeek(ISTREAM stream, int64_t offset, SeekOrigin origin, uint64_t* position) {
  StreamObject* object = Streams().Find(stream);
  if (!object) return STG_E_INVALIDHANDLE;
  int64_t base = 0;
  switch (origin) {
    case SeekOrigin::Set:
      base = 0;
      break;
    case SeekOrigin::Current:
      base = static_cast<int64_t>(object->position);
      break;
    case SeekOrigin::End:
      base = static_cast<int64_t>(kernel32::GlobalSize(object->memory));
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  int64_t limit = static_cast<int64_t>(kernel32::kGlobalBlockLimit);
  // base and limit are both at most 2^30, so the checks below cannot overflow.
  if (offset < -base || offset > limit - base) return STG_E_INVALIDFUNCTION;
  object->position = static_cast<uint64_t>(base + offset);
  if (position) *position = object->position;
  return S_OK;
}

HRESULT StreamSize(ISTREAM stream, uint64_t* size) {
  if (!size) return STG_E_INVALIDPOINTER;
  *size = 0;
  StreamObject* object = Streams().Find(stream);
  if (!object) return STG_E_INVALIDHANDLE;
  *size = kernel32::GlobalSize(object->memory);
  return S_OK;
}

HRESULT StreamSetSize(ISTREAM stream, uint64_t size) {
  StreamObject* object = Streams().Find(stream);
  if (!object) return STG_E_INVALIDHANDLE;
  if (size == kernel32::GlobalSize(object->memory)) return S_OK;
  if (size > kernel32::kGlobalBlockLimit || !kernel32::ResizeGlobalBlock(object->memory, size))
    return STG_E_MEDIUMFULL;
  return S_OK;
}

HGLOBAL StreamMemory(ISTREAM stream) {
  StreamObject* object = Streams().Find(stream);
  return object ? object->memory : 0;
}

uint32_t StreamAddRef(ISTREAM stream) {
  StreamObject* object = Streams().Find(stream);
  if (!object) return 0;
  return ++object->references;
}

uint32_t StreamRelease(ISTREAM stream) {
  StreamObject* object = Streams().Find(stream);
  if (!object) return 0;
  if (--object->references != 0) return object->references;
  std::unique_ptr<StreamObject> ended = Streams().Take(stream);
  if (ended->deleteOnRelease) kernel32::GlobalFree(ended->memory);
  return 0;
}

ULONG IStream_Release(ISTREAM stream) {
  return StreamRelease(stream);
}

size_t LiveStreams() {
  return Streams().size();
}

}  // namespace platform::ole32
