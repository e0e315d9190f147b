// Start-up registrations of the rich-text library hold in a program that links only it and
// the libraries below it: the object types "Drawing", "PING", "image", "PNG", "rawimage" and
// "iml" are registered in this order and the image list "RichTextImg" holds its five
// images. Exits non-zero when a check fails.

#include "draw/image_list/image_list.h"
#include "richtext/richtext.h"
#include "tests/registration/registration_check.h"

#include <cstdio>

using namespace Qor;

using QorRegistration::Check;

int main()
{
    // Asked first, so only the start-up registration can have filled the registry.
    const char* types[] = { "Drawing", "PING", "image", "PNG", "rawimage", "iml" };
    Check(GetObjectTypeCount() == 6, "six object types are registered");
    for(int i = 0; i < 6 && i < GetObjectTypeCount(); i++) {
        Check(GetObjectTypeName(i) == types[i], types[i]);
        const RichObjectType* type = FindObjectType(types[i]);
        Check(type && type->GetTypeName(Value()) == types[i], "the type answers its own name");
    }

    int list = FindImageListIndex("RichTextImg");
    Check(list >= 0, "the image list \"RichTextImg\" is registered");
    if(list >= 0) {
        ImageList& images = GetImageList(list);
        const char* names[] = { "Label", "EndParaChar", "TabChar", "SpaceChar", "HardSpaceChar" };
        Check(images.GetCount() == 5, "the list holds five images");
        for(int i = 0; i < 5 && i < images.GetCount(); i++) {
            Check(images.GetName(i) == names[i], names[i]);
            Check(!images.Get(i).GetSize().IsEmpty(), "the image decodes");
        }
    }
    Check(FindImageByPath("RichTextImg:TabChar").GetSize() == Size(6, 5), "\"RichTextImg:TabChar\" is found");
    return QorRegistration::Finish("richtext registrations");
}
