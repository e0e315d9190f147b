// Link anchor of the PDF library: every program that uses it installs the PDF converter.
#pragma once

#include "foundation/registration.h"

QOR_REGISTRATION_ANCHOR(qor_pdf)
