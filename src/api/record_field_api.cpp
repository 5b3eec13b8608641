// Ordex_GetRecordField: the field tables of api/fields/ as the public descriptions.
#include <cstddef>

#include "api/guarded.h"
#include "api/record_fields.h"

namespace {

using ordex::api::describeField;

#define ORDEX_FIELD(P, M, K, X, C) describeField<decltype(R::P)>(#P, offsetof(R, P), K, X),

namespace measurement {
using R = TMeasurement;
const TRecordField kFields[] = {
#include "api/fields/measurement.def"
};
}  // namespace measurement

namespace axis_pts {
using R = TAxisPts;
const TRecordField kFields[] = {
#include "api/fields/axis_pts.def"
};
}  // namespace axis_pts

namespace characteristic {
using R = TCharacteristic;
constexpr int32_t kAxesRecord = rtAxisDescr;
const TRecordField kFields[] = {
#include "api/fields/characteristic.def"
};
}  // namespace characteristic

namespace characteristic2 {
using R = TCharacteristic2;
constexpr int32_t kAxesRecord = rtAxisDescr2;
const TRecordField kFields[] = {
#include "api/fields/characteristic.def"
};
}  // namespace characteristic2

namespace axis_descr {
using R = TAxisDescr;
const TRecordField kFields[] = {
#include "api/fields/axis_descr.def"
};
}  // namespace axis_descr

namespace axis_descr2 {
using R = TAxisDescr2;
const TRecordField kFields[] = {
#include "api/fields/axis_descr2.def"
};
}  // namespace axis_descr2

namespace function {
using R = TFunction;
const TRecordField kFields[] = {
#include "api/fields/function.def"
};
}  // namespace function

namespace compu_method {
using R = TCompuMethod;
const TRecordField kFields[] = {
#include "api/fields/compu_method.def"
};
}  // namespace compu_method

namespace compu_method2 {
using R = TCompuMethod2;
const TRecordField kFields[] = {
#include "api/fields/compu_method2.def"
};
}  // namespace compu_method2

namespace compu_tab {
using R = TCompuTab;
const TRecordField kFields[] = {
#include "api/fields/compu_tab.def"
};
}  // namespace compu_tab

namespace compu_tab_pair {
using R = TCompuTabPair;
const TRecordField kFields[] = {
#include "api/fields/compu_tab_pair.def"
};
}  // namespace compu_tab_pair

namespace compu_vtab {
using R = TCompuVTab;
const TRecordField kFields[] = {
#include "api/fields/compu_vtab.def"
};
}  // namespace compu_vtab

namespace compu_vtab_pair {
using R = TCompuVTabPair;
const TRecordField kFields[] = {
#include "api/fields/compu_vtab_pair.def"
};
}  // namespace compu_vtab_pair

namespace record_layout {
using R = TRecordLayout;
const TRecordField kFields[] = {
#include "api/fields/record_layout.def"
};
}  // namespace record_layout

namespace record_layout2 {
using R = TRecordLayout2;
const TRecordField kFields[] = {
#include "api/fields/record_layout2.def"
};
}  // namespace record_layout2

namespace record_layout_element {
using R = TRecordLayoutElement;
const TRecordField kFields[] = {
#include "api/fields/record_layout_element.def"
};
}  // namespace record_layout_element

namespace project {
using R = TProject;
const TRecordField kFields[] = {
#include "api/fields/project.def"
};
}  // namespace project

namespace module {
using R = TModule;
const TRecordField kFields[] = {
#include "api/fields/module.def"
};
}  // namespace module

namespace memory_segment {
using R = TMemorySegment;
const TRecordField kFields[] = {
#include "api/fields/memory_segment.def"
};
}  // namespace memory_segment

#undef ORDEX_FIELD

struct Table {
  const TRecordField* fields;
  uint32_t count;
};

template <size_t N>
constexpr Table table(const TRecordField (&fields)[N]) {
  return Table{fields, static_cast<uint32_t>(N)};
}

// By TOrdexRecordType; a record without a table yet has no fields.
Table tableOf(int32_t recordType) {
  switch (recordType) {
    case rtProject:
      return table(project::kFields);
    case rtModule:
      return table(module::kFields);
    case rtMemorySegment:
      return table(memory_segment::kFields);
    case rtCharacteristic:
      return table(characteristic::kFields);
    case rtCharacteristic2:
      return table(characteristic2::kFields);
    case rtAxisDescr:
      return table(axis_descr::kFields);
    case rtAxisDescr2:
      return table(axis_descr2::kFields);
    case rtAxisPts:
      return table(axis_pts::kFields);
    case rtMeasurement:
      return table(measurement::kFields);
    case rtFunction:
      return table(function::kFields);
    case rtCompuMethod:
      return table(compu_method::kFields);
    case rtCompuMethod2:
      return table(compu_method2::kFields);
    case rtCompuTab:
      return table(compu_tab::kFields);
    case rtCompuTabPair:
      return table(compu_tab_pair::kFields);
    case rtCompuVTab:
      return table(compu_vtab::kFields);
    case rtCompuVTabPair:
      return table(compu_vtab_pair::kFields);
    case rtRecordLayout:
      return table(record_layout::kFields);
    case rtRecordLayout2:
      return table(record_layout2::kFields);
    case rtRecordLayoutElement:
      return table(record_layout_element::kFields);
    default:
      return Table{nullptr, 0};
  }
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordField(int32_t recordType, uint32_t index,
                                                   TRecordField* field) {
  return ordex::api::guarded([&] {
    if (recordType < rtProject || recordType > rtRecordLayoutElement) return rcInvalidArgument;
    TRecordField& f = ordex::api::required(field);
    const Table t = tableOf(recordType);
    if (index >= t.count) return rcIndexOutOfRange;
    f = t.fields[index];
    return rcOk;
  });
}
