// XML and JSON forms of the geometry values: one attribute or object member per value
// member, in declaration order, installed into the Value records and representations.

#include "foundation/values/geometry.h"

#include "foundation/values/jsonize.h"
#include "foundation/values/xmlize.h"

namespace Qor {

template <class T>
void Xmlize(XmlizeIo& io, Point_<T>& p) { io.Attribute("x", p.x).Attribute("y", p.y); }
template <class T>
void Xmlize(XmlizeIo& io, Size_<T>& s) { io.Attribute("cx", s.cx).Attribute("cy", s.cy); }
template <class T>
void Xmlize(XmlizeIo& io, Rect_<T>& r)
{
    io.Attribute("left", r.left).Attribute("top", r.top).Attribute("right", r.right).Attribute("bottom", r.bottom);
}

template <class T>
void Jsonize(JsonizeIo& io, Point_<T>& p) { io.Member("x", p.x).Member("y", p.y); }
template <class T>
void Jsonize(JsonizeIo& io, Size_<T>& s) { io.Member("cx", s.cx).Member("cy", s.cy); }
template <class T>
void Jsonize(JsonizeIo& io, Rect_<T>& r)
{
    io.Member("left", r.left).Member("top", r.top).Member("right", r.right).Member("bottom", r.bottom);
}

#define QOR_GEOMETRY_MAPPINGS(T)                                                                         \
    template void Xmlize(XmlizeIo&, Point_<T>&);                                                         \
    template void Xmlize(XmlizeIo&, Size_<T>&);                                                          \
    template void Xmlize(XmlizeIo&, Rect_<T>&);                                                          \
    template void Jsonize(JsonizeIo&, Point_<T>&);                                                       \
    template void Jsonize(JsonizeIo&, Size_<T>&);                                                        \
    template void Jsonize(JsonizeIo&, Rect_<T>&);
QOR_GEOMETRY_MAPPINGS(int)
QOR_GEOMETRY_MAPPINGS(int64)
QOR_GEOMETRY_MAPPINGS(double)
#undef QOR_GEOMETRY_MAPPINGS

template <class G>
static void InstallHooks()
{
    ValueMappingHooks<G>::xmlize = static_cast<void (*)(XmlizeIo&, G&)>(Xmlize);
    ValueMappingHooks<G>::jsonize = static_cast<void (*)(JsonizeIo&, G&)>(Jsonize);
}

void RegisterGeometryValueMappings()
{
    InstallHooks<Point_<int>>();
    InstallHooks<Point_<int64>>();
    InstallHooks<Point_<double>>();
    InstallHooks<Size_<int>>();
    InstallHooks<Size_<int64>>();
    InstallHooks<Size_<double>>();
    InstallHooks<Rect_<int>>();
    InstallHooks<Rect_<int64>>();
    InstallHooks<Rect_<double>>();
}

} // namespace Qor
