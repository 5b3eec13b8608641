#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeModParParser() { return nullptr; }

}  // namespace ordex
