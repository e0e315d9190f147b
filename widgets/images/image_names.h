// The index enumerators and getters of a compiled-in image list, made from its list of names
// (an X-macro naming each image in list order).
#pragma once

#define QOR_IMAGE_INDEX(name) I_##name,
#define QOR_IMAGE_GETTER(name)                                                                                         \
    static Image name() { return Get(I_##name); }
