// COMPU_METHOD: name, long identifier, conversion type, format and unit by position, then
// COEFFS, COEFFS_LINEAR, FORMULA (keyword or sub-block with FORMULA_INV), COMPU_TAB_REF and
// STATUS_STRING_REF in any order.
#include <limits>
#include <memory>
#include <string>

#include "model/keyword_lists.h"
#include "model/project.h"
#include "reader/block_parser.h"
#include "reader/object_head_reader.h"
#include "reader/token_helpers.h"

namespace ordex {

namespace {

class CompuMethodParser : public BlockParser {
 public:
  void onToken(ParseContext& ctx) override;

 private:
  void optionalPart(ParseContext& ctx);

  TCompuMethod_Intern* method_ = nullptr;
  int coeffsPending_ = 0;   // coefficients still to come after COEFFS
  int linearPending_ = 0;   // coefficients still to come after COEFFS_LINEAR
  bool inFormula_ = false;  // inside /begin FORMULA ... /end FORMULA
};

void CompuMethodParser::onToken(ParseContext& ctx) {
  const int32_t step = ctx.step[2]++;
  Token& cur = ctx.tok(0);
  switch (step) {
    case 0:
      method_ = ctx.currentModule->CompuMethods.append(newObject<TCompuMethod_Intern>(ctx));
      coeffsPending_ = 0;
      linearPending_ = 0;
      inFormula_ = false;
      return;
    case 1:
      readObjectName(ctx, ctx.currentModule->CompuMethods, method_);
      return;
    case 2:
      method_->LongIdentifier = stripQuotes(cur);
      return;
    case 3:
      method_->ConversionType =
          findKeeping(keywords::kConversionType, cur.view(), method_->Kept, kKeptConversionType);
      return;
    case 4:
      method_->Format = stripQuotes(cur);
      return;
    case 5:
      method_->Unit = stripQuotes(cur);
      return;
    default:
      optionalPart(ctx);
  }
}

void CompuMethodParser::optionalPart(ParseContext& ctx) {
  Token& cur = ctx.tok(0);
  if (coeffsPending_ > 0) {
    // The six tokens after COEFFS are the coefficients, whatever they spell.
    NumberText& coeff = method_->Coeffs[6 - coeffsPending_--];
    coeff.Text = cur.view();
    coeff.Value = parseDouble(cur.view());
    return;
  }
  if (linearPending_ > 0) {
    // Files read before COEFFS_LINEAR was known kept reading whatever its arguments held:
    // one that is no number is kept as text with a NaN value, which its conversion reports.
    NumberText& coeff = method_->CoeffsLinear[2 - linearPending_--];
    coeff.Text = cur.view();
    try {
      coeff.Value = parseDouble(cur.view());
    } catch (ReturnCode) {
      coeff.Value = std::numeric_limits<double>::quiet_NaN();
    }
    return;
  }
  if (ctx.atBegin) {
    if (ctx.tok(1).is("FORMULA")) {
      inFormula_ = true;
      ctx.objectPath()[3] = ctx.objectPath()[2] + ", FORMULA";
    }
    return;
  }
  if (ctx.atEnd) {
    if (ctx.tok(1).is("FORMULA")) {
      inFormula_ = false;
      ctx.lastParsedObject() = ctx.objectPath()[3];
      ctx.skipNextToken = true;
    }
    return;
  }
  // Arguments are taken from the look-ahead; when they become current they are ignored
  // like any other token that is not a keyword here. The quotes of a formula are removed
  // in the look-ahead buffer itself, so that token arrives without its closing quote.
  if (cur.is("FORMULA")) {
    method_->Formula = stripQuotes(ctx.tok(1));
  } else if (inFormula_) {
    if (cur.is("FORMULA_INV")) method_->FormulaInv = stripQuotes(ctx.tok(1));
  } else if (cur.is("COEFFS")) {
    coeffsPending_ = 6;
  } else if (cur.is("COEFFS_LINEAR")) {
    linearPending_ = 2;
  } else if (cur.is("COMPU_TAB_REF")) {
    method_->CompuTabRef = ctx.tok(1).view();
  } else if (cur.is("STATUS_STRING_REF")) {
    method_->StatusStringRef = ctx.tok(1).view();
  }
}

}  // namespace

std::unique_ptr<BlockParser> makeCompuMethodParser() {
  return std::make_unique<CompuMethodParser>();
}

}  // namespace ordex
