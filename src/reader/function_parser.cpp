#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeFunctionParser() { return nullptr; }

}  // namespace ordex
