#include "api/record_setters.h"

#include <string>
#include <vector>

#include "api/record_fields.h"
#include "model/copy_to_field.h"

namespace ordex::api {

namespace {

// The rows of a record's field table that the setter copy takes from the table (copy column
// kCopyBoth); the fields with a rule of their own are copied by hand beside the call. The
// model is a template parameter so that rows left to the hand copy need no model member.
// TCharacteristic and TCharacteristic2 share one table.
template <class Model>
void copyRows(Model& to, const TCharacteristic& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/characteristic.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TCharacteristic2& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/characteristic.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TProject& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/project.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TModule& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/module.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TMemorySegment& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/memory_segment.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TMeasurement& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/measurement.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TFunction& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/function.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TAxisPts& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/axis_pts.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TAxisDescr& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/axis_descr.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TAxisDescr2& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/axis_descr2.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TCompuMethod& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/compu_method.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TCompuMethod2& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/compu_method2.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TCompuTab& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/compu_tab.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TCompuTabPair& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/compu_tab_pair.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TCompuVTab& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/compu_vtab.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TCompuVTabPair& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/compu_vtab_pair.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TRecordLayout& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/record_layout.def"
#undef ORDEX_FIELD
}

template <class Model>
void copyRows(Model& to, const TRecordLayout2& from) {
#define ORDEX_FIELD(P, M, K, X, C) ORDEX_SET_FIELD(to, from, P, M, C)
#include "api/fields/record_layout2.def"
#undef ORDEX_FIELD
}

// The short form cannot say FIX_AXIS_PAR_DIST: an axis without deposit mode, or with any
// fix-axis value, is a FIX_AXIS_PAR axis (1), any other a DEPOSIT axis (0).
void copyAxis(TAxisDescr_Intern& to, const TAxisDescr& from) {
  copyRows(to, from);
  const bool fixAxis = from.DepositMode == -1 || from.FixAxisParOffset != 0 ||
                       from.FixAxisParShift != 0 || from.FixAxisParNumberapo != 0;
  to.AxisPointsMode = fixAxis ? 1 : 0;
}
void copyAxis(TAxisDescr_Intern& to, const TAxisDescr2& from) {
  copyRows(to, from);
}

template <class Record>
void copyCharacteristic(TCharacteristic_Intern& to, const Record& from) {
  copyRows(to, from);
  // CURVE, MAP and CUBOID carry 1, 2 and 3 axes; the slots a type does not use keep what
  // they hold, so a MAP changed into a VALUE and back finds its axes again.
  const int32_t axes = from.Type >= 1 && from.Type <= 3 ? from.Type : 0;
  for (int32_t i = 0; i < axes; ++i) copyAxis(to.Axes.at(i), from.Axes[i]);
}

// A limit read in hexadecimal comes out of the getter as an empty text with 0.0; handed
// back so, it keeps its hexadecimal form (and the writer keeps writing 0x...).
void copyLimit(NumberText& to, uint32_t& hex, bool& isHex, const TNumberText& from) {
  std::string_view text = fieldText(from.Text);
  if (isHex && text.empty() && from.Value == 0.0) return;
  isHex = false;
  hex = 0xFFFFFFFFu;
  to.Text.assign(text);
  to.Value = from.Value;
}

// The fields both conversion tables carry; the pairs, built aside first so that running out
// of memory there leaves the table as it was, go in by a swap.
template <class Table, class Record, class Pair>
void copyTable(Table& to, const Record& from, std::vector<Pair>& pairs) {
  copyRows(to, from);
  to.Pairs.swap(pairs);
}

}  // namespace

void copyFields(TProject_Intern& to, const TProject& from) {
  copyRows(to, from);
}

// MOD_PAR texts are stored as given: quotes a caller wants in the file are part of them.
void copyFields(TModule_Intern& to, const TModule& from) {
  copyRows(to, from);
}

void copyFields(TMemorySegment_Intern& to, const TMemorySegment& from) {
  copyRows(to, from);
}

void copyFields(TCharacteristic_Intern& to, const TCharacteristic& from) {
  copyCharacteristic(to, from);
}

void copyFields(TCharacteristic_Intern& to, const TCharacteristic2& from) {
  copyCharacteristic(to, from);
}

void copyFields(TMeasurement_Intern& to, const TMeasurement& from) {
  copyRows(to, from);
  copyLimit(to.LowerLimit, to.LowerLimitHex, to.LowerLimitIsHex, from.LowerLimit);
  copyLimit(to.UpperLimit, to.UpperLimitHex, to.UpperLimitIsHex, from.UpperLimit);
}

void copyFields(TFunction_Intern& to, const TFunction& from) {
  copyRows(to, from);
}

// The short form's table has no FormulaInv row.
void copyFields(TCompuMethod_Intern& to, const TCompuMethod& from) {
  copyRows(to, from);
}

void copyFields(TCompuMethod_Intern& to, const TCompuMethod2& from) {
  copyRows(to, from);
}

bool fitsModel(const TCompuTab& record) {
  return record.NumberValuePairs <= TCompuTab_Intern::kMaxPairs;
}

void copyFields(TCompuTab_Intern& to, const TCompuTab& from) {
  const int32_t n = from.NumberValuePairs < 0 ? 0 : from.NumberValuePairs;
  std::vector<TCompuTabPair_Intern> pairs(static_cast<size_t>(n));
  for (int32_t k = 0; k < n; ++k) copyRows(pairs[k], from.Pairs[k]);
  copyTable(to, from, pairs);
}

void copyFields(TCompuVTab_Intern& to, const TCompuVTab& from) {
  // Only the pairs the record carries are stored; pair() gives the declared ones behind
  // them as input 0 with an empty text, without allocating a huge declared count.
  const int32_t n = from.NumberValuePairs;
  const int32_t carried = n < 0 ? 0 : (n < ORDEX_COMPU_VTAB_PAIRS ? n : ORDEX_COMPU_VTAB_PAIRS);
  std::vector<TCompuVTabPair_Intern> pairs(static_cast<size_t>(carried));
  for (int32_t k = 0; k < carried; ++k) copyRows(pairs[k], from.Pairs[k]);
  copyTable(to, from, pairs);
  to.DeclaredPairs = carried;
}

void copyPairs(std::vector<TCompuVTabPair_Intern>& to, const TCompuVTabEntry* from) {
  for (size_t k = 0; k < to.size(); ++k) {
    to[k].InVal = from[k].InVal;
    if (from[k].OutText) to[k].OutText = from[k].OutText;
  }
}

void copyFields(TAxisPts_Intern& to, const TAxisPts& from) {
  copyRows(to, from);
}

// The short form's table lists the elements it carries flat; the other elements stay.
void copyFields(TRecordLayout_Intern& to, const TRecordLayout& from) {
  copyRows(to, from);
}

void copyFields(TRecordLayout_Intern& to, const TRecordLayout2& from) {
  copyRows(to, from);
}

}  // namespace ordex::api
