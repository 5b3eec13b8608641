// ordex convert FILE MEASUREMENT HEXBYTES [--index N] [--separator C] [--module NAME]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "ordex.h"
#include "return_code_names.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

// Texts read from a file are at most 1023 characters; a STRING dump takes 3 characters for
// each of at most 32767 bytes; a number at most 566 characters and a blank before the unit.
constexpr size_t kTextBuffer = 128 * 1024;

struct Options {
  const char* file = nullptr;
  const char* measurement = nullptr;
  const char* hex = nullptr;
  bool hasIndex = false;
  int32_t index = 0;
  char separator = '.';
};

// False, with the reason printed, for an index that is no number or a separator that is
// not one character.
bool takeOptions(const Arguments& args, Options* o) {
  o->file = args.positional()[0];
  o->measurement = args.positional()[1];
  o->hex = args.positional()[2];
  if (const char* index = args.value("--index")) {
    char* end = nullptr;
    const long v = std::strtol(index, &end, 10);
    if (*index == '\0' || *end != '\0' || v < INT32_MIN || v > INT32_MAX) {
      std::fprintf(stderr, "ordex convert: --index %s is no number\n", index);
      return false;
    }
    o->hasIndex = true;
    o->index = static_cast<int32_t>(v);
  }
  if (const char* separator = args.value("--separator")) {
    if (std::strlen(separator) != 1) {
      std::fprintf(stderr, "ordex convert: --separator takes one character\n");
      return false;
    }
    o->separator = separator[0];
  }
  return true;
}

// Any hex digit at all: the library takes every text, so a typo would silently read as 0.
bool looksLikeHex(const char* s) {
  for (; *s; ++s) {
    const char c = *s;
    const bool digit = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!digit && c != ' ') return false;
  }
  return true;
}

// The failure of the conversion itself, with the library's reason.
int reportConversionFailure(const char* measurement, TOrdexReturnCode rc) {
  char why[512] = "";
  Ordex_GetLastConversionError(why, sizeof why);
  std::fprintf(stderr, "ordex: %s: %s (%d)%s%s\n", measurement, returnCodeName(rc),
               static_cast<int>(rc), *why ? ": " : "", why);
  return kExitFailure;
}

// The first group of digits between blanks that does not hold whole bytes ("0FA" in
// "0FA 00"), empty when all do: the library pairs digits across a blank, so "0 FA0" would
// silently read as other bytes.
std::string oddDigitGroup(const char* s) {
  std::string group;
  for (;; ++s) {
    if (*s == ' ' || *s == '\0') {
      if (group.size() % 2) return group;
      group.clear();
      if (*s == '\0') return "";
    } else {
      group.push_back(*s);
    }
  }
}

// The bytes the value takes: the data type's size (a STRING's Resolution); with an index,
// the whole array as the request block asks for it.
int32_t bytesTaken(const TMeasurement& m, bool whole) {
  const int32_t size = Ordex_GetDataSizeByDataType(m.DataType);
  if (size == 0) return whole ? m.ArraySize : (m.Resolution > 0 ? m.Resolution : 0);
  return whole && m.ArraySize > 0 ? size * m.ArraySize : size;
}

}  // namespace

int convert(const Arguments& args) {
  Options o;
  if (!takeOptions(args, &o)) return kExitUsage;
  if (!looksLikeHex(o.hex)) {
    std::fprintf(stderr, "ordex convert: not hex bytes: %s\n", o.hex);
    return kExitUsage;
  }
  const std::string odd = oddDigitGroup(o.hex);
  if (!odd.empty()) {
    std::fprintf(stderr, "ordex convert: an odd number of hex digits in '%s': two make a byte\n",
                 odd.c_str());
    return kExitUsage;
  }
  const char* module = args.value("--module");
  LoadedFile loaded(o.file);
  if (!loaded.ok()) return kExitFailure;
  TOrdex* inst = loaded.instance();

  std::vector<unsigned char> bytes(std::strlen(o.hex) / 2 + 2);
  uint32_t count = 0;
  Ordex_ConvertHexStringToByteArray(o.hex, bytes.data(), &count);
  bytes.resize(count);

  TMeasurement m;
  std::memset(&m, 0, sizeof m);
  std::snprintf(m.Name, sizeof m.Name, "%s", o.measurement);
  TOrdexReturnCode rc = Ordex_GetMeasurement(inst, module, &m, 0);
  if (rc != rcOk) return reportFailure(o.measurement, rc);
  const int32_t taken = bytesTaken(m, o.hasIndex);
  if (Ordex_GetDataSizeByDataType(m.DataType) >= 0 && taken >= 0 &&
      count > static_cast<uint32_t>(taken)) {
    std::fprintf(stderr, "ordex convert: %s takes %d byte%s, %u given\n", o.measurement, taken,
                 taken == 1 ? "" : "s", count);
    return reportFailure(o.measurement, rcBadSize);
  }

  std::vector<char> text(kTextBuffer, '\0');
  // A value that only a table default gives leaves the physical value unwritten: a NaN
  // with a payload no conversion produces marks it.
  const uint64_t unsetBits = 0x7FF8DEADBEEF0001ull;
  double unset;
  std::memcpy(&unset, &unsetBits, sizeof unset);
  double phys = unset;
  if (o.hasIndex) {
    std::vector<unsigned char> response;
    response.push_back(0x63);
    response.insert(response.end(), bytes.begin(), bytes.end());
    rc = Ordex_EvaluateMeasurementResponseBlock(
        inst, module, o.measurement, nullptr, nullptr, 1, response.data(),
        static_cast<int32_t>(response.size()), o.index, o.separator, &phys, text.data());
  } else {
    // The conversion reads as many bytes as the data type (or a STRING's Resolution) needs.
    // A data type outside the table reads no byte: the conversion refuses it with its reason.
    const int32_t size = Ordex_GetDataSizeByDataType(m.DataType);
    const int32_t needed = size == 0 ? (m.Resolution > 0 ? m.Resolution : 0) : size < 0 ? 0 : size;
    if (static_cast<int32_t>(bytes.size()) < needed) {
      std::fprintf(stderr, "ordex convert: %s needs %d bytes, %u given\n", o.measurement, needed,
                   count);
      return reportFailure(o.measurement, rcBadSize);
    }
    rc = Ordex_RawToPhysMeasurement(inst, module, o.measurement, bytes.data(), o.separator, &phys,
                                    text.data());
  }
  if (rc != rcOk) return reportConversionFailure(o.measurement, rc);
  if (std::memcmp(&phys, &unset, sizeof phys) == 0) {
    std::printf("physical: (none)\n");
  } else {
    std::printf("physical: %.17g\n", phys);
  }
  std::printf("text: %s\n", text.data());
  return kExitOk;
}

}  // namespace ordex_tool
