#include "setup/car_setup.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

#include "platform/ascii_text.h"
#include "platform/file_io.h"
#include "platform/number_text.h"
#include "platform/paths.h"

namespace gw {

namespace {

// FNV-1a over the name's bytes with "a".."z" folded, so that names equal ignoring ASCII case hash alike.
std::size_t NameHash(std::string_view name, std::size_t h = 14695981039346656037ull) {
  for (char c : name) h = (h ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
  return h;
}

}  // namespace

// ---- lines and values ----

std::vector<std::string> SplitSetupLines(std::string_view bytes) {
  const auto nul = bytes.find('\0');
  return SplitLines(nul == std::string_view::npos ? bytes : bytes.substr(0, nul));
}

SetupLineSplit SplitSetupLine(std::string_view line) {
  // Run for every line of a file: pointers, not checked positions.
  SetupLineSplit split;
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  const char* p = begin;
  while (p != end && IsBlank(*p)) ++p;
  if (p == end) return split;
  const char* token = p;
  while (p != end && !IsBlank(*p)) ++p;
  split.key = std::string_view(token, static_cast<std::size_t>(p - token));
  while (p != end && IsBlank(*p)) ++p;
  if (p == end) return split;
  token = p;
  while (p != end && !IsBlank(*p)) ++p;
  split.value = std::string_view(token, static_cast<std::size_t>(p - token));
  split.valuePosition = static_cast<int>(token - begin) + 1;
  return split;
}

SetupValueKind ReadSetupValue(std::string_view text, int32_t& intValue, float& floatValue) {
  // Short texts and texts without a period are integers: "540.0" is a failed integer, not a float.
  if (text.size() <= 6 || text.find('.') == std::string_view::npos) {
    // Most values are plain decimal numbers, read here as TryStrToInt would read them.
    if (!text.empty() && text.size() <= 9) {
      const bool negative = text[0] == '-';
      int32_t v = 0;
      std::size_t i = negative ? 1 : 0;
      for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = v * 10 + (text[i] - '0');
      if (i == text.size() && i > (negative ? 1u : 0u)) {
        intValue = negative ? -v : v;
        return SetupValueKind::Integer;
      }
    }
    int32_t v = 0;
    if (!TryStrToInt(text, v) || v == TTOVCarSetupData::kFloatMark) return SetupValueKind::None;
    intValue = v;
    return SetupValueKind::Integer;
  }
  float f = 0;
  if (!TryStrToFloat(text, f)) return SetupValueKind::None;
  floatValue = f;
  return SetupValueKind::Float;
}

// ---- entries and sections ----

TTOVCarSetupData::TTOVCarSetupData(std::string_view name, int32_t lineIndex, int32_t intValue,
                                   float floatValue)
    : name_(name.data()),
      floatValue_(floatValue),
      intValue_(intValue),
      lineIndex_(lineIndex),
      nameHash_(static_cast<uint32_t>(gw::NameHash(name))),
      nameSize_(static_cast<uint32_t>(name.size())) {}
static_assert(sizeof(void*) != 8 || sizeof(TTOVCarSetupData) == 32, "an entry stays small");

void TTOVCarSetupData::SetInteger(int32_t value) {
  if (IsFloat()) throw Error("Can't write integer to key of float = " + std::string(Name()));
  if (value == kFloatMark)
    throw Error("Can't write the value 2147483647 to key of integer = " + std::string(Name()));
  if (value == intValue_) return;
  intValue_ = value;
  changed_ = true;
}

void TTOVCarSetupData::SetFloat(float value) {
  if (!IsFloat()) throw Error("Can't write float to key of integer = " + std::string(Name()));
  // The game could not read "NAN" or "INF" back: the entry would be lost from the file.
  if (!std::isfinite(value))
    throw Error("Can't write a value that is not a number to key of float = " + std::string(Name()));
  if (value == floatValue_) return;
  floatValue_ = value;
  changed_ = true;
}

TTOVCarSetupSection::TTOVCarSetupSection(std::string_view name, int32_t lineIndex)
    : name_(name), lineIndex_(lineIndex) {
  items_.reserve(8);  // most sections hold a few entries: one allocation for them
}

TTOVCarSetupData* TTOVCarSetupSection::FindData(std::string_view key) const {
  const auto hash = static_cast<uint32_t>(NameHash(key));
  for (TTOVCarSetupData* item : items_)
    if (item->NameHash() == hash && SameText(item->Name(), key)) return item;
  return nullptr;
}

TTOVCarSetupData* TTOVCarSetupSection::Add(TTOVCarSetupData* data) {
  items_.push_back(data);
  return data;
}

// ---- the document ----

void TTOVCarSetup::TSectionList::clear() {
  table_.clear();
  list_.clear();
  store_.clear();
}

TTOVCarSetupSection* TTOVCarSetup::TSectionList::FindOrAdd(std::string_view name, int32_t lineIndex) {
  if ((list_.size() + 1) * 2 > table_.size()) Grow();
  const std::size_t hash = NameHash(name);
  std::size_t i = hash & (table_.size() - 1);
  for (; table_[i].section; i = (i + 1) & (table_.size() - 1))
    if (table_[i].hash == hash && SameText(table_[i].section->Name(), name)) return table_[i].section;
  list_.push_back(store_.Make(name, lineIndex));
  table_[i] = Slot{hash, list_.back()};
  return table_[i].section;
}

TTOVCarSetupSection* TTOVCarSetup::TSectionList::Find(std::string_view name) const {
  if (table_.empty()) return nullptr;
  const std::size_t hash = NameHash(name);
  for (std::size_t i = hash & (table_.size() - 1); table_[i].section; i = (i + 1) & (table_.size() - 1))
    if (table_[i].hash == hash && SameText(table_[i].section->Name(), name)) return table_[i].section;
  return nullptr;
}

void TTOVCarSetup::TSectionList::Place(Slot slot) {
  std::size_t i = slot.hash & (table_.size() - 1);
  while (table_[i].section) i = (i + 1) & (table_.size() - 1);
  table_[i] = slot;
}

void TTOVCarSetup::TSectionList::Grow() {
  std::vector<Slot> old(std::max<std::size_t>(16, table_.size() * 2));
  old.swap(table_);
  for (const Slot& slot : old)
    if (slot.section) Place(slot);
}

TTOVCarSetupSection* TTOVCarSetup::FindSection(std::string_view name) const {
  return sections_.Find(name);
}

void TTOVCarSetup::ClearLines() {
  sections_.clear();
  entries_.clear();
  text_.clear();
  edits_.clear();
  lineCopiesValid_ = false;
}

void TTOVCarSetup::Clear() {
  ClearLines();
  fileName_.clear();
}

namespace {

// The line that starts at `pos` (before `end`) as SplitSetupLines finds it (LF, CR and CR LF end one);
// `pos` moves on to the next line.
std::string_view NextLine(const char*& pos, const char* end) {
  const auto find = [](const char* from, const char* to, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
    return found ? static_cast<const char*>(found) : to;
  };
  const char* stop = find(pos, find(pos, end, '\n'), '\r');
  const std::string_view line(pos, static_cast<std::size_t>(stop - pos));
  if (stop != end && *stop == '\r' && stop + 1 != end && stop[1] == '\n') ++stop;
  pos = stop == end ? end : stop + 1;
  return line;
}

}  // namespace

template <typename Visit>
void TTOVCarSetup::ForEachLine(Visit visit) const {
  auto edit = edits_.begin();
  int32_t index = 0;
  for (const char *pos = text_.data(), *end = pos + text_.size(); pos < end; ++index) {
    const std::string_view line = NextLine(pos, end);
    if (edit != edits_.end() && edit->first == index) {
      visit(std::string_view(edit->second));
      ++edit;
    } else {
      visit(line);
    }
  }
}

std::string_view TTOVCarSetup::EntryLine(const TTOVCarSetupData& data) const {
  if (const auto edit = edits_.find(data.LineIndex()); edit != edits_.end()) return edit->second;
  // The name is the line's first token: only blanks stand before it.
  const char* const begin = text_.data();
  const char* const end = begin + text_.size();
  const char* start = data.Name().data();
  while (start != begin && IsBlank(start[-1])) --start;
  const char* stop = data.Name().data() + data.Name().size();
  while (stop != end && *stop != '\n' && *stop != '\r') ++stop;
  return std::string_view(start, static_cast<std::size_t>(stop - start));
}

const std::vector<std::string>& TTOVCarSetup::Lines() const {
  if (!lineCopiesValid_) {
    lineCopies_.clear();
    ForEachLine([this](std::string_view line) { lineCopies_.emplace_back(line); });
    lineCopiesValid_ = true;
  }
  return lineCopies_;
}

bool SetupHeadMayPass(std::string_view head) {
  // Whether the file may go on past these bytes: it does not when they are fewer or a NUL ends its text.
  const auto nul = head.find('\0');
  const bool mayGoOn = head.size() == kSetupHeadSize && nul == std::string_view::npos;
  head = head.substr(0, nul);
  const auto firstBreak = head.find_first_of("\r\n");
  if (firstBreak == std::string_view::npos) return mayGoOn && head.substr(0, 3) == "((\"";  // a long line
  if (head.substr(0, std::min<std::size_t>(firstBreak, 3)) != "((\"") return false;
  std::size_t next = firstBreak + 1;
  if (head[firstBreak] == '\r' && next < head.size() && head[next] == '\n') ++next;
  const std::string_view rest = head.substr(next);
  const std::string_view second = rest.substr(0, rest.find_first_of("\r\n"));
  if (second.size() < 4 && second.size() == rest.size() && mayGoOn)  // the bytes end inside the line
    return std::string_view(" Car").substr(0, second.size()) == second;
  if (second.substr(0, 4) != " Car") return false;
  // A third line must follow (anything after the second line's break), or may follow past these bytes.
  std::string_view after = rest.substr(second.size());
  if (after.substr(0, 2) == "\r\n")
    after.remove_prefix(2);
  else if (!after.empty())
    after.remove_prefix(1);
  return !after.empty() || mayGoOn;
}

std::string NulByteNotice(const std::string& path, int64_t offset) {
  return path + " holds a NUL byte at offset " + std::to_string(offset) +
         ": everything after it is ignored, and saving will drop it.";
}

void TTOVCarSetup::LoadFromFile(const std::string& path) {
  try {
    if (!FileExists(path)) throw Error("File not found = " + path);
    FilePtr file = OpenFileForReading(path);
    std::string bytes;
    ReadMore(file.get(), path, kSetupHeadSize, bytes);
    if (!SetupHeadMayPass(bytes)) throw Error("Invalid file = " + path);
    if (OpenFileSize(file.get()) > kMaxSetupFileSize)
      throw Error(path + " is too large for a setup file (over " + std::to_string(kMaxSetupFileSize >> 20) +
                  " MB).");
    bytes.reserve(static_cast<std::size_t>(OpenFileSize(file.get())) + 1);
    ReadMore(file.get(), path, static_cast<std::size_t>(kMaxSetupFileSize) + 1 - bytes.size(), bytes);
    file.reset();
    LoadText(std::move(bytes), path);
  } catch (...) {
    // Never keep sections whose line indexes point into lines that are gone.
    ClearLines();
    throw;
  }
}

void TTOVCarSetup::LoadFromBytes(std::string_view bytes, const std::string& path) {
  LoadText(std::string(bytes), path);
}

void TTOVCarSetup::LoadText(std::string bytes, const std::string& path) {
  ClearLines();
  nulOffset_ = -1;
  const auto nul = bytes.find('\0');
  int64_t nulOffset = -1;
  if (nul != std::string::npos) {
    if (bytes.find_first_not_of('\0', nul) != std::string::npos) nulOffset = static_cast<int64_t>(nul);
    bytes.resize(nul);
  }
  text_ = std::move(bytes);
  try {
    // The first three lines tell a setup file.
    std::string_view head[3];
    int lines = 0;
    for (const char *pos = text_.data(), *end = pos + text_.size(); pos < end && lines < 3; ++lines)
      head[lines] = NextLine(pos, end);
    if (lines < 3 || head[0].substr(0, 3) != "((\"" || head[1].substr(0, 4) != " Car")
      throw Error("Invalid file = " + path);
    Parse();
  } catch (...) {
    ClearLines();
    throw;
  }
  fileName_ = path;
  nulOffset_ = nulOffset;
}

namespace {

// The keys that already have an entry in their section while a file is parsed. Walking a section's list
// for every line made parsing quadratic in the section's size, so a section's keys go into an
// open-addressing table once it has more than a few; a small section is still walked, which keeps a file
// of many small sections in the cache instead of spreading it over a large table.
class TParsedKeys {
 public:
  static constexpr int32_t kWalked = 16;  // sections up to this size are walked

  bool Contains(const TTOVCarSetupSection& section, std::string_view key) const {
    if (section.Count() <= kWalked) return section.FindData(key) != nullptr;
    const std::size_t hash = Hash(section, key);
    for (std::size_t i = hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[i];
      if (!slot.entry) return false;
      if (slot.hash == hash && slot.section == &section && SameText(slot.entry->Name(), key)) return true;
    }
  }

  // After `entry` was added to `section`.
  void Added(const TTOVCarSetupSection& section, const TTOVCarSetupData& entry) {
    if (section.Count() <= kWalked) return;
    if (section.Count() == kWalked + 1)
      for (int32_t i = 0; i < kWalked; ++i) Insert(section, *section.GetData(i));
    Insert(section, entry);
  }

 private:
  struct Slot {
    std::size_t hash = 0;
    const TTOVCarSetupSection* section = nullptr;
    const TTOVCarSetupData* entry = nullptr;
  };

  static std::size_t Hash(const TTOVCarSetupSection& section, std::string_view key) {
    return NameHash(key, std::hash<const void*>()(&section) * 1099511628211ull);
  }

  void Insert(const TTOVCarSetupSection& section, const TTOVCarSetupData& entry) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    Place(Slot{Hash(section, entry.Name()), &section, &entry});
    ++count_;
  }

  void Place(const Slot& slot) {
    std::size_t i = slot.hash & (slots_.size() - 1);
    while (slots_[i].entry) i = (i + 1) & (slots_.size() - 1);
    slots_[i] = slot;
  }

  void Grow() {
    std::vector<Slot> old(std::max<std::size_t>(64, slots_.size() * 2));
    old.swap(slots_);
    for (const Slot& slot : old)
      if (slot.entry) Place(slot);
  }

  std::vector<Slot> slots_;  // never more than half full
  std::size_t count_ = 0;
};

}  // namespace

void TTOVCarSetup::Parse() {
  sections_.clear();
  TParsedKeys parsed;
  TTOVCarSetupSection* current = nullptr;
  const char* pos = text_.data();
  const char* const end = pos + text_.size();
  if (pos < end) NextLine(pos, end);  // the file's heading
  for (int32_t index = 1; pos < end; ++index) {
    const SetupLineSplit split = SplitSetupLine(NextLine(pos, end));
    if (split.valuePosition < 0) continue;
    if (split.value.substr(0, 2) == "(\"") {
      current = sections_.FindOrAdd(split.key, index);  // a repeated heading reopens its section
      continue;
    }
    if (!current || parsed.Contains(*current, split.key)) continue;
    int32_t intValue = 0;
    float floatValue = 0;
    const SetupValueKind kind = ReadSetupValue(split.value, intValue, floatValue);
    if (kind == SetupValueKind::None) continue;
    const bool isFloat = kind == SetupValueKind::Float;
    const TTOVCarSetupData* added = current->Add(entries_.Make(
        split.key, index, isFloat ? TTOVCarSetupData::kFloatMark : intValue, isFloat ? floatValue : 0.0f));
    parsed.Added(*current, *added);
  }
}

void TTOVCarSetup::WriteBackChangedValues() {
  for (const TTOVCarSetupSection* section : sections_) {
    for (int32_t i = 0; i < section->Count(); ++i) {
      const TTOVCarSetupData* data = section->GetData(i);
      if (!data->Changed()) continue;
      const std::string_view current = EntryLine(*data);
      const SetupLineSplit split = SplitSetupLine(current);
      if (split.valuePosition < 0 || !SameText(split.key, data->Name())) continue;
      std::string line(current.substr(0, static_cast<std::size_t>(split.valuePosition - 1)));
      line += data->IsFloat() ? FormatFloat6(data->FloatValue()) : FormatInt(data->IntValue());
      edits_[data->LineIndex()] = std::move(line);
      lineCopiesValid_ = false;
    }
  }
}

std::string TTOVCarSetup::SaveToBytes() {
  WriteBackChangedValues();
  std::string bytes;
  bytes.reserve(text_.size() + 16 * edits_.size() + 1);
  bool first = true;
  ForEachLine([&](std::string_view line) {
    if (!first) bytes.push_back('\n');
    first = false;
    bytes += line;
  });
  bytes.push_back('\0');
  return bytes;
}

void TTOVCarSetup::SaveToFile(const std::string& path) {
  const std::string target = path.empty() ? fileName_ : path;
  WriteFileReplacing(target, SaveToBytes());
  if (!path.empty()) fileName_ = path;
}

}  // namespace gw
