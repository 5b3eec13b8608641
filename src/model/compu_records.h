// The COMPU_METHOD, COMPU_TAB, COMPU_VTAB and COMPU_VTAB_RANGE records.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <string>
#include <vector>

#include "model/element_kind.h"
#include "model/kept_keywords.h"
#include "model/object_list.h"
#include "model/sub_records.h"

struct TCompuTab_Intern;
struct TCompuVTab_Intern;
struct TCompuVTabRange_Intern;

struct TCompuMethod_Intern : ordex::ObjectHead {
  TCompuMethod_Intern() { Kind = ordex::ekCompuMethod; }

  int32_t ConversionType = -1;  // conversion-type keyword list index; -1 unset or unknown
  ordex::Text Format;
  ordex::Text Unit;
  ordex::Text Formula;
  ordex::Text FormulaInv;
  NumberText Coeffs[6];     // a..f of COEFFS; empty texts and 0.0 until COEFFS is read
  ordex::Text CompuTabRef;  // name of the COMPU_TAB or COMPU_VTAB, as written
  // The table CompuTabRef names, once a conversion or the reference finder resolved it: a
  // TCompuTab_Intern (Kind ekCompuTab), a TCompuVTab_Intern (Kind ekCompuVTab) or, for
  // TAB_VERB, a TCompuVTabRange_Intern. Not owned. Must be cleared when that table is
  // removed, renamed or replaced.
  ordex::ObjectHead* CompuTabTarget = nullptr;
  // A conversion type of a newer standard (IDENTICAL, LINEAR) is kept here as read, with
  // ConversionType -1.
  ordex::KeptKeywords Kept;
  // COEFFS_LINEAR a b of a LINEAR method; empty texts and 0.0 until it is read.
  NumberText CoeffsLinear[2];
  // STATUS_STRING_REF: the COMPU_VTAB or COMPU_VTAB_RANGE whose texts stand for the raw
  // values it names, as written; empty when not given. Looked up at each conversion: unlike
  // CompuTabTarget no link to it is kept, so edits of the tables need not know of it.
  ordex::Text StatusStringRef;

  TCompuTab_Intern* compuTabTarget() const;    // the target when it is a COMPU_TAB
  TCompuVTab_Intern* compuVTabTarget() const;  // the target when it is a COMPU_VTAB
  // The target when it is a COMPU_VTAB_RANGE.
  TCompuVTabRange_Intern* compuVTabRangeTarget() const;
};

// One pair of a COMPU_TAB: the raw input value and the output value with its text.
struct TCompuTabPair_Intern {
  int32_t InVal = 0;
  NumberText Out;
};

struct TCompuTab_Intern : ordex::ObjectHead {
  // A COMPU_TAB holds at most this many pairs; a larger declared count is kept as this.
  static constexpr int32_t kMaxPairs = 256;

  TCompuTab_Intern() { Kind = ordex::ekCompuTab; }

  int32_t ConversionType = -1;  // table-type keyword list index; -1 unset or unknown
  ordex::KeptKeywords Kept;     // ConversionType
  // The declared count, at most kMaxPairs. It may exceed Pairs.size() when the file held
  // fewer pairs than it declared: use pair() to read pairs by index.
  int32_t NumberValuePairs = 0;
  // The pairs as read, in file order, at most kMaxPairs. May hold more than
  // NumberValuePairs: pair tokens fill slots whatever the count says (the token after a
  // trailing DEFAULT_VALUE lands in the slot after the last pair).
  std::vector<TCompuTabPair_Intern> Pairs;
  ordex::Text DefaultValue;

  // The pairs a getter, the writer or a conversion uses: NumberValuePairs within 0..256.
  int32_t usedPairs() const {
    if (NumberValuePairs < 0) return 0;
    return NumberValuePairs > kMaxPairs ? kMaxPairs : NumberValuePairs;
  }
  // Pair k (0 <= k < kMaxPairs). A pair that was declared but never read is InVal 0 with
  // an empty text and 0.0, as in a table of kMaxPairs pairs cleared at creation.
  const TCompuTabPair_Intern& pair(int32_t k) const {
    static const TCompuTabPair_Intern kEmpty;
    return k >= 0 && static_cast<size_t>(k) < Pairs.size() ? Pairs[k] : kEmpty;
  }
};

// One pair of a COMPU_VTAB: the raw input value and its text.
struct TCompuVTabPair_Intern {
  int32_t InVal = 0;
  ordex::Text OutText;
  // An input value written with a fraction (1.1, as files of later versions may): the token
  // as read, for the writers; InVal holds it rounded half up. Empty for an integral value.
  ordex::Text InText;
};

struct TCompuVTab_Intern : ordex::ObjectHead {
  TCompuVTab_Intern() { Kind = ordex::ekCompuVTab; }

  int32_t ConversionType = -1;  // verbal-type keyword list index (TAB_VERB 4); -1 unknown
  ordex::KeptKeywords Kept;     // ConversionType
  // The count of the table. A table read from a file counts the pairs the file holds; one
  // created or changed through the interface keeps the count given, which may exceed
  // Pairs.size(): use pair() to read pairs by index.
  int32_t NumberValuePairs = 0;
  // The count as the file declared it (the pairs held, for a table made through the
  // interface); only the consistency check reads it.
  int32_t DeclaredPairs = 0;
  // The pairs as read, in file order, never more than NumberValuePairs. Pairs are made as
  // their tokens arrive, so a huge declared count allocates nothing by itself.
  std::vector<TCompuVTabPair_Intern> Pairs;
  ordex::Text DefaultValue;

  // The pairs the table has for getters, the writer and conversions: NumberValuePairs, or 0
  // for a count below 1.
  int32_t usedPairs() const { return NumberValuePairs < 0 ? 0 : NumberValuePairs; }
  // Pair k (0 <= k < usedPairs()). A pair that was declared but never read is InVal 0 with
  // an empty text, as in a table whose pair array was cleared at creation.
  const TCompuVTabPair_Intern& pair(int32_t k) const {
    static const TCompuVTabPair_Intern kEmpty;
    return k >= 0 && static_cast<size_t>(k) < Pairs.size() ? Pairs[k] : kEmpty;
  }
};

// One range of a COMPU_VTAB_RANGE: the raw values from InValMin to InValMax, both included,
// give OutText. The bounds keep their text as read.
struct TCompuVTabRangeEntry_Intern {
  NumberText InValMin;
  NumberText InValMax;
  ordex::Text OutText;
};

// A COMPU_VTAB_RANGE: a verbal table of value ranges, which a TAB_VERB method may name in
// COMPU_TAB_REF and any method in STATUS_STRING_REF. Read for the conversions only: it has
// no public kind, getter or writer.
struct TCompuVTabRange_Intern : ordex::ObjectHead {
  // The Kind of these records: no ElementKind bit, so no kind mask selects them.
  static constexpr int32_t kKind = 0x40000000;

  TCompuVTabRange_Intern() { Kind = kKind; }

  // The declared count, kept as written; the ranges are made as their tokens arrive and
  // never exceed it.
  int32_t NumberValueTriples = 0;
  std::vector<TCompuVTabRangeEntry_Intern> Ranges;
  ordex::Text DefaultValue;
};

inline TCompuTab_Intern* TCompuMethod_Intern::compuTabTarget() const {
  return CompuTabTarget && CompuTabTarget->Kind == ordex::ekCompuTab
             ? static_cast<TCompuTab_Intern*>(CompuTabTarget)
             : nullptr;
}

inline TCompuVTab_Intern* TCompuMethod_Intern::compuVTabTarget() const {
  return CompuTabTarget && CompuTabTarget->Kind == ordex::ekCompuVTab
             ? static_cast<TCompuVTab_Intern*>(CompuTabTarget)
             : nullptr;
}

inline TCompuVTabRange_Intern* TCompuMethod_Intern::compuVTabRangeTarget() const {
  return CompuTabTarget && CompuTabTarget->Kind == TCompuVTabRange_Intern::kKind
             ? static_cast<TCompuVTabRange_Intern*>(CompuTabTarget)
             : nullptr;
}
