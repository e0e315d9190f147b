// XmlNode: one node of the in-memory XML tree that values are mapped to and from.
// An element carries a tag, attributes and children; a text node carries character data.
// The tree is the whole interface: nothing here reads or writes XML text.
#pragma once

#include "foundation/key_map.h"
#include "foundation/owned_array.h"
#include "foundation/owned_ptr.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Qor {

enum : int32 {
    XML_UNFILLED = 0, // made by a resize of the children and not filled yet
    XML_ELEMENT = 1,
    XML_TEXT = 3,
};

class XmlNode {
public:
    XmlNode() = default;
    // Takes the subtree apart in a loop: a tree of any depth dies without recursion.
    ~XmlNode();
    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    // Appends a new element (a null tag gives an empty tag name) and returns it.
    XmlNode& AddChild(const char* tag);
    // Appends a new text node holding text and returns it.
    XmlNode& AddText(const String& text);
    // Replaces the value of an existing name in place, else appends the name; chains.
    XmlNode& SetAttribute(const char* name, const String& value);
    // The value stored under name; empty when there is none.
    String GetAttribute(const char* name) const;
    bool HasAttribute(const char* name) const;

    int32 GetKind() const { return kind; }
    void SetKind(int32 k) { kind = k; }
    bool IsElement() const { return kind == XML_ELEMENT; }
    bool IsText() const { return kind == XML_TEXT; }
    // The tag of an element, the character data of a text node.
    const String& GetText() const { return text; }
    void SetText(const String& s) { text = s; }

    int GetCount() const { return children.GetCount(); }
    XmlNode& operator[](int i) { return children[i]; }
    const XmlNode& operator[](int i) const { return children[i]; }
    // The children in document order; resizing them is how loaders make room.
    OwnedArray<XmlNode>& Children() { return children; }
    const OwnedArray<XmlNode>& Children() const { return children; }
    // Index of the first child of the kind, -1 when none.
    int FindChild(int32 kind) const;

    // Attributes in the order their names were first set; null map means none.
    int GetAttributeCount() const { return attributes ? attributes->GetCount() : 0; }
    const String& GetAttributeName(int i) const { return attributes->GetKey(i); }
    const String& GetAttributeValue(int i) const { return (*attributes)[i]; }
    bool HasAttributeMap() const { return !attributes.IsEmpty(); }

private:
    // Members are destroyed in reverse: the attribute map, then the children, then the text.
    int32 kind = XML_UNFILLED;
    String text;
    OwnedArray<XmlNode> children;
    OwnedPtr<KeyMap<String, String>> attributes;
};

} // namespace Qor
