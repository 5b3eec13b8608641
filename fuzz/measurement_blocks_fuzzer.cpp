// Measurement request and response blocks with arbitrary lengths and indexes: a
// MEASUREMENT of arbitrary data type, array size, resolution, mask, byte order and address
// is created with a compu method of arbitrary type, then the request block is written into
// a buffer of an arbitrary size and response blocks of arbitrary length are evaluated at
// arbitrary array indexes. Buffers are exactly as large as the caller says they are.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "ordex.h"

namespace {

using ordex_fuzz::ByteReader;
using ordex_fuzz::setField;

constexpr int32_t kMaxBuffer = 1 << 16;

// A length as the caller gives it, with a buffer of that many bytes behind it: mostly
// small, sometimes negative or up to kMaxBuffer.
int32_t length(ByteReader& in) {
  int32_t n = in.smallOrAny(-2, 40);
  if (n > kMaxBuffer) n = kMaxBuffer;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  TOrdex* inst = nullptr;
  if (Ordex_CreateInstance(&inst) != rcOk) std::abort();
  TProject project{};
  setField(project.Name, "P");
  Ordex_CreateProject(inst, &project);
  TModule module{};
  setField(module.Name, "Mod");
  Ordex_CreateModule(inst, &module);

  TCompuMethod method{};
  setField(method.Name, "M");
  method.ConversionType = in.byte() < 200 ? 2 : in.smallOrAny(-1, 5);
  setField(method.Format, in.text(16));
  setField(method.Unit, in.text(16));
  method.Coeffs[1].Value = in.byte() % 3;
  method.Coeffs[2].Value = static_cast<int8_t>(in.byte());
  method.Coeffs[5].Value = in.byte() < 200 ? 1.0 : in.f64();
  setField(method.CompuTabRef, "V");
  Ordex_CreateCompuMethod(inst, "Mod", &method);
  static TCompuVTab vtab;
  std::memset(&vtab, 0, sizeof vtab);
  setField(vtab.Name, "V");
  vtab.ConversionType = 4;
  vtab.NumberValuePairs = in.smallOrAny(0, 3);
  for (int k = 0; k < 3; ++k) {
    vtab.Pairs[k].InVal = k;
    setField(vtab.Pairs[k].OutText, std::string(static_cast<size_t>(k) * 100, 'v'));
  }
  Ordex_CreateCompuVTab(inst, "Mod", &vtab);

  TMeasurement m{};
  setField(m.Name, "Meas");
  m.DataType = in.smallOrAny(-1, 11);
  setField(m.Conversion, in.byte() < 240 ? "M" : "missing");
  m.Resolution = static_cast<int16_t>(in.smallOrAny(-2, 40));
  m.ArraySize = in.smallOrAny(-2, 12);
  m.BitMask = in.byte() < 128 ? 0xFFFFFFFFu : in.u32();
  m.ByteOrder = in.smallOrAny(-1, 5);
  m.EcuAddress = in.u32();
  Ordex_CreateMeasurement(inst, "Mod", &m);

  // The request block, into a buffer of the size the caller states.
  const int32_t blockSize = length(in);
  std::unique_ptr<unsigned char[]> block(new unsigned char[std::max(blockSize, 1)]);
  int32_t sizeInOut = blockSize;
  const int32_t protocol = in.byte() < 240 ? 1 : in.smallOrAny(-1, 3);
  Ordex_CreateMeasurementRequestBlock(inst, "Mod", "Meas", nullptr, protocol, block.get(),
                                      &sizeInOut);
  Ordex_CreateMeasurementRequestBlock(inst, "Mod", "Meas", nullptr, protocol, block.get(), nullptr);

  // Response blocks: the rest of the input, cut to a stated length, at several indexes.
  const std::string unit = method.Unit;
  for (int round = 0; round < 4 && in.left(); ++round) {
    const int32_t len = length(in);
    const int32_t index = in.smallOrAny(-2, 14);
    const char separator = static_cast<char>(in.byte());
    std::unique_ptr<unsigned char[]> response(new unsigned char[std::max(len, 1)]());
    const size_t copy = std::min<size_t>(in.left(), static_cast<size_t>(std::max(len, 0)));
    std::memcpy(response.get(), in.rest(), copy);
    if (len > 0 && in.byte() < 200) response[0] = 0x63;
    // The number (at most 566 characters), a blank, the unit; a table text; 3 per byte.
    const size_t textSize = 566 + 2 + unit.size() + ORDEX_TEXT_SIZE + 3 * size_t(std::max(len, 0));
    std::unique_ptr<char[]> text(new char[textSize]);
    double phys = 0;
    Ordex_EvaluateMeasurementResponseBlock(inst, "Mod", "Meas", nullptr, nullptr, protocol,
                                           response.get(), len, index, separator, &phys,
                                           text.get());
    Ordex_EvaluateMeasurementResponseBlock(inst, "Mod", "Meas", nullptr, nullptr, protocol,
                                           response.get(), len, index, separator, nullptr,
                                           text.get());
  }

  // The measurement's own conversion: raw must hold its Resolution bytes for a STRING.
  const size_t rawSize = std::max<size_t>(8, m.Resolution > 0 ? size_t(m.Resolution) : 0);
  std::unique_ptr<unsigned char[]> raw(new unsigned char[rawSize]());
  std::unique_ptr<char[]> text(new char[566 + 2 + unit.size() + ORDEX_TEXT_SIZE + 3 * rawSize]);
  double phys = 0;
  Ordex_RawToPhysMeasurement(inst, "Mod", "Meas", raw.get(), '.', &phys, text.get());

  // Lookups that fail, and a null instance.
  int32_t five = 5;
  unsigned char five_bytes[5];
  Ordex_CreateMeasurementRequestBlock(inst, "Mod", "missing", nullptr, 1, five_bytes, &five);
  Ordex_CreateMeasurementRequestBlock(inst, "NoModule", "Meas", nullptr, 1, five_bytes, &five);
  Ordex_CreateMeasurementRequestBlock(nullptr, "Mod", "Meas", nullptr, 1, five_bytes, &five);
  Ordex_CreateMeasurementRequestBlock(inst, "Mod", nullptr, nullptr, 1, five_bytes, &five);
  Ordex_EvaluateMeasurementResponseBlock(inst, "Mod", "Meas", nullptr, nullptr, 1, nullptr, 3, 0,
                                         '.', &phys, text.get());

  Ordex_DestroyInstance(inst);
  return 0;
}
