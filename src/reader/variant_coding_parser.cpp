#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeVariantCodingParser() { return nullptr; }

}  // namespace ordex
