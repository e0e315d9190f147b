// Start-up registrations of the host look hold in a program that links it and the libraries
// below it: a skin change runs the standard skin and then the GTK host skin, whatever order
// the libraries' registrations ran in. Exits non-zero when a check fails.

#include "ctrl/settings/skin_change.h"
#include "hostlook/hostlook.h"
#include "tests/registration/registration_check.h"
#include "widgets/skin/standard_skin.h"

using namespace Qor;

using QorRegistration::Check;

int main()
{
    Check(GetBaseSkin() == &StandardSkin, "the standard skin is the base skin");
    Check(GetHostSkin() == &GtkHostSkin, "the GTK host skin runs after it");
    Check(GetGtkHostSkinRunCount() == 0, "nothing runs a skin before the window system starts");
    return QorRegistration::Finish("hostlook registrations");
}
