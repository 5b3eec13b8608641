// The parsers of the object blocks. The top-level reader calls a block's parser for every
// examined token while that block is the innermost open one: first with the block's
// keyword as current token (ctx.step[2] == 0), never with the block's own /end or the
// keyword behind it. A parser keeps its position in ctx.step, appends its records to
// ctx.currentModule and throws a ReturnCode on bad input.
#pragma once

#include <memory>

#include "reader/parse_context.h"

namespace ordex {

class BlockParser {
 public:
  virtual ~BlockParser() = default;
  virtual void onToken(ParseContext& ctx) = 0;
};

// One factory per block kind; each lives beside its parser. A kind whose parser does not
// exist yet gives null, and its blocks are skipped.
std::unique_ptr<BlockParser> makeCharacteristicParser();
std::unique_ptr<BlockParser> makeMeasurementParser();
std::unique_ptr<BlockParser> makeVariantCodingParser();
std::unique_ptr<BlockParser> makeCompuMethodParser();
std::unique_ptr<BlockParser> makeFunctionParser();
std::unique_ptr<BlockParser> makeRecordLayoutParser();
std::unique_ptr<BlockParser> makeAxisPtsParser();
std::unique_ptr<BlockParser> makeCompuTabParser();
std::unique_ptr<BlockParser> makeCompuVTabParser();
std::unique_ptr<BlockParser> makeCompuVTabRangeParser();
std::unique_ptr<BlockParser> makeModCommonParser();
std::unique_ptr<BlockParser> makeModParParser();

}  // namespace ordex
