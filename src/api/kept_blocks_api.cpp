// The kept-block tree: what a read kept beyond the model, per scope.
#include <cstring>

#include "api/guarded.h"
#include "model/copy_to_field.h"
#include "query/kept_blocks.h"

using ordex::readSpan;
using ordex::api::guarded;

namespace {

const ordex::KeptTree kEmptyTree;

// The object of a kind by name (comparison mode), or throws the kind's not-found code.
const ordex::ObjectHead& objectOf(const TModule_Intern& m, int32_t kind, const char* name) {
  const ordex::ObjectHead* found = nullptr;
  TOrdexReturnCode missing = rcInvalidArgument;
  const std::string_view n = name ? std::string_view(name) : std::string_view();
  switch (kind) {
    case etCharacteristic:
      found = m.Characteristics.find(n), missing = rcCharacteristicNotFound;
      break;
    case etMeasurement:
      found = m.Measurements.find(n), missing = rcMeasurementNotFound;
      break;
    case etFunction:
      found = m.Functions.find(n), missing = rcFunctionNotFound;
      break;
    case etCompuMethod:
      found = m.CompuMethods.find(n), missing = rcCompuMethodNotFound;
      break;
    case etCompuTab:
      found = m.CompuTabs.find(n), missing = rcCompuTabNotFound;
      break;
    case etCompuVTab:
      found = m.CompuVTabs.find(n), missing = rcCompuVTabNotFound;
      break;
    case etRecordLayout:
      found = m.RecordLayouts.find(n), missing = rcRecordLayoutNotFound;
      break;
    case etAxisPts:
      found = m.AxisPts.find(n), missing = rcAxisPtsNotFound;
      break;
    default:
      throw rcInvalidArgument;
  }
  if (!name) throw rcNullArgument;
  if (!found) throw missing;
  return *found;
}

const ordex::KeptTree& treeOf(TOrdex* instance, const char* moduleName, int32_t kind,
                              const char* objectName) {
  TProject_Intern& project = ordex::api::projectOf(instance);
  const ordex::SourceText* source = project.Source.get();
  if (kind == etProject) {
    return source ? ordex::keptTreeOf(*source, ordex::KeptScope::kFileLevel, nullptr) : kEmptyTree;
  }
  TModule_Intern& module = ordex::api::moduleOf(instance, moduleName);
  if (kind == etModule) {
    const ordex::SourceSpan* span =
        source ? readSpan(*source, &module, ordex::SourcePart::kModule) : nullptr;
    return span ? ordex::keptTreeOf(*source, ordex::KeptScope::kModule, span) : kEmptyTree;
  }
  const ordex::ObjectHead& object = objectOf(module, kind, objectName);
  const ordex::SourceSpan* span =
      source ? readSpan(*source, &object, ordex::SourcePart::kObject) : nullptr;
  return span ? ordex::keptTreeOf(*source, ordex::KeptScope::kObject, span) : kEmptyTree;
}

const ordex::KeptNode& nodeOf(const ordex::KeptTree& tree, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= tree.nodes.size()) throw rcIndexOutOfRange;
  return tree.nodes[static_cast<size_t>(index)];
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetNumKeptBlocks(TOrdex* instance, const char* moduleName,
                                                     int32_t kind, const char* objectName,
                                                     int32_t* count) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    int32_t& out = ordex::api::required(count);
    out = static_cast<int32_t>(treeOf(instance, moduleName, kind, objectName).nodes.size());
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetKeptBlock(TOrdex* instance, const char* moduleName,
                                                 int32_t kind, const char* objectName,
                                                 int32_t index, TKeptBlock* block) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    TKeptBlock& out = ordex::api::required(block);
    const ordex::KeptTree& tree = treeOf(instance, moduleName, kind, objectName);
    const ordex::KeptNode& n = nodeOf(tree, index);
    const ordex::SourceText& source = *instance->Project->Source;
    std::memset(&out, 0, sizeof out);
    ordex::copyToField(out.Keyword, n.keyword);
    ordex::copyToField(out.Name, tree.nameOf(n));
    ordex::copyToField(out.File, source.files[n.file]->path);
    ordex::copyToField(out.Within, tree.withins[n.within]);
    out.Line = n.line;
    out.Parent = n.parent;
    out.Depth = n.depth;
    out.NumChildren = n.numChildren;
    out.NextSibling = n.nextSibling;
    out.NumTokens = static_cast<int32_t>(n.numTokens);
    out.IsBlock = n.block ? 1 : 0;
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetKeptBlockTokens(TOrdex* instance, const char* moduleName,
                                                       int32_t kind, const char* objectName,
                                                       int32_t index, char* buffer, int size,
                                                       int32_t* needed) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    if (!buffer && size > 0) return rcNullArgument;
    const ordex::KeptTree& tree = treeOf(instance, moduleName, kind, objectName);
    const ordex::KeptNode& n = nodeOf(tree, index);
    size_t total = 1;
    for (uint32_t i = 0; i < n.numTokens; ++i) total += tree.tokens[n.firstToken + i].size() + 1;
    if (needed) *needed = static_cast<int32_t>(total);
    if (!buffer || size <= 0) return rcOk;
    if (total > static_cast<size_t>(size)) {
      buffer[0] = '\0';
      return rcBadSize;
    }
    char* p = buffer;
    for (uint32_t i = 0; i < n.numTokens; ++i) {
      std::string_view t = tree.tokens[n.firstToken + i];
      std::memcpy(p, t.data(), t.size());
      p += t.size();
      *p++ = '\0';
    }
    *p = '\0';
    return rcOk;
  });
}
