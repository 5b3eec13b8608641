#include "model/source_text.h"

#include <algorithm>

#include "model/function_record.h"
#include "model/project.h"

namespace ordex {

uint32_t SourceText::headEndOf(const SourceSpan& span) const {
  if (span.part == SourcePart::kProject || span.part == SourcePart::kModule) {
    for (const auto& [record, at] : headEnds) {
      if (record == span.record) return at;
    }
  }
  return span.end;
}

const SourceSpan* SourceText::spanOf(SourcePartKey key) const {
  if (!indexed_) {
    index_.reserve(spans.size());
    for (uint32_t i = 0; i < spans.size(); ++i) {
      if (!spans[i].freed) index_.emplace(SourcePartKey{spans[i].record, spans[i].part}, i);
    }
    indexed_ = true;
  }
  auto it = index_.find(key);
  return it == index_.end() ? nullptr : &spans[it->second];
}

void SourceText::forget(SourcePartKey key) {
  if (!spanOf(key)) return;
  auto it = index_.find(key);
  spans[it->second].freed = true;
  index_.erase(it);
}

namespace {
// The last `count` entries of a list.
void appendTail(const FunctionRefList& list, uint32_t count,
                std::vector<const TFunctionRef*>& out) {
  const uint32_t held = list.count();
  if (count == 0 || count > held) return;
  uint32_t skip = held - count;
  for (const TFunctionRef* e : list) {
    if (skip > 0) {
      --skip;
    } else {
      out.push_back(e);
    }
  }
}
}  // namespace

std::vector<const TFunctionRef*> SourceText::foldedEntriesOf(const TFunction_Intern& f) const {
  std::vector<const TFunctionRef*> out;
  auto edit = edited.find(SourcePartKey{&f, SourcePart::kObject});
  // A removed function's entry is filed under an address that a function made later may have.
  if (edit != edited.end()) return edit->second.removed ? out : edit->second.folded;
  auto tail = foldedTails.find(&f);
  if (tail == foldedTails.end()) return out;
  appendTail(f.DefCharacteristics, tail->second.defCharacteristics, out);
  appendTail(f.InMeasurements, tail->second.inMeasurements, out);
  appendTail(f.AxisPts, tail->second.axisPts, out);
  return out;
}

namespace {
// The list of a function that an object's FUNCTION_LIST adds it to.
const FunctionRefList* foldedListFor(const TFunction_Intern& f, int32_t kind) {
  switch (kind) {
    case ordex::ekCharacteristic:
      return &f.DefCharacteristics;
    case ordex::ekMeasurement:
      return &f.InMeasurements;
    case ordex::ekAxisPts:
      return &f.AxisPts;
    default:
      return nullptr;
  }
}
}  // namespace

std::vector<const TFunction_Intern*> SourceText::foldedFunctionsOf(const ObjectHead& object) const {
  std::vector<const TFunction_Intern*> out;
  if (foldedTails.empty()) return out;
  const auto& module = *static_cast<const TModule_Intern*>(object.Owner);
  for (const TFunction_Intern* f : module.Functions) {
    const FunctionRefList* list = foldedListFor(*f, object.Kind);
    if (!list || (!foldedTails.count(f) && !edited.count({f, SourcePart::kObject}))) continue;
    for (const TFunctionRef* e : foldedEntriesOf(*f)) {
      bool inList = false;
      for (const TFunctionRef* x : *list) inList = inList || x == e;
      if (inList && e->Name.view() == object.Name.view()) out.push_back(f);
    }
  }
  return out;
}

size_t SourceText::bytesHeld() const {
  size_t bytes = spans.capacity() * sizeof(SourceSpan);
  for (const auto& f : files) bytes += f->buffer.capacity();
  return bytes;
}

namespace source_edits {

namespace {
SourceText* sourceOf(TModule_Intern& module) {
  auto* project = static_cast<TProject_Intern*>(module.Owner);
  return project ? project->Source.get() : nullptr;
}

// Whether the part a key names was read: parts of a module or project that the file left
// out still count when the module or project was read, as their absence is then part of
// the text.
bool partWasRead(const SourceText& source, SourcePartKey key) {
  switch (key.part) {
    case SourcePart::kHeader:
    case SourcePart::kVersion:
      return source.wasRead({key.record, SourcePart::kProject});
    case SourcePart::kModPar:
    case SourcePart::kModCommon:
      return source.wasRead({key.record, SourcePart::kModule});
    default:
      return source.wasRead(key);
  }
}
}  // namespace

void changing(TProject_Intern& project, SourcePartKey key) {
  SourceText* source = project.Source.get();
  if (!source || !source->renderer) return;
  if (source->edited.count(key) || !partWasRead(*source, key)) return;
  SourceText::Edited entry;
  if (key.part == SourcePart::kObject) {
    const auto* object = static_cast<const ObjectHead*>(key.record);
    entry.owner = object->Owner;
    if (object->Kind == ordex::ekFunction) {
      entry.folded = source->foldedEntriesOf(*static_cast<const TFunction_Intern*>(object));
    }
  }
  source->renderer(project, key, entry.before);
  source->edited.emplace(key, std::move(entry));
}

void changingObject(TModule_Intern& module, const ObjectHead& object) {
  SourceText* source = sourceOf(module);
  if (!source || source->createdSet.count(&object)) return;
  changing(*static_cast<TProject_Intern*>(module.Owner), {&object, SourcePart::kObject});
}

void created(TModule_Intern& module, const ObjectHead& object) {
  SourceText* source = sourceOf(module);
  if (!source) return;
  source->created.push_back(&object);
  source->createdSet.insert(&object);
}

void removingObject(TModule_Intern& module, const ObjectHead& object) {
  SourceText* source = sourceOf(module);
  if (!source) return;
  if (source->createdSet.erase(&object)) {
    auto& c = source->created;
    c.erase(std::remove(c.begin(), c.end(), &object), c.end());
    return;
  }
  SourcePartKey key{&object, SourcePart::kObject};
  if (!source->wasRead(key)) return;
  SourceText::Edited& entry = source->edited[key];
  entry.removed = true;
  entry.owner = object.Owner;
  entry.folded.clear();
  if (object.Kind == ordex::ekFunction) {
    source->foldedTails.erase(static_cast<const TFunction_Intern*>(&object));
  }
  source->forget(key);
}

void removingModule(TProject_Intern& project, const TModule_Intern& module) {
  SourceText* source = project.Source.get();
  if (!source) return;
  // The module's records are freed with it: nothing may stay filed under their addresses.
  // Only live records are read here: removed objects are known by the owner their entry
  // noted.
  auto& c = source->created;
  for (const ObjectHead* o : c) {
    if (o->Owner == &module) source->createdSet.erase(o);
  }
  c.erase(std::remove_if(c.begin(), c.end(),
                         [&module](const ObjectHead* o) { return o->Owner == &module; }),
          c.end());
  for (auto it = source->edited.begin(); it != source->edited.end();) {
    const SourcePart part = it->first.part;
    bool ofModule = part == SourcePart::kObject
                        ? it->second.owner == &module
                        : (part == SourcePart::kModPar || part == SourcePart::kModCommon) &&
                              it->first.record == &module;
    it = ofModule ? source->edited.erase(it) : std::next(it);
  }
  for (const TFunction_Intern* f : module.Functions) source->foldedTails.erase(f);
  for (SourceSpan& span : source->spans) {
    if (span.freed || span.part != SourcePart::kObject) continue;
    if (static_cast<const ObjectHead*>(span.record)->Owner == &module) {
      source->forget({span.record, span.part});
    }
  }
  source->forget({&module, SourcePart::kModPar});
  source->forget({&module, SourcePart::kModCommon});
  SourcePartKey key{&module, SourcePart::kModule};
  if (!source->wasRead(key)) return;
  source->edited[key].removed = true;
  source->forget(key);
}

void removingFunctionEntry(TModule_Intern& module, const TFunction_Intern& function,
                           const TFunctionRef& entry) {
  SourceText* source = sourceOf(module);
  if (!source) return;
  auto edit = source->edited.find(SourcePartKey{&function, SourcePart::kObject});
  if (edit == source->edited.end()) return;
  auto& folded = edit->second.folded;
  auto it = std::find(folded.begin(), folded.end(), &entry);
  if (it == folded.end()) return;
  // The entry stands in the FUNCTION_LIST of the object it names: that object changes.
  const ObjectHead* object = nullptr;
  for (const FunctionRefList* list :
       {&function.DefCharacteristics, &function.InMeasurements, &function.AxisPts}) {
    bool inList = false;
    for (const TFunctionRef* x : *list) inList = inList || x == &entry;
    if (!inList) continue;
    if (list == &function.DefCharacteristics) object = module.Characteristics.findExact(entry.Name);
    if (list == &function.InMeasurements) object = module.Measurements.findExact(entry.Name);
    if (list == &function.AxisPts) object = module.AxisPts.findExact(entry.Name);
  }
  if (object) changingObject(module, *object);
  folded.erase(std::remove(folded.begin(), folded.end(), &entry), folded.end());
}

}  // namespace source_edits

}  // namespace ordex
