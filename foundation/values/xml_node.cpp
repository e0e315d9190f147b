// XmlNode: children are appended in document order, attributes live in a keyed map
// made on the first SetAttribute so that plain nodes carry only a null pointer.

#include "foundation/values/xml_node.h"

namespace Qor {

XmlNode::~XmlNode()
{
    if(children.IsEmpty())
        return;
    Vector<XmlNode*> pending;
    while(children.GetCount())
        pending.Add(children.PopDetach());
    while(!pending.IsEmpty()) {
        XmlNode* n = pending.Pop();
        while(n->children.GetCount())
            pending.Add(n->children.PopDetach());
        delete n; // childless now
    }
}

XmlNode& XmlNode::AddChild(const char* tag)
{
    XmlNode& child = children.Add(new XmlNode);
    child.kind = XML_ELEMENT;
    child.text = tag ? tag : "";
    return child;
}

XmlNode& XmlNode::AddText(const String& s)
{
    XmlNode& child = children.Add(new XmlNode);
    child.kind = XML_TEXT;
    child.text = s;
    return child;
}

XmlNode& XmlNode::SetAttribute(const char* name, const String& value)
{
    if(attributes.IsEmpty())
        attributes.Create();
    String key(name ? name : "");
    int i = attributes->Find(key);
    if(i >= 0)
        (*attributes)[i] = value;
    else
        attributes->Add(key, value);
    return *this;
}

String XmlNode::GetAttribute(const char* name) const
{
    if(attributes.IsEmpty())
        return String();
    int i = attributes->Find(String(name ? name : ""));
    return i >= 0 ? (*attributes)[i] : String();
}

bool XmlNode::HasAttribute(const char* name) const
{
    return !attributes.IsEmpty() && attributes->Find(String(name ? name : "")) >= 0;
}

int XmlNode::FindChild(int32 k) const
{
    for(int i = 0; i < children.GetCount(); i++)
        if(children[i].kind == k)
            return i;
    return -1;
}

} // namespace Qor
