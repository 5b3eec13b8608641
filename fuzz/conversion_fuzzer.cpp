// Raw-to-physical conversion with arbitrary bytes, data types, byte orders, masks, byte
// counts and compu methods: Ordex_RawToPhysDirect2 and Ordex_RawToPhysDirect with a
// caller's record, and Ordex_RawToPhys with a compu method (of any conversion type, with a
// COMPU_TAB or COMPU_VTAB of arbitrary pairs) created in an instance. The raw bytes and the
// text buffer are exactly as large as the documented contract asks, so any access past
// them is caught.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "ordex.h"

namespace {

using ordex_fuzz::ByteReader;
using ordex_fuzz::setField;

// Text buffer size the conversion may need: the number (at most 566 characters), a blank,
// the unit and the terminator; a table text of at most 255 characters; 3 per STRING byte.
size_t textSize(const char* unit, int32_t dataType, int32_t byteCount) {
  size_t need = std::max<size_t>(566 + 1 + std::strlen(unit) + 1, ORDEX_TEXT_SIZE);
  if (dataType == dtString && byteCount > 0) need = std::max<size_t>(need, 3 * size_t(byteCount));
  return need;
}

void fillMethod(ByteReader& in, TCompuMethod& m) {
  std::memset(&m, 0, sizeof m);
  setField(m.Name, "M");
  m.ConversionType = in.smallOrAny(-1, 5);
  setField(m.Format, in.text(64));
  setField(m.Unit, in.text(300));
  for (TNumberText& c : m.Coeffs) {
    // Mostly small integers, so that a usable linear function comes up often.
    uint8_t sel = in.byte();
    c.Value = sel < 128 ? static_cast<double>(sel % 5) : in.f64();
  }
  const char* const refs[] = {"T", "V", "missing", ""};
  setField(m.CompuTabRef, refs[in.byte() % 4]);
}

// A module with the COMPU_TAB "T", the COMPU_VTAB "V" and the compu method "M".
void buildModule(TOrdex* inst, ByteReader& in, const TCompuMethod& method) {
  TProject project{};
  setField(project.Name, "P");
  Ordex_CreateProject(inst, &project);
  TModule module{};
  setField(module.Name, "Mod");
  Ordex_CreateModule(inst, &module);

  static TCompuTab tab;
  std::memset(&tab, 0, sizeof tab);
  setField(tab.Name, "T");
  tab.ConversionType = in.smallOrAny(-1, 2);
  tab.NumberValuePairs = in.smallOrAny(0, 8);
  int32_t given = std::min<int32_t>(std::max<int32_t>(tab.NumberValuePairs, 0), 8);
  int32_t in0 = static_cast<int8_t>(in.byte());
  for (int32_t k = 0; k < given; ++k) {
    // Input values mostly rising, now and then equal or falling.
    in0 += static_cast<int8_t>(in.byte()) / 16;
    tab.Pairs[k].InVal = in.byte() < 16 ? static_cast<int32_t>(in.u32()) : in0;
    tab.Pairs[k].Out.Value = in.byte() < 32 ? in.f64() : static_cast<int8_t>(in.byte());
  }
  setField(tab.DefaultValue, in.text(32));
  Ordex_CreateCompuTab(inst, "Mod", &tab);

  static TCompuVTab vtab;
  std::memset(&vtab, 0, sizeof vtab);
  setField(vtab.Name, "V");
  vtab.ConversionType = 4;
  vtab.NumberValuePairs = in.smallOrAny(0, 25);
  int32_t vgiven =
      std::min<int32_t>(std::max<int32_t>(vtab.NumberValuePairs, 0), ORDEX_COMPU_VTAB_PAIRS);
  for (int32_t k = 0; k < vgiven; ++k) {
    vtab.Pairs[k].InVal = in.smallOrAny(-2, 8);
    setField(vtab.Pairs[k].OutText, in.text(255));
  }
  setField(vtab.DefaultValue, in.text(255));
  Ordex_CreateCompuVTab(inst, "Mod", &vtab);

  Ordex_CreateCompuMethod(inst, "Mod", &method);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  const int32_t dataType = in.smallOrAny(-1, 11);
  const int32_t byteOrder = in.smallOrAny(-1, 5);
  const uint8_t maskSel = in.byte();
  // No mask, a mask of a few bits, or any 64-bit value (only the low 32 bits count).
  const unsigned long bitMask = maskSel < 96    ? 0ul
                                : maskSel < 192 ? (0xFFul >> (maskSel % 8)) << (maskSel % 24)
                                                : static_cast<unsigned long>(in.u64());
  const char separator = static_cast<char>(in.byte());
  // The byte count is taken as a signed 32-bit number: the high bits must not matter.
  // A STRING dumps that many bytes from raw, which must hold them: its count is bounded so
  // the harness can provide them.
  int32_t count = in.smallOrAny(-3, 48);
  if (dataType == dtString && count > (1 << 16)) count = 1 << 16;
  const unsigned long byteCount =
      (static_cast<unsigned long>(in.byte()) << 32) | static_cast<uint32_t>(count);

  static TCompuMethod method;
  fillMethod(in, method);

  TOrdex* inst = nullptr;
  if (Ordex_CreateInstance(&inst) != rcOk) std::abort();
  buildModule(inst, in, method);

  // The raw value: what is left of the input, at least as many bytes as the data type and
  // the byte count take.
  const int32_t typeSize = Ordex_GetDataSizeByDataType(dataType);
  size_t rawSize = std::max<size_t>(in.left(), typeSize > 0 ? size_t(typeSize) : 1);
  if (dataType == dtString && count > 0) rawSize = std::max<size_t>(rawSize, size_t(count));
  std::unique_ptr<unsigned char[]> raw(new unsigned char[rawSize]());
  std::memcpy(raw.get(), in.rest(), in.left());

  const size_t need = textSize(method.Unit, dataType, count);
  std::unique_ptr<char[]> text(new char[need]);
  double phys = 0;
  Ordex_RawToPhysDirect2(raw.get(), dataType, byteOrder, bitMask, byteCount, &method, separator,
                         &phys, text.get());
  Ordex_RawToPhysDirect(raw.get(), dataType, byteOrder, bitMask, &method, separator, &phys,
                        text.get());
  Ordex_RawToPhys(inst, "Mod", raw.get(), dataType, byteOrder, bitMask, "M", separator, &phys,
                  text.get());
  // After a removal of the table the method resolved, the conversion must look again.
  Ordex_RemoveCompuTab(inst, "Mod", "T");
  Ordex_RemoveCompuVTab(inst, "Mod", "V");
  Ordex_RawToPhys(inst, "Mod", raw.get(), dataType, byteOrder, bitMask, "M", separator, &phys,
                  text.get());

  // Null arguments never crash.
  Ordex_RawToPhysDirect2(nullptr, dataType, byteOrder, bitMask, byteCount, &method, separator,
                         &phys, text.get());
  Ordex_RawToPhysDirect2(raw.get(), dataType, byteOrder, bitMask, byteCount, nullptr, separator,
                         &phys, text.get());
  Ordex_RawToPhys(nullptr, "Mod", raw.get(), dataType, byteOrder, bitMask, "M", separator, &phys,
                  text.get());
  Ordex_RawToPhys(inst, "Mod", raw.get(), dataType, byteOrder, bitMask, nullptr, separator, nullptr,
                  nullptr);
  Ordex_RawToPhys_Intern(raw.get(), dataType, byteOrder, bitMask, byteCount, nullptr, separator,
                         &phys, text.get());

  Ordex_DestroyInstance(inst);
  return 0;
}
