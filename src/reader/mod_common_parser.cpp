#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeModCommonParser() { return nullptr; }

}  // namespace ordex
