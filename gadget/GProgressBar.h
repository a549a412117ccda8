// The skinned progress bar: a value within a double range shown as a skinned trough filled
// with segment pictures.
#pragma once
#include "gadget/GPrimitive.h"

class CGSkProgressBar : public CGPrimitive {
 public:
  // 302 x 20 at (0, 0), id 1076; the range is taken in either order, the value as given.
  CGSkProgressBar(CGCore* parent, double minimum, double maximum, double value);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  using CGPrimitive::GetValue;
  using CGPrimitive::SetRange;
  using CGPrimitive::SetValue;
  void SetValue(double x) override { m_value = Limit(x); }
  // Whole numbers reach the same value and range (not the empty base operations).
  void SetValue(int x) override { SetValue(double(x)); }
  void SetValue(int64_t x) override { SetValue(double(x)); }
  void SetRange(double a, double b) override;
  void SetRange(int a, int b) override { SetRange(double(a), double(b)); }
  int GetValue(double* out) override { return *out = m_value, 0; }
  int GetRange(double* low, double* high) const { return *low = m_low, *high = m_high, 0; }
  void StepBy(double delta) { m_value = Limit(m_value + delta); }

 protected:
  double Limit(double x) const { return x > m_high ? m_high : (x < m_low ? m_low : x); }
  double m_low, m_high, m_value;
};
