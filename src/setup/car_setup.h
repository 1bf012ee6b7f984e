#pragma once
// The setup document: one ".lsp" file held as its lines, with an index of its sections and their numeric
// entries. Saving rewrites only the value texts of entries whose value really changed; every other byte of
// every line is written back as it was read (line breaks become LF, and one NUL ends the file).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"

namespace gw {

// One numeric entry: the first "key value" line of its key within a section.
class TTOVCarSetupData {
 public:
  // IntValue of a float entry; an integer entry can never hold it.
  static constexpr int32_t kFloatMark = 2147483647;

  TTOVCarSetupData(std::string name, int32_t lineIndex, int32_t intValue, float floatValue);
  virtual ~TTOVCarSetupData() = default;

  // Raise on an entry of the other kind; a value equal to the held one changes nothing.
  virtual void SetInteger(int32_t value);
  virtual void SetFloat(float value);
  virtual bool IsFloat() const { return intValue_ == kFloatMark; }

  bool Changed() const { return changed_; }
  const std::string& Name() const { return name_; }
  float FloatValue() const { return floatValue_; }
  int32_t IntValue() const { return intValue_; }
  int32_t LineIndex() const { return lineIndex_; }

 private:
  bool changed_ = false;
  std::string name_;
  float floatValue_ = 0;
  int32_t intValue_ = 0;
  int32_t lineIndex_ = 0;
};

// One section: named by the key of the heading line that first opened it.
class TTOVCarSetupSection {
 public:
  TTOVCarSetupSection(std::string name, int32_t lineIndex);

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TTOVCarSetupData* GetData(int32_t index) const { return items_.at(static_cast<std::size_t>(index)).get(); }
  // The first entry whose key equals the key ignoring ASCII case, or null.
  TTOVCarSetupData* FindData(std::string_view key) const;
  const std::string& Name() const { return name_; }
  int32_t LineIndex() const { return lineIndex_; }

  TTOVCarSetupData* Add(std::unique_ptr<TTOVCarSetupData> data);

 private:
  std::vector<std::unique_ptr<TTOVCarSetupData>> items_;
  std::string name_;
  int32_t lineIndex_ = 0;
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
    return sections_.at(static_cast<std::size_t>(index)).get();
  }
  // The first section whose name equals the name ignoring ASCII case, or null.
  virtual TTOVCarSetupSection* FindSection(std::string_view name) const;

  const std::string& FileName() const { return fileName_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  // The offset of the NUL byte that ended the text of the last file read, when more than NUL bytes followed
  // it (damage, typically after a crash): those bytes are ignored and a save drops them. -1 otherwise.
  int64_t NulOffset() const { return nulOffset_; }

  // Loads from bytes as if they were the content of the file at the path (used by tests and fuzzing).
  void LoadFromBytes(std::string_view bytes, const std::string& path);
  // The file content a save would write now (after writing back the changed values).
  std::string SaveToBytes();

 private:
  void Parse();
  void WriteBackChangedValues();

  // The sections in file order, with a table from a name (ignoring ASCII case) to the first section of
  // that name: finding the section of each heading line walked the whole list, which made parsing
  // quadratic in the number of sections.
  class TSectionList {
   public:
    std::size_t size() const { return list_.size(); }
    const std::unique_ptr<TTOVCarSetupSection>& at(std::size_t i) const { return list_.at(i); }
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

    std::vector<std::unique_ptr<TTOVCarSetupSection>> list_;
    std::vector<Slot> table_;  // open addressing, one slot per section, never more than half full
  };

  TSectionList sections_;
  std::vector<std::string> lines_;
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
