// Filter expressions: the dialect the grids' filter criteria write, compiled once into a tree and
// evaluated per record straight on the record store.
//
//   expr     := or
//   or       := and { OR and }
//   and      := not { AND not }
//   not      := NOT not | predicate
//   predicate:= operand ( (= | <> | < | <= | > | >=) operand
//                       | [NOT] LIKE operand | [NOT] BETWEEN operand AND operand
//                       | [NOT] IN '(' operand { , operand } ')' | IS [NOT] NULL )?
//             | '(' expr ')'
//   operand  := field | 'text' (doubled quotes inside) | number | NULL | TRUE | FALSE
//   field    := Name | [Name With Spaces] | "Name" | TABLE.FIELD (the field's Origin, or the part after the
//   dot)
//
// Numbers take '.' or the locale's decimal separator. A quoted text compared with a date field is
// read as a date in the locale's short format (or date and time); with a number field as a number.
// '= NULL' and '<> NULL' mean IS NULL and IS NOT NULL. A comparison with a null field is false
// (NOT of it too). LIKE takes '%' (any run) and '_' (one character). Text compares by the locale's
// collation; foCaseInsensitive ignores case; without foNoPartialCompare, a text ending in '*'
// compares as a prefix ("Name = 'Ив*'").
#pragma once

#include <functional>
#include <memory>

#include "platform/data/DBTypes.h"
#include "platform/data/RecordStore.h"

class TDataSet;
class TField;

class TFilterExpression {
 public:
  // Values of fields that are not in the store (calculated, lookup) for the row being evaluated.
  using TOtherFieldValue = std::function<Variant(const TField* Field)>;

  // Compiles Text against the fields of DataSet. Syntax errors and unknown fields raise
  // EDatabaseError with the position and what was expected, e.g.
  // "Filter expression error: ')' expected at position 12 in: (A = 1".
  static std::unique_ptr<TFilterExpression> Compile(const String& Text, const TDataSet* DataSet,
                                                    TFilterOptions Options);
  ~TFilterExpression();

  bool Evaluate(const TRecordStore& Store, TRecordId Row, const TOtherFieldValue& Other) const;
  // The expression uses fields that are not in the store.
  bool UsesOtherFields() const { return usesOtherFields_; }

  struct Node;

 private:
  TFilterExpression() = default;
  std::unique_ptr<Node> root_;
  bool usesOtherFields_ = false;
};
