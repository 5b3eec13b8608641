"""What A2LFile.check() and A2LFile.referrers() return."""
import dataclasses

# TOrdexFindingSeverity and TOrdexFindingCode: name -> value, as in ordex.h.
SEVERITIES = {"note": 0, "warning": 1, "error": 2}
FINDING_CODES = {
    "dangling-reference": 1,
    "missing-reference": 2,
    "duplicate-name": 3,
    "limits-reversed": 4,
    "limit-outside-data-type": 5,
    "count-zero": 6,
    "count-beyond-layout": 7,
    "address-not-set": 8,
    "table-pair-count": 9,
    "not-in-function": 10,
    "not-referenced": 11,
    "axis-missing": 12,
    "unknown-keyword": 13,
}
_SEVERITY_NAMES = {v: k for k, v in SEVERITIES.items()}
_CODE_NAMES = {v: k for k, v in FINDING_CODES.items()}


@dataclasses.dataclass(frozen=True)
class Finding:
    """One finding of the consistency check. ``severity`` is "error", "warning" or "note",
    ``code`` the finding's name ("dangling-reference", see FINDING_CODES), ``keyword`` the
    object's block ("MEASUREMENT"), ``field`` the field concerned as the records name it
    ("Conversion", "Axes[1].InputQuantity"; "" for the whole object) and ``value`` the text
    at fault."""

    severity: str
    code: str
    module: str
    keyword: str
    name: str
    field: str
    value: str
    message: str


@dataclasses.dataclass(frozen=True)
class Referrer:
    """An object that names another: its block ``keyword`` ("FUNCTION"), its ``name``, the
    ``field`` that holds the name ("IN_MEASUREMENT", "Conversion") and the ``targets``, the
    kinds that field names (keywords such as "MEASUREMENT")."""

    keyword: str
    name: str
    field: str
    targets: tuple


def finding_from_record(record, text):
    return Finding(_SEVERITY_NAMES.get(record.Severity, str(record.Severity)),
                   _CODE_NAMES.get(record.Code, str(record.Code)), text(record.Module),
                   text(record.Keyword), text(record.Name), text(record.Field),
                   text(record.Value), text(record.Message))


def referrer_from_record(record, text, element_types):
    targets = tuple(k for k, bit in element_types.items() if record.TargetKinds & bit)
    return Referrer(text(record.Keyword), text(record.Name), text(record.Field), targets)
