#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeCompuMethodParser() { return nullptr; }

}  // namespace ordex
