#include "convert/raw_decoding.h"

#include <cstring>

#include "model/element_kind.h"

namespace ordex::convert {

namespace {

// BIG_ENDIAN and MSB_LAST put the least significant byte first; every other value,
// LITTLE_ENDIAN included, is read most significant byte first. Host applications rely on
// this pairing, so it is kept as it is.
bool leastSignificantFirst(int32_t byteOrder) {
  return byteOrder == orderBigEndian || byteOrder == orderMsbLast;
}

uint32_t assemble(const unsigned char* raw, int width, int32_t byteOrder) {
  uint32_t v = 0;
  if (leastSignificantFirst(byteOrder)) {
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | raw[i];
  } else {
    for (int i = 0; i < width; ++i) v = (v << 8) | raw[i];
  }
  return v;
}

// Two's complement of the low `bits` bits, extended to 32 bits.
int32_t signExtend(uint32_t v, int bits) {
  const uint32_t sign = 1u << (bits - 1);
  const uint32_t low = bits == 32 ? v : v & ((sign << 1) - 1);
  return static_cast<int32_t>((low ^ sign) - sign);
}

uint32_t maskUnsigned(uint32_t v, uint32_t mask) {
  v &= mask;
  while (!(mask & 1u)) {
    v >>= 1;
    mask >>= 1;
  }
  return v;
}

int32_t maskSigned(int32_t value, int width, uint32_t mask) {
  // SBYTE and SWORD use the low bits of the mask, sign-extended like the value.
  uint32_t m = width < 24 ? static_cast<uint32_t>(signExtend(mask, width)) : mask;
  uint32_t v = static_cast<uint32_t>(value) & m;
  if (width == 24) v = static_cast<uint32_t>(signExtend(v, 24));
  if (m == 0) return 0;  // the mask selects no bit of this width
  while (!(m & 1u)) {
    v = static_cast<uint32_t>(static_cast<int32_t>(v) >> 1);
    m >>= 1;
  }
  // The field's top bit is its sign.
  int top = 31;
  while (!(m & (1u << top))) --top;
  if (top >= 1 && (v & (1u << top))) v |= ~((2u << top) - 1u);
  if (width < 24) return signExtend(v, width);
  return static_cast<int32_t>(v);
}

}  // namespace

int32_t dataSize(int32_t dataType) {
  switch (dataType) {
    case typeUByte:
    case typeSByte:
      return 1;
    case typeUWord:
    case typeSWord:
      return 2;
    case typeUTriple:
    case typeSTriple:
      return 3;
    case typeULong:
    case typeSLong:
    case typeFloat32Ieee:
      return 4;
    case typeFloat64Ieee:
      return 8;
    case typeString:
      return 0;
    default:
      return -1;
  }
}

double decodeRaw(const unsigned char* raw, int32_t dataType, int32_t byteOrder, uint32_t mask) {
  switch (dataType) {
    case typeFloat32Ieee: {
      float f;
      std::memcpy(&f, raw, sizeof f);
      return f;
    }
    case typeFloat64Ieee: {
      double d;
      std::memcpy(&d, raw, sizeof d);
      return d;
    }
    case typeUByte:
    case typeUWord:
    case typeUTriple:
    case typeULong: {
      uint32_t v = assemble(raw, dataSize(dataType), byteOrder);
      return mask ? maskUnsigned(v, mask) : v;
    }
    default: {  // the signed types
      const int width = dataSize(dataType) * 8;
      int32_t v = signExtend(assemble(raw, width / 8, byteOrder), width);
      return mask ? maskSigned(v, width, mask) : v;
    }
  }
}

}  // namespace ordex::convert
