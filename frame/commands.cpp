// Placeholders until the commands are implemented: each returns an empty or zero result.
#include "frame/commands.h"

namespace frame {

int32_t BitAnd(std::initializer_list<int32_t>) { return {}; }
int32_t BitOr(std::initializer_list<int32_t>) { return {}; }
int32_t BitNot(int32_t) { return {}; }
int32_t ShiftLeft(int32_t, int32_t) { return {}; }
double Abs(double) { return {}; }
int64_t Floor(double) { return {}; }
double Round(double, int32_t) { return {}; }
Text ToText(const Value&) { return {}; }
double ToNumber(const Value&) { return {}; }
uint8_t ToByte(const Value&) { return {}; }
ByteSet ToByteSet(const Value&) { return {}; }
int32_t TextLength(const Text&) { return {}; }
Text TextLeft(const Text&, int32_t) { return {}; }
Text TextRight(const Text&, int32_t) { return {}; }
Text SpaceText(int32_t) { return {}; }
Text ToLower(const Text&) { return {}; }
Array<Text> SplitText(const Text&, const std::optional<Text>&, std::optional<int32_t>) { return {}; }
int32_t ByteSetLength(const ByteSet&) { return {}; }
ByteSet ZeroByteSet(int32_t) { return {}; }
ByteSet ByteSetLeft(const ByteSet&, int32_t) { return {}; }
ByteSet ByteSetRight(const ByteSet&, int32_t) { return {}; }
ByteSet ByteSetMid(const ByteSet&, int32_t, int32_t) { return {}; }
Value GetByteSetData(const ByteSet&, int32_t, int32_t*) { return {}; }
ByteSet ByteSetReplaceAll(const ByteSet&, const ByteSet&, const ByteSet&, int32_t, std::optional<int32_t>) { return {}; }
Array<ByteSet> SplitByteSet(const ByteSet&, const std::optional<ByteSet>&, std::optional<int32_t>) { return {}; }
ByteSet PointerToByteSet(const void*, int32_t) { return {}; }
void WriteToMemory(const Value&, void*, std::optional<int32_t>) {}
ByteSet ReadFile(const Text&) { return {}; }
bool WriteFileParts(const Text&, std::initializer_list<const ByteSet*>) { return {}; }
bool DeleteFile(const Text&) { return {}; }
bool FileExists(const Text&) { return {}; }
int32_t GetFileAttributes(const Text&) { return {}; }

}  // namespace frame
