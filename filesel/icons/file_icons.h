// Icons of listed entries and places: files by the MIME type of their extension, folders,
// the home and desktop folders, volumes and roots, from the GTK icon theme with the
// widget library's images standing in where the theme has none.
#pragma once

#include "draw/image/image.h"
#include "draw/image_cache/made_image.h"
#include "foundation/string.h"

namespace Qor {

// The theme's small "gnome-" + name icon; empty when the theme has none.
Image GetThemeFileIcon(const char* name);

// The icon of a file extension (without its dot), made once per extension: the theme's
// icon of its MIME type, else of its major type; empty when neither is known. The first
// one made reads the glob files.
class FileExtMaker : public ImageMaker {
public:
    String GetKey() const override;
    Image Make() const override;

    String ext;
};

// A listed entry of folder; may be empty for a file whose type and fall-back the theme lacks.
Image GetFileIcon(const String& folder, const String& name, bool isfolder, bool executable);
// A volume by its name: computer, CD, floppy or hard disk.
Image GetDriveIcon(const String& name);
// A folder path's icon, the folder image when the theme has none.
Image GetPathIcon(const char* path);
// A root entry by its root kind byte.
Image GetRootIcon(int kind);

} // namespace Qor
