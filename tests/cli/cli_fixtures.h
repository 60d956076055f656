// Inputs for the command-line tests: modules whose icon groups are told apart by colour, pictures
// and icon files, and a test base that runs pictolan-cli in a private folder.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"

namespace cli_test {

namespace fs = std::filesystem;
using testing_support::Bytes;

// The opaque colour (0xFFRRGGBB) of group g's images; the top-left corner of its 32-bit images
// is transparent.
uint32_t GroupColour(int group);
// Image of group g: size x size at the bit count (8: a palette of grey with the group's colour).
Bytes GroupImage(int group, int size, int bitCount);
// The images of group g: 16 x 16 at 8 bits, 32 x 32 and 48 x 48 at 32 bits.
std::vector<Bytes> GroupImages(int group);
// A module (PE32) with `groups` icon groups, numbered 1 to groups.
Bytes ModuleOf(int groups);

// A PNG file of a width x height picture: an opaque colour with a transparent top-left quarter.
Bytes PicturePng(int width, int height, uint32_t argb);

QImage DecodedPicture(const fs::path& path);

class CliTest : public ::testing::Test {
 protected:
  fs::path Write(const std::string& name, const Bytes& bytes) const;
  fs::path Path(const std::string& name) const { return dir_ / name; }
  CliRun Run(const std::vector<std::string>& arguments, RunOptions options = {}) const {
    return RunCli(arguments, dir_.path(), options);
  }
  // The folder's entries' names, sorted.
  std::vector<std::string> Listing(const std::string& folder) const;

  testing_support::TempDir dir_;
};

}  // namespace cli_test
