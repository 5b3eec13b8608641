#include "show_members.h"

#include <cstring>
#include <string>
#include <vector>

namespace ordex_tool {

namespace {

using NameStep = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);

struct NameList {
  const char* keyword;
  NameStep step;
};

const NameList kFunctionLists[] = {
    {"DEF_CHARACTERISTIC", Ordex_GetAFuncsNextDefChaName},
    {"REF_CHARACTERISTIC", Ordex_GetAFuncsNextRefChaName},
    {"IN_MEASUREMENT", Ordex_GetAFuncsNextInMeaName},
    {"OUT_MEASUREMENT", Ordex_GetAFuncsNextOutMeaName},
    {"LOC_MEASUREMENT", Ordex_GetAFuncsNextLocMeaName},
    {"SUB_FUNCTION", Ordex_GetAFuncsNextSubFuncName},
    {"AXIS_PTS", Ordex_GetAFuncsNextAxisPtsName},
};

// Walks one name list to its end into an array of names.
TOrdexReturnCode nameList(TOrdex* inst, const char* module, const char* owner, NameStep step,
                          Node& names) {
  char name[256] = "";
  for (;;) {
    TOrdexReturnCode rc = step(inst, module, owner, name);
    if (rc != rcOk) return rc;
    if (!*name) return rcOk;
    names.push(Node::word(name));
  }
}

// One annotation walk. Both record forms are walked the same way: the fixed one holds 2047
// characters of text, the form-2 one as many as the module's maximum says.
template <class Record, class Step>
TOrdexReturnCode walkAnnotations(Record& r, char* text, Step step, Node* axis, Node& list) {
  r.Label[0] = r.Origin[0] = '\0';
  text[0] = '\0';
  for (;;) {
    TOrdexReturnCode rc = step(&r);
    if (rc != rcOk) return rc;
    if (!r.Label[0] && !r.Origin[0] && !text[0]) return rcOk;
    Node& a = list.push(Node::object());
    if (axis) a.add("Axis", *axis);
    a.add("Label", Node::text(r.Label));
    a.add("Origin", Node::text(r.Origin));
    a.add("Text", Node::text(text));
  }
}

}  // namespace

TOrdexReturnCode addFunctionNameLists(TOrdex* inst, const char* module, const char* function,
                                      Node& record) {
  Node& lists = record.add("FunctionLists", Node::object());
  for (const NameList& l : kFunctionLists) {
    TOrdexReturnCode rc =
        nameList(inst, module, function, l.step, lists.add(l.keyword, Node::array()));
    if (rc != rcOk) return rc;
  }
  return rcOk;
}

TOrdexReturnCode addMeasurementVirtuals(TOrdex* inst, const char* module, const char* measurement,
                                        Node& record) {
  return nameList(inst, module, measurement, Ordex_GetAMeasNextVirtual,
                  record.add("Virtual", Node::array()));
}

TOrdexReturnCode addAnnotations(TOrdex* inst, const char* module, MemberOwner owner,
                                const char* name, Node& record) {
  int size = 1;
  TOrdexReturnCode rc = Ordex_GetMaxAnnotationTextSize(inst, module, &size);
  if (rc != rcOk) return rc;
  Node& list = record.add("Annotations", Node::array());
  const bool longForm = size > ORDEX_ANNOTATION_TEXT_SIZE;
  std::vector<char> buffer(longForm ? static_cast<size_t>(size) : 1, '\0');
  TAnnotationRecord2 r2;
  r2.Text = buffer.data();
  TAnnotationRecord r1;

  // owner walk: one call of the enumerator of the owner (axis -1: the object itself).
  auto walk = [&](int axis) -> TOrdexReturnCode {
    Node axisNode = axis < 0 ? Node::null() : Node::integer(axis + 1);
    Node* axisKey = owner == MemberOwner::kCharacteristic ? &axisNode : nullptr;
    auto step2 = [&](TAnnotationRecord2* r) {
      switch (owner) {
        case MemberOwner::kCharacteristic:
          return axis < 0 ? Ordex_GetAChasNextAnnotation2(inst, module, name, r)
                          : Ordex_GetAnAxisDescrsNextAnnotation2(inst, module, name, axis, r);
        case MemberOwner::kMeasurement:
          return Ordex_GetAMeasNextAnnotation2(inst, module, name, r);
        default:
          return Ordex_GetAAxisPtsNextAnnotation2(inst, module, name, r);
      }
    };
    auto step1 = [&](TAnnotationRecord* r) {
      switch (owner) {
        case MemberOwner::kCharacteristic:
          return axis < 0 ? Ordex_GetAChasNextAnnotation(inst, module, name, r)
                          : Ordex_GetAnAxisDescrsNextAnnotation(inst, module, name, axis, r);
        case MemberOwner::kMeasurement:
          return Ordex_GetAMeasNextAnnotation(inst, module, name, r);
        default:
          return Ordex_GetAAxisPtsNextAnnotation(inst, module, name, r);
      }
    };
    return longForm ? walkAnnotations(r2, r2.Text, step2, axisKey, list)
                    : walkAnnotations(r1, r1.Text, step1, axisKey, list);
  };

  switch (owner) {
    case MemberOwner::kCharacteristic:
      rc = walk(-1);
      for (int axis = 0; rc == rcOk && axis < 3; ++axis) rc = walk(axis);
      return rc;
    case MemberOwner::kMeasurement:
    case MemberOwner::kAxisPts:
      return walk(-1);
    case MemberOwner::kModule:
    case MemberOwner::kMemorySegment:
      break;
  }
  return rcOk;
}

TOrdexReturnCode addIfData(TOrdex* inst, const char* module, MemberOwner owner, const char* name,
                           Node& record) {
  Node& list = record.add("IfData", Node::array());
  TIfDataRecord r;
  r.Name[0] = '\0';
  r.Content = nullptr;
  for (;;) {
    TOrdexReturnCode rc = rcOk;
    switch (owner) {
      case MemberOwner::kModule:
        rc = Ordex_GetAModulesNextIfData(inst, name, &r);
        break;
      case MemberOwner::kMemorySegment:
        rc = Ordex_GetAMemSegsNextIfData(inst, module, name, &r);
        break;
      case MemberOwner::kCharacteristic:
        rc = Ordex_GetAChasNextIfData(inst, module, name, &r);
        break;
      case MemberOwner::kMeasurement:
        rc = Ordex_GetAMeasNextIfData(inst, module, name, &r);
        break;
      case MemberOwner::kAxisPts:
        rc = Ordex_GetAAxisPtsNextIfData(inst, module, name, &r);
        break;
    }
    if (rc != rcOk) return rc;
    if (!r.Name[0]) return rcOk;
    Node& entry = list.push(Node::object());
    entry.add("Name", Node::word(r.Name));
    entry.add("Content", Node::text(r.Content ? r.Content : ""));
  }
}

}  // namespace ordex_tool
