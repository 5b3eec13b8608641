// The summary of what a read kept beyond the model.
#include <cstring>

#include "api/guarded.h"
#include "model/copy_to_field.h"
#include "query/kept_blocks.h"
#include "query/kept_summary.h"

using ordex::api::guarded;

namespace {

struct SummaryCache : ordex::SourceDerived {
  std::vector<ordex::KeptSummaryEntry> entries;
};

const std::vector<ordex::KeptSummaryEntry> kNoEntries;

// The summary kept with the text; made anew when remake is set or none is kept.
const std::vector<ordex::KeptSummaryEntry>& summaryOf(TOrdex* instance, bool remake) {
  const TProject_Intern& project = ordex::api::projectOf(instance);
  if (!project.Source) return kNoEntries;
  std::unique_ptr<ordex::SourceDerived>& slot = ordex::keptDerivedOf(*project.Source);
  auto* cache = dynamic_cast<SummaryCache*>(slot.get());
  if (cache && !remake) return cache->entries;
  auto made = std::make_unique<SummaryCache>();
  made->entries = ordex::keptSummaryOf(project);
  // keptSummaryOf walks the tree cache, which holds the slot: set it only afterwards.
  std::unique_ptr<ordex::SourceDerived>& again = ordex::keptDerivedOf(*project.Source);
  again = std::move(made);
  return static_cast<SummaryCache*>(again.get())->entries;
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetNumKeptSummaryEntries(TOrdex* instance, int32_t* count) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    int32_t& out = ordex::api::required(count);
    out = static_cast<int32_t>(summaryOf(instance, true).size());
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetKeptSummaryEntry(TOrdex* instance, int32_t index,
                                                        TKeptSummaryEntry* entry) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    TKeptSummaryEntry& out = ordex::api::required(entry);
    const std::vector<ordex::KeptSummaryEntry>& entries = summaryOf(instance, false);
    if (index < 0 || static_cast<size_t>(index) >= entries.size()) return rcIndexOutOfRange;
    const ordex::KeptSummaryEntry& e = entries[static_cast<size_t>(index)];
    const ordex::SourceText& source = *instance->Project->Source;
    std::memset(&out, 0, sizeof out);
    ordex::copyToField(out.Keyword, e.keyword);
    ordex::copyToField(out.File, source.files[e.file]->path);
    ordex::copyToField(out.Module, e.module);
    ordex::copyToField(out.Object, e.object);
    out.Kind = e.kind;
    out.Line = e.line;
    out.Count = e.count;
    return rcOk;
  });
}
