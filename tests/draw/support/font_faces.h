// Faces of the private test fonts by family name, for font tests.
#pragma once

#include "draw/font/font.h"

namespace QorTest {

// The face-list index of a family of the test font folder; -1 when it is not listed.
int TestFace(const char* family);
// A font of that family at a pixel height.
Qor::Font TestFont(const char* family, int height);

} // namespace QorTest
