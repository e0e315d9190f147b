// Bar and the dummy item.

#include "widgets/bar/bar.h"

namespace Qor {

Bar::Item& Bar::Item::Text(const char*) { return *this; }
Bar::Item& Bar::Item::Key(dword) { return *this; }
Bar::Item& Bar::Item::Image(const Qor::Image&) { return *this; }
Bar::Item& Bar::Item::Check(bool) { return *this; }
Bar::Item& Bar::Item::Radio(bool) { return *this; }
Bar::Item& Bar::Item::Enable(bool) { return *this; }
Bar::Item& Bar::Item::Help(const char*) { return *this; }
Bar::Item& Bar::Item::InfoText3(const char*) { return *this; }
Bar::Item& Bar::Item::InfoText2(const char*) { return *this; }

Bar::Item& Bar::NilItem()
{
    static Item nil;
    return nil;
}

void Bar::AddKey(dword, Callback) {}

Bar::Item& Bar::AddMenuItem(bool enable, const char* text, Callback action)
{
    if(!TakesMenuItems())
        return NilItem();
    return AddItem(std::move(action)).Text(text).Image(Qor::Image()).Enable(enable);
}

Bar::Item& Bar::AddMenuItem(bool enable, const char* text, const Qor::Image& image, Callback action)
{
    return AddItem(std::move(action)).Text(text).Image(image).Enable(enable);
}

} // namespace Qor
