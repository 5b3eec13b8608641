// Hex text to bytes and back. The input, as text, goes through
// Ordex_ConvertHexStringToByteArray into an array of exactly the documented size; the bytes
// go through Ordex_ConvertByteArrayToHexString (text of exactly 3 x count bytes) and back,
// which must give the same bytes. Counts of 0 and below and null arguments are tried too.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "ordex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The text as the caller's buffer: the input up to its first zero byte, terminated.
  std::unique_ptr<char[]> text(new char[size + 1]);
  std::memcpy(text.get(), data, size);
  text[size] = '\0';
  const size_t len = std::strlen(text.get());

  // One byte per two characters, rounded up; an empty text needs no byte (one is given so
  // the pointer is not null).
  std::unique_ptr<unsigned char[]> bytes(new unsigned char[(len + 1) / 2 + 1]);
  uint32_t count = 0xFFFFFFFFu;
  if (Ordex_ConvertHexStringToByteArray(text.get(), bytes.get(), &count) != bytes.get())
    std::abort();
  if (count > (len + 1) / 2) std::abort();

  // Bytes to text and back: the same bytes.
  std::unique_ptr<char[]> hex(new char[count ? 3 * static_cast<size_t>(count) : 1]);
  if (Ordex_ConvertByteArrayToHexString(bytes.get(), static_cast<int32_t>(count), hex.get()) !=
      hex.get())
    std::abort();
  if (std::strlen(hex.get()) != (count ? 3 * static_cast<size_t>(count) - 1 : 0)) std::abort();
  std::unique_ptr<unsigned char[]> back(new unsigned char[3 * static_cast<size_t>(count) / 2 + 2]);
  uint32_t backCount = 0;
  Ordex_ConvertHexStringToByteArray(hex.get(), back.get(), &backCount);
  if (backCount != count || (count && std::memcmp(back.get(), bytes.get(), count) != 0))
    std::abort();

  // The raw input bytes as an array, with the count taken as a signed number.
  char small[1];
  const int32_t negative = size ? -static_cast<int32_t>(data[0]) : 0;
  if (Ordex_ConvertByteArrayToHexString(data, negative, small) != small || small[0] != '\0')
    std::abort();
  std::unique_ptr<char[]> whole(new char[3 * size + 1]);
  Ordex_ConvertByteArrayToHexString(data, static_cast<int32_t>(size), whole.get());

  // Null arguments give null and write nothing.
  if (Ordex_ConvertHexStringToByteArray(nullptr, bytes.get(), &count) ||
      Ordex_ConvertHexStringToByteArray(text.get(), nullptr, &count) ||
      Ordex_ConvertHexStringToByteArray(text.get(), bytes.get(), nullptr) ||
      Ordex_ConvertByteArrayToHexString(bytes.get(), 1, nullptr) ||
      Ordex_ConvertByteArrayToHexString(nullptr, 1, small))
    std::abort();
  return 0;
}
