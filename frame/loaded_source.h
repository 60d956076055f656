// A source file loaded as a data module for a batch of queries about it (its icon count, its
// icons one by one, its icon groups): while the object lives, the platform answers them from one
// read of the file, as a loaded module's file cannot change under it. A file that is not a
// module is read anew by each query, as usual.
#pragma once

#include "frame/values.h"
#include "platform/win32/types.h"

namespace frame {

class LoadedSource {
 public:
  explicit LoadedSource(const Text& path);
  ~LoadedSource();
  LoadedSource(const LoadedSource&) = delete;
  LoadedSource& operator=(const LoadedSource&) = delete;

 private:
  win32::HMODULE module_ = 0;
};

}  // namespace frame
