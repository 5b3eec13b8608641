#include "show_members.h"

#include <cstdio>
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

// Walks one name list to its end and prints it on one line (nothing when empty).
TOrdexReturnCode printNameList(TOrdex* inst, const char* module, const char* owner,
                               const char* keyword, NameStep step, const char* indent) {
  std::string line;
  char name[256] = "";
  for (;;) {
    TOrdexReturnCode rc = step(inst, module, owner, name);
    if (rc != rcOk) return rc;
    if (!*name) break;
    line.append(" ").append(name);
  }
  if (!line.empty()) std::printf("%s%s%s\n", indent, keyword, line.c_str());
  return rcOk;
}

using AnnotationStep = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, int,
                                            TAnnotationRecord2*);

TOrdexReturnCode walkAnnotations(TOrdex* inst, const char* module, const char* name, int axis,
                                 AnnotationStep step, const char* heading, const char* indent) {
  int size = 1;
  TOrdexReturnCode rc = Ordex_GetMaxAnnotationTextSize(inst, module, &size);
  if (rc != rcOk) return rc;
  std::vector<char> text(size > 0 ? static_cast<size_t>(size) : 1, '\0');
  TAnnotationRecord2 r;
  r.Label[0] = r.Origin[0] = '\0';
  r.Text = text.data();
  for (;;) {
    rc = step(inst, module, name, axis, &r);
    if (rc != rcOk) return rc;
    if (!r.Label[0] && !r.Origin[0] && !r.Text[0]) return rcOk;
    std::printf("%s%sANNOTATION label \"%s\" origin \"%s\"\n", indent, heading, r.Label, r.Origin);
    if (r.Text[0]) std::printf("%s  %s\n", indent, r.Text);
  }
}

TOrdexReturnCode characteristicAnnotations(TOrdex* i, const char* m, const char* n, int,
                                           TAnnotationRecord2* r) {
  return Ordex_GetAChasNextAnnotation2(i, m, n, r);
}
TOrdexReturnCode measurementAnnotations(TOrdex* i, const char* m, const char* n, int,
                                        TAnnotationRecord2* r) {
  return Ordex_GetAMeasNextAnnotation2(i, m, n, r);
}
TOrdexReturnCode axisPtsAnnotations(TOrdex* i, const char* m, const char* n, int,
                                    TAnnotationRecord2* r) {
  return Ordex_GetAAxisPtsNextAnnotation2(i, m, n, r);
}

}  // namespace

TOrdexReturnCode printFunctionNameLists(TOrdex* inst, const char* module, const char* function,
                                        const char* indent) {
  for (const NameList& l : kFunctionLists) {
    TOrdexReturnCode rc = printNameList(inst, module, function, l.keyword, l.step, indent);
    if (rc != rcOk) return rc;
  }
  return rcOk;
}

TOrdexReturnCode printMeasurementVirtuals(TOrdex* inst, const char* module, const char* measurement,
                                          const char* indent) {
  return printNameList(inst, module, measurement, "VIRTUAL", Ordex_GetAMeasNextVirtual, indent);
}

TOrdexReturnCode printAnnotations(TOrdex* inst, const char* module, MemberOwner owner,
                                  const char* name, const char* indent) {
  switch (owner) {
    case MemberOwner::kCharacteristic: {
      TOrdexReturnCode rc =
          walkAnnotations(inst, module, name, 0, characteristicAnnotations, "", indent);
      for (int axis = 0; rc == rcOk && axis < 3; ++axis) {
        std::string heading = "AXIS_DESCR " + std::to_string(axis + 1) + " ";
        rc = walkAnnotations(inst, module, name, axis, Ordex_GetAnAxisDescrsNextAnnotation2,
                             heading.c_str(), indent);
      }
      return rc;
    }
    case MemberOwner::kMeasurement:
      return walkAnnotations(inst, module, name, 0, measurementAnnotations, "", indent);
    case MemberOwner::kAxisPts:
      return walkAnnotations(inst, module, name, 0, axisPtsAnnotations, "", indent);
    case MemberOwner::kModule:
    case MemberOwner::kMemorySegment:
      break;
  }
  return rcOk;
}

TOrdexReturnCode printIfData(TOrdex* inst, const char* module, MemberOwner owner, const char* name,
                             const char* indent) {
  TIfDataRecord r;
  r.Name[0] = '\0';
  r.Content = nullptr;
  for (;;) {
    TOrdexReturnCode rc = rcOk;
    switch (owner) {
      case MemberOwner::kModule:
        rc = Ordex_GetAModulesNextIfData(inst, module, &r);
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
    std::printf("%sIF_DATA %s %s\n", indent, r.Name, r.Content ? r.Content : "");
  }
}

}  // namespace ordex_tool
