// The reference tools for icons, icoutils (wrestool, icotool), as the differential tests use them.
#pragma once

#include <QImage>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

bool HaveIcoutils();

// The images icotool extracts from an icon file into `folder`, by 0-based directory index.
std::map<int, QImage> IcotoolImages(const std::filesystem::path& ico,
                                    const std::filesystem::path& folder);

// The names of a module's group-icon resources as wrestool lists them ("103", "MAIN", ...).
std::vector<std::string> WrestoolGroupNames(const std::filesystem::path& module);

// Every group of a module as wrestool extracts it and icotool extracts its images, in one run of
// each (under `folder`): by the group's name as wrestool lists it, then by 0-based index.
std::map<std::string, std::map<int, QImage>> WrestoolGroupImages(
    const std::filesystem::path& module, const std::filesystem::path& folder);

// Every image of the icon file `ours` decodes (with our decoder) to the pixels icotool extracts
// from the `reference` icon file into `scratch`, or to the reference images given; fully
// transparent pixels compare by alpha only.
void ExpectSameIconPixels(const std::filesystem::path& ours, const std::filesystem::path& reference,
                          const std::filesystem::path& scratch);
void ExpectSameIconPixels(const std::filesystem::path& ours, const std::map<int, QImage>& theirs);

// Whether Debian's Python has Pillow (python3-pil), a widely used decoder of icon files that
// places each image's AND mask from the end of the bytes its directory entry gives.
bool HavePillow();
// Every image of an icon file as Pillow decodes it, in Pillow's order: "W x H" and a digest of
// its RGBA pixels (fully transparent pixels compare by alpha only), one line per image.
std::vector<std::string> PillowImages(const std::filesystem::path& ico);

// Extracts one group with wrestool as an icon file.
void WrestoolExtractGroup(const std::filesystem::path& module, const std::string& name,
                          const std::filesystem::path& ico);

}  // namespace testing_support
