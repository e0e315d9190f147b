// Start-up registrations that hold in every program linking a library.
//
// A static archive leaves out every object file that nothing refers to, and its
// static initialisers with it. So registering files keep no initialisers of their
// own: each exposes a plain `RegisterXxx()` function, and each library has exactly
// one registration unit that calls them all from a single initialiser:
//
//     // draw/registrations.cpp
//     namespace Qor {
//     extern const char qor_draw_registrations = (RegisterImageValueType(), RegisterDrawImg(), 0);
//     }
//
// A header that every user of the library includes (directly or through another
// public header) states `QOR_REGISTRATION_ANCHOR(qor_draw)`: each object file
// compiled from it then refers to the unit, so the linker takes the unit in and its
// initialiser runs before the entry point, whatever the program itself calls.
#pragma once

#define QOR_REGISTRATION_ANCHOR(library)                                                           \
    namespace Qor {                                                                                \
    extern const char library##_registrations;                                                     \
    namespace {                                                                                    \
    [[gnu::used]] const char* const library##_registrations_anchor = &library##_registrations;     \
    }                                                                                              \
    }
