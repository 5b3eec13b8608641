#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeCompuVTabParser() { return nullptr; }

}  // namespace ordex
