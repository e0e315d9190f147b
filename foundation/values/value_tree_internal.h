// Hash, equality and text of ValueArray and ValueMap data, walked over the whole tree of
// nested containers with an explicit stack: a tree built in code to any depth gets the
// same result as by recursion, without exhausting the stack.
#pragma once

#include "foundation/values/value.h"

namespace Qor {

// data is a ValueArray::Data or a ValueMap::Data; the results are those of the data slots.
uint32 HashValueContainer(const Value::Void* data);
// left and right have the same type number; left's elements stand on the left of each
// element comparison.
bool EqualValueContainers(const Value::Void* left, const Value::Void* right);
String ValueContainerText(const Value::Void* data);

} // namespace Qor
