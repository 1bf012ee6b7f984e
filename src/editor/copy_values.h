#pragma once
// Copying groups of parameter values from the open setup into other setup files.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/catalogue.h"
#include "setup/car_setup.h"

namespace gw {

// One group of the copy dialog: its caption and the entries it stands for, all keys of the first section
// before those of the next. Keys that end in "_" stand for their eleven map points.
struct TCopyGroup {
  std::string_view Caption;
  std::array<TSetupSection, 4> Sections{};
  int SectionCount = 0;
  std::array<TSetupKey, 8> Keys{};
  int KeyCount = 0;
};

inline constexpr int kCopyGroupCount = 22;
extern const std::array<TCopyGroup, kCopyGroupCount> CopyGroups;

struct TCopyPair {
  TSetupSection Section;
  TSetupKey Key;
};

// The pairs of the selected groups (indexes into CopyGroups), groups in table order; pairs two groups share
// are listed twice.
std::vector<TCopyPair> BuildCopyList(const std::vector<int>& selectedGroups);

// Copies one entry's value; an entry of the other kind raises the four-line value-mode message.
void CopyEntryValue(const TTOVCarSetupData& source, TTOVCarSetupData& dest, const std::string& destPath);

// Copies every listed entry from the source document into the loaded destination document, whose FileName
// the messages name. Raises when the destination lacks an entry or holds an entry of the other kind; entries
// copied before that stay copied in the document (nothing is saved).
void CopyValues(const TTOVCarSetup& source, TTOVCarSetup& dest, const std::vector<TCopyPair>& copyList);

// Loads the destination (a bare name lies in the installation's saved-games folder), copies every listed
// entry from the source document into it and saves it. Raises, leaving the destination untouched, when it
// cannot be loaded, lacks an entry, holds an entry of the other kind or cannot be written. beforeSave, when
// given, is called with the destination's path just before it is overwritten (to keep its old version).
void CopyValuesToFile(const TTOVCarSetup& source, const std::string& installFolder,
                      const std::string& destName, const std::vector<TCopyPair>& copyList,
                      const std::function<void(const std::string& path)>& beforeSave = {});

}  // namespace gw
