// The interface through which data gadgets read one channel of measured data. The framework
// only gives the default answers, which all mean "no data"; the application's channel class
// implements the operations it has data for. Operations that no caller of ours reads yet are
// kept out until one needs them.
#pragma once
#include <cstdint>
#include <string>

#include "gadget/GCore.h"

// The status of a sample that has no data (16-bit and int forms).
constexpr uint16_t kChannelNoDataStatus16 = 0x8300;
constexpr int kChannelNoDataStatus = 3;

class CGChannel : public CGCore {
 public:
  explicit CGChannel(CGCore* parent) : CGCore(0, parent) {}
  const SGClassInfo* GetClassInfo() const override;
  virtual int GetAttribute() { return 0; }
  virtual int GetDecimals() { return 0; }
  virtual int IsExponent() { return 0; }
  virtual int GetChannelNumber() { return -1; }
  virtual void GetName(std::string* out, int kind) { (void)out, (void)kind; }
  virtual void GetUnit(std::string* out) { (void)out; }
  virtual int IsShown() { return 0; }
  virtual uint32_t GetColour() { return 0; }
  virtual CGChannel* GetSelf() { return this; }
};
