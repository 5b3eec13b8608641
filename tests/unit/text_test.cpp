// The record text type: values survive copies and moves, heap texts are freed with their
// owner (the sanitizer build checks), and texts set during a read go to the arena.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "model/text.h"

namespace {

using ordex::Text;

TEST(Text, HoldsValuesLikeAString) {
  Text empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_STREQ(empty.c_str(), "");
  EXPECT_EQ(empty.size(), 0u);

  Text a("ENGINE_SPEED");
  Text b = a;
  Text c = std::move(a);
  EXPECT_EQ(b, "ENGINE_SPEED");
  EXPECT_EQ(c, b);
  EXPECT_TRUE(a.empty());  // NOLINT: a moved-from text is empty
  b = "x";
  EXPECT_EQ(b.size(), 1u);
  b = b;  // self-assignment keeps the value
  EXPECT_EQ(b, "x");
  b = std::string_view(c).substr(7);  // assigning a view of another text
  EXPECT_EQ(b, "SPEED");
  c = std::string_view(c).substr(0, 6);  // assigning a view of the text itself
  EXPECT_EQ(c, "ENGINE");
  c = "";
  EXPECT_TRUE(c.empty());
  std::string bytes("a\0b", 3);
  Text withZero(bytes);
  EXPECT_EQ(withZero.size(), 3u);
  EXPECT_EQ(std::string("<") + Text("t") + ">", "<t>");
}

TEST(Text, TextsSetDuringAReadGoToTheArena) {
  ordex::TextArena arena;
  Text onHeap("before");
  {
    ordex::ScopedTextArena scope(&arena);
    Text inArena("during the read");
    Text copy = onHeap;
    EXPECT_EQ(inArena, "during the read");
    EXPECT_EQ(copy, "before");
    EXPECT_GE(arena.bytesUsed(), std::string("during the read").size());
    std::string big(200000, 'x');
    Text large(big);  // larger than a chunk
    EXPECT_EQ(large.size(), big.size());
  }
  EXPECT_EQ(ordex::currentTextArena(), nullptr);
  size_t used = arena.bytesUsed();
  Text after("after");
  EXPECT_EQ(arena.bytesUsed(), used);
}

}  // namespace
