// The host look (GTK 2): every public header.
#pragma once

#include "hostlook/builders/gtk_look_builders.h"
#include "hostlook/gtk/gtk_element.h"
#include "hostlook/gtk/gtk_icons.h"
#include "hostlook/gtk/gtk_probe.h"
#include "hostlook/registrations.h"
#include "hostlook/skin/host_font.h"
#include "hostlook/skin/host_skin.h"
#include "hostlook/tabs/tab_ctrl_style.h"
