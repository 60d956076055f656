// Streams over global memory (CreateStreamOnHGlobal), as the stand-in libraries use them.
//
// A stream is a cursor over one global memory block. Reads stop at the block's end; a write past
// the end grows a movable block (a fixed block cannot grow: the write fails with
// STG_E_MEDIUMFULL). Seeking past the end is allowed; a later write fills the gap with zeros.
// Each stream has a reference count; the last release frees the block when the stream was
// created with delete-on-release. The program releases a stream through ole32's
// IStream_Release export: the interface's Release method is no entry of the external table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/win32/types.h"

namespace platform::ole32 {

constexpr win32::HRESULT S_OK = 0;
constexpr win32::HRESULT S_FALSE = 1;
constexpr win32::HRESULT E_NOTIMPL = static_cast<win32::HRESULT>(0x80004001u);
constexpr win32::HRESULT E_OUTOFMEMORY = static_cast<win32::HRESULT>(0x8007000Eu);
constexpr win32::HRESULT E_INVALIDARG = static_cast<win32::HRESULT>(0x80070057u);
constexpr win32::HRESULT STG_E_INVALIDFUNCTION = static_cast<win32::HRESULT>(0x80030001u);
constexpr win32::HRESULT STG_E_INVALIDHANDLE = static_cast<win32::HRESULT>(0x80030006u);
constexpr win32::HRESULT STG_E_INVALIDPOINTER = static_cast<win32::HRESULT>(0x80030009u);
constexpr win32::HRESULT STG_E_MEDIUMFULL = static_cast<win32::HRESULT>(0x80030070u);

enum class SeekOrigin : uint32_t { Set = 0, Current = 1, End = 2 };

// Reads up to buffer.size() bytes at the position and moves past them; *read gets the count.
win32::HRESULT StreamRead(win32::ISTREAM stream, std::span<uint8_t> buffer, size_t* read);
// Writes every byte at the position (growing the block) and moves past them.
win32::HRESULT StreamWrite(win32::ISTREAM stream, std::span<const uint8_t> bytes);
// Moves the position; *position (optional) gets the new one.
win32::HRESULT StreamSeek(win32::ISTREAM stream, int64_t offset, SeekOrigin origin,
                          uint64_t* position = nullptr);
// The stream's size: the size of its block.
win32::HRESULT StreamSize(win32::ISTREAM stream, uint64_t* size);
// Sets the size of the block (a movable one); the position stays.
win32::HRESULT StreamSetSize(win32::ISTREAM stream, uint64_t size);
// The global memory block under the stream (GetHGlobalFromStream), 0 for an invalid stream.
win32::HGLOBAL StreamMemory(win32::ISTREAM stream);
// Reference counting; both return the new count (0 for an invalid stream, and after the last
// release, which ends the stream).
uint32_t StreamAddRef(win32::ISTREAM stream);
uint32_t StreamRelease(win32::ISTREAM stream);

// Number of live streams (tests check that nothing leaks).
size_t LiveStreams();

}  // namespace platform::ole32
