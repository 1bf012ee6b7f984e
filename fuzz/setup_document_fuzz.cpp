// Any bytes: the document loads or refuses them with gw::Error, and a file that loads passes the early
// check of its head; a loaded document saved unchanged gives its lines joined by LF; setting every entry and
// saving keeps every entry readable with the same kind.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "setup/car_setup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  gw::TTOVCarSetup doc;
  try {
    doc.LoadFromBytes(bytes, "fuzz.lsp");
  } catch (const gw::Error&) {
    if (!doc.Lines().empty() || doc.SectionCount() != 0) std::abort();
    return 0;
  }
  // The early check of a file's first bytes never refuses a file that loads.
  if (!gw::SetupHeadMayPass(bytes.substr(0, gw::kSetupHeadSize))) std::abort();

  // The document finds its lines in its text as the plain splitter does.
  if (doc.Lines() != gw::SplitSetupLines(bytes)) std::abort();

  std::string joined;
  for (std::size_t i = 0; i < doc.Lines().size(); ++i) joined += (i ? "\n" : "") + doc.Lines()[i];
  if (doc.SaveToBytes() != joined + '\0') std::abort();

  // Derive new values from the input so that the fuzzer explores the number texts too.
  uint32_t seed = static_cast<uint32_t>(size);
  for (int s = 0; s < doc.SectionCount(); ++s) {
    gw::TTOVCarSetupSection* section = doc.GetSection(s);
    for (int i = 0; i < section->Count(); ++i) {
      seed = seed * 1103515245u + 12345u + (size ? data[seed % size] : 0);
      gw::TTOVCarSetupData* entry = section->GetData(i);
      if (entry->IsFloat()) {
        float f = static_cast<float>(static_cast<int32_t>(seed)) / static_cast<float>(1u << (seed % 24));
        entry->SetFloat(f);
      } else {
        entry->SetInteger(static_cast<int32_t>(seed % 2147483647u) -
                          static_cast<int32_t>(seed & 1u) * 1000000);
      }
    }
  }
  const std::string saved = doc.SaveToBytes();
  gw::TTOVCarSetup again;
  again.LoadFromBytes(saved, "again.lsp");
  for (int s = 0; s < doc.SectionCount(); ++s) {
    const gw::TTOVCarSetupSection* section = doc.GetSection(s);
    const gw::TTOVCarSetupSection* other = again.FindSection(section->Name());
    if (!other) std::abort();
    for (int i = 0; i < section->Count(); ++i) {
      const gw::TTOVCarSetupData* entry = section->GetData(i);
      const gw::TTOVCarSetupData* read = other->FindData(entry->Name());
      // An entry whose line another entry of the same key shadows is not looked at: only the first counts.
      if (!read || read->LineIndex() != entry->LineIndex()) continue;
      if (read->IsFloat() != entry->IsFloat()) std::abort();
      if (!entry->IsFloat() && read->IntValue() != entry->IntValue()) std::abort();
    }
  }
  return 0;
}
