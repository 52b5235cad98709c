// The arithmetic operators of Variant.
#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Variant.h"

namespace {

enum class Op { Add, Sub, Mul, Div };
enum class ArithKind { Integer, Wide, Float, Currency, Date };

[[noreturn]] void InvalidOperation() { throw EVariantError("Invalid variant operation"); }
[[noreturn]] void Overflow() { throw EVariantError("Variant overflow"); }

ArithKind KindOf(TVarType t) {
  switch (t) {
    case varInt64:
    case varLongWord:
      return ArithKind::Wide;
    case varSingle:
    case varDouble:
    case varFMTBcd:
    case varOleStr:
    case varString:  // text takes part as a number
      return ArithKind::Float;
    case varCurrency:
      return ArithKind::Currency;
    case varDate:
    case varSQLTimeStamp:
      return ArithKind::Date;
    default:
      return ArithKind::Integer;  // Empty (0), Boolean (-1/0) and the small integers
  }
}

double Apply(double x, double y, Op op) {
  switch (op) {
    case Op::Add:
      return x + y;
    case Op::Sub:
      return x - y;
    case Op::Mul:
      return x * y;
    case Op::Div:
      if (y == 0) throw EZeroDivide("Floating point division by zero");
      return x / y;
  }
  return 0;
}

double FloatResult(double x, double y, Op op) {
  const double r = Apply(x, y, op);
  if (std::isinf(r) && std::isfinite(x) && std::isfinite(y)) throw EOverflow("Floating point overflow");
  return r;
}

Currency CurrencyResult(Currency x, Currency y, Op op) {
  try {
    switch (op) {
      case Op::Add:
        return x + y;
      case Op::Sub:
        return x - y;
      default:
        return x * y;
    }
  } catch (const EOverflow&) {
    Overflow();
  }
}

Variant IntegerResult(Int64 x, Int64 y, Op op, bool wide) {
  Int64 r = 0;
  const bool overflow = op == Op::Add   ? __builtin_add_overflow(x, y, &r)
                        : op == Op::Sub ? __builtin_sub_overflow(x, y, &r)
                                        : __builtin_mul_overflow(x, y, &r);
  if (overflow) Overflow();
  if (!wide && r >= std::numeric_limits<Integer>::min() && r <= std::numeric_limits<Integer>::max())
    return static_cast<Integer>(r);
  return r;
}

Variant Arithmetic(const Variant& a, const Variant& b, Op op) {
  const TVarType ta = a.Type();
  const TVarType tb = b.Type();
  if (VarIsArray(a) || VarIsArray(b) || VarIsObject(a) || VarIsObject(b)) InvalidOperation();
  if (ta == varNull || tb == varNull) return Null();
  if (op == Op::Add && VarIsStr(a) && VarIsStr(b)) {
    if (ta == varString && tb == varString) return VarFromAnsiString(a.AsAnsiString() + b.AsAnsiString());
    return a.AsString() + b.AsString();
  }
  const ArithKind ka = KindOf(ta);
  const ArithKind kb = KindOf(tb);
  if (ka == ArithKind::Date || kb == ArithKind::Date) {
    const double r = FloatResult(a.AsDouble(), b.AsDouble(), op);
    const bool date = (op == Op::Add) || (op == Op::Sub && (ka != ArithKind::Date || kb != ArithKind::Date));
    return date ? VarFromDateTime(r) : Variant(r);
  }
  if (ka == ArithKind::Float || kb == ArithKind::Float) return FloatResult(a.AsDouble(), b.AsDouble(), op);
  if (ka == ArithKind::Currency || kb == ArithKind::Currency) {
    if (op != Op::Div) return CurrencyResult(a.AsCurrency(), b.AsCurrency(), op);
    if (kb == ArithKind::Currency) return FloatResult(a.AsDouble(), b.AsDouble(), op);
    const Int64 divisor = b.AsInt64();
    if (divisor == 0) throw EZeroDivide("Floating point division by zero");
    return a.AsCurrency() / divisor;
  }
  if (op == Op::Div) return FloatResult(a.AsDouble(), b.AsDouble(), op);
  return IntegerResult(a.AsInt64(), b.AsInt64(), op, ka == ArithKind::Wide || kb == ArithKind::Wide);
}

}  // namespace

Variant operator+(const Variant& a, const Variant& b) { return Arithmetic(a, b, Op::Add); }
Variant operator-(const Variant& a, const Variant& b) { return Arithmetic(a, b, Op::Sub); }
Variant operator*(const Variant& a, const Variant& b) { return Arithmetic(a, b, Op::Mul); }
Variant operator/(const Variant& a, const Variant& b) { return Arithmetic(a, b, Op::Div); }

Variant operator-(const Variant& a) {
  switch (KindOf(a.Type())) {
    case ArithKind::Float:
      return -a.AsDouble();
    case ArithKind::Currency:
      return -a.AsCurrency();
    case ArithKind::Date:
      return VarFromDateTime(-a.AsDouble());
    default:
      if (VarIsNull(a)) return Null();
      return Arithmetic(0, a, Op::Sub);
  }
}
