// A private scratch folder for files the program must hand to the platform by path: uniquely
// named, in the temporary folder, readable and writable by the owner only (0700), and removed
// with everything in it when the object goes. Nobody else can plant or read a file there, as
// they could under a fixed name in the shared temporary folder.
#pragma once

#include "frame/values.h"

namespace frame {

class PrivateFolder {
 public:
  PrivateFolder();
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  // The folder's path with a trailing separator; empty when it could not be made.
  const Text& path() const { return path_; }

 private:
  Text path_;
};

}  // namespace frame
