#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeAxisPtsParser() { return nullptr; }

}  // namespace ordex
