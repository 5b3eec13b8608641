// What the model holds of each block it reads: how many leading arguments it takes, which
// keywords and which nested blocks. Everything else in such a block is kept content.
#pragma once

#include <cstdint>
#include <string_view>

namespace ordex {

struct ModelledBlock;

struct ModelledChild {
  std::string_view keyword;
  const ModelledBlock* block;
};

struct ModelledBlock {
  std::string_view keyword;
  // The leading arguments the model takes; further arguments up to the first keyword of
  // the standard are taken too (a table's pairs, a handle's numbers).
  int32_t head;
  // The model takes the whole block, or, in a module, the block is an object with kept
  // content of its own.
  bool whole;
  const std::string_view* keywords;  // modelled keywords, with their arguments
  int32_t keywordCount;
  const ModelledChild* blocks;  // modelled nested blocks
  int32_t blockCount;

  bool takesKeyword(std::string_view word) const;
  // The modelled block `word` opens inside this one, or null.
  const ModelledBlock* child(std::string_view word) const;
};

// The text outside PROJECT: the ASAP2_VERSION line and the PROJECT block (its modules
// taken whole).
const ModelledBlock& modelledFileLevel();
// A MODULE: MOD_PAR, MOD_COMMON, VARIANT_CODING and module IF_DATA as the model holds
// them; objects taken whole.
const ModelledBlock& modelledModule();
// One object block (CHARACTERISTIC, MEASUREMENT, ...), or null for a keyword that names
// no object kind of the model.
const ModelledBlock* modelledObject(std::string_view keyword);

}  // namespace ordex
