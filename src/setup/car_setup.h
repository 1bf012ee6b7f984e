#pragma once
// The setup document: one ".lsp" file held as its lines, with an index of its sections and their numeric
// entries. Saving rewrites only the value texts of entries whose value really changed; every other byte of
// every line is written back as it was read (line breaks become LF, and one NUL ends the file).

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/error.h"

namespace gw {

// One numeric entry: the first "key value" line of its key within a section. A large file holds hundreds of
// thousands of them, so an entry is small: its name is a view into the document's text.
class TTOVCarSetupData {
 public:
  // IntValue of a float entry; an integer entry can never hold it.
  static constexpr int32_t kFloatMark = 2147483647;

  // The name must outlive the entry (the document's text does).
  TTOVCarSetupData(std::string_view name, int32_t lineIndex, int32_t intValue, float floatValue);

  // Raise on an entry of the other kind; a value equal to the held one changes nothing.
  void SetInteger(int32_t value);
  void SetFloat(float value);
  bool IsFloat() const { return intValue_ == kFloatMark; }

  bool Changed() const { return changed_; }
  std::string_view Name() const { return std::string_view(name_, nameSize_); }
  float FloatValue() const { return floatValue_; }
  int32_t IntValue() const { return intValue_; }
  int32_t LineIndex() const { return lineIndex_; }
  // A hash of the name ignoring ASCII case, for finding keys quickly.
  uint32_t NameHash() const { return nameHash_; }

 private:
  const char* name_ = nullptr;  // a pointer and a 32-bit size: 32 bytes an entry, not 40
  float floatValue_ = 0;
  int32_t intValue_ = 0;
  int32_t lineIndex_ = 0;
  uint32_t nameHash_ = 0;
  uint32_t nameSize_ = 0;
  bool changed_ = false;
};

// One section: named by the key of the heading line that first opened it.
class TTOVCarSetupSection {
 public:
  TTOVCarSetupSection(std::string_view name, int32_t lineIndex);

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TTOVCarSetupData* GetData(int32_t index) const { return items_.at(static_cast<std::size_t>(index)); }
  // The first entry whose key equals the key ignoring ASCII case, or null.
  TTOVCarSetupData* FindData(std::string_view key) const;
  std::string_view Name() const { return name_; }
  int32_t LineIndex() const { return lineIndex_; }

  // The entry is the document's; the section lists it.
  TTOVCarSetupData* Add(TTOVCarSetupData* data);

 private:
  std::vector<TTOVCarSetupData*> items_;
  std::string_view name_;  // into the document's text
  int32_t lineIndex_ = 0;
};

// Objects of a document made in blocks: one allocation for many of them, and addresses that never move.
template <typename T>
class TBlockStore {
 public:
  template <typename... Args>
  T* Make(Args&&... args) {
    if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) {
      blocks_.emplace_back();
      blocks_.back().reserve(std::size_t{16} << std::min<std::size_t>(blocks_.size(), 8));
    }
    return &blocks_.back().emplace_back(std::forward<Args>(args)...);
  }
  void clear() { blocks_.clear(); }

 private:
  std::vector<std::vector<T>> blocks_;
};

class TTOVCarSetup {
 public:
  TTOVCarSetup() = default;
  virtual ~TTOVCarSetup() = default;
  TTOVCarSetup(const TTOVCarSetup&) = delete;
  TTOVCarSetup& operator=(const TTOVCarSetup&) = delete;

  // Reads, checks and indexes the file. The head is checked from the first few KB and a file larger than
  // kMaxSetupFileSize is refused, both before the rest is read. On failure the document holds no lines and
  // no sections, and FileName keeps its earlier value.
  void LoadFromFile(const std::string& path);
  // Writes changed values into their lines, then the whole file; an empty path means FileName. The target
  // is replaced atomically: a failed save leaves the old file as it was.
  void SaveToFile(const std::string& path = {});
  void Clear();

  virtual int32_t SectionCount() const { return static_cast<int32_t>(sections_.size()); }
  TTOVCarSetupSection* GetSection(int32_t index) const {
    return sections_.at(static_cast<std::size_t>(index));
  }
  // The first section whose name equals the name ignoring ASCII case, or null.
  virtual TTOVCarSetupSection* FindSection(std::string_view name) const;

  const std::string& FileName() const { return fileName_; }
  // The lines as a save would write them now (changed values are written into them by a save).
  const std::vector<std::string>& Lines() const;
  // The offset of the NUL byte that ended the text of the last file read, when more than NUL bytes followed
  // it (damage, typically after a crash): those bytes are ignored and a save drops them. -1 otherwise.
  int64_t NulOffset() const { return nulOffset_; }

  // Loads from bytes as if they were the content of the file at the path (used by tests and fuzzing).
  void LoadFromBytes(std::string_view bytes, const std::string& path);
  // The file content a save would write now (after writing back the changed values).
  std::string SaveToBytes();

 private:
  // Takes the file's bytes (up to the NUL that may end them) as the document's text.
  void LoadText(std::string bytes, const std::string& path);
  void Parse();
  void WriteBackChangedValues();

  // Calls visit(line) for every line in order: a run of the text, or the line a save rewrote.
  template <typename Visit>
  void ForEachLine(Visit visit) const;
  // The line of an entry as it is now.
  std::string_view EntryLine(const TTOVCarSetupData& data) const;
  void ClearLines();

  // The sections in file order, with a table from a name (ignoring ASCII case) to the first section of
  // that name: finding the section of each heading line walked the whole list, which made parsing
  // quadratic in the number of sections.
  class TSectionList {
   public:
    std::size_t size() const { return list_.size(); }
    TTOVCarSetupSection* at(std::size_t i) const { return list_.at(i); }
    auto begin() const { return list_.begin(); }
    auto end() const { return list_.end(); }
    void clear();
    TTOVCarSetupSection* Find(std::string_view name) const;
    // The section of the name, or a new one that the line opens.
    TTOVCarSetupSection* FindOrAdd(std::string_view name, int32_t lineIndex);

   private:
    struct Slot {
      std::size_t hash = 0;
      TTOVCarSetupSection* section = nullptr;
    };
    void Place(Slot slot);
    void Grow();

    TBlockStore<TTOVCarSetupSection> store_;
    std::vector<TTOVCarSetupSection*> list_;
    std::vector<Slot> table_;  // open addressing, one slot per section, never more than half full
  };

  // The document keeps the file's text and finds its lines and entries in it, so that loading makes a
  // handful of allocations instead of several per line, and no list of lines: an entry's line is found
  // from its name, and a save walks the text.
  TSectionList sections_;
  TBlockStore<TTOVCarSetupData> entries_;
  std::string text_;
  std::map<int32_t, std::string> edits_;         // by line index: the lines a save wrote values into
  mutable std::vector<std::string> lineCopies_;  // what Lines() gave, made again after every change
  mutable bool lineCopiesValid_ = false;
  std::string fileName_;
  int64_t nulOffset_ = -1;
};

// The key token and the 1-based position of the value token of a line (-1 when it has none), as the
// document splits lines. Exposed for the replay and copy tools, which read setup lines the same way.
struct SetupLineSplit {
  std::string_view key;
  std::string_view value;
  int valuePosition = -1;
};
SetupLineSplit SplitSetupLine(std::string_view line);

// How the document reads a value text: an integer entry, a float entry, or no entry at all.
enum class SetupValueKind { None, Integer, Float };
SetupValueKind ReadSetupValue(std::string_view text, int32_t& intValue, float& floatValue);

// Far above any real setup (the game's are about 30 KB): a larger file is refused before it is read.
inline constexpr std::uint64_t kMaxSetupFileSize = 64ull << 20;

// The first bytes of a file, read to check its head before the rest.
inline constexpr std::size_t kSetupHeadSize = 4096;
// False when the first kSetupHeadSize bytes (or the whole of a shorter file) already show that the file
// fails the head check; true when they pass it or are too few to tell.
bool SetupHeadMayPass(std::string_view head);

// What the player is told about a file whose text a NUL byte ends early (see NulOffset).
std::string NulByteNotice(const std::string& path, int64_t offset);

// The lines of file bytes: up to the first NUL, split at LF, CR and CR LF.
std::vector<std::string> SplitSetupLines(std::string_view bytes);

}  // namespace gw
