#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeCompuTabParser() { return nullptr; }

}  // namespace ordex
