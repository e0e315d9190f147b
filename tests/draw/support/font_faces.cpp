// Face lookup of the test fonts by their exact family names.

#include "tests/draw/support/font_faces.h"

namespace QorTest {

int TestFace(const char* family)
{
    const Qor::Vector<Qor::FontFaceInfo>& list = Qor::GetFontFaceList();
    for(int i = 4; i < list.GetCount(); i++)
        if(list[i].name == family)
            return i;
    return -1;
}

Qor::Font TestFont(const char* family, int height)
{
    return Qor::Font(TestFace(family), height);
}

} // namespace QorTest
