#pragma once

// Writes small binary form streams for the reader tests:
//     StreamBuilder s;
//     s.object("TForm", "Form1").integer("ClientWidth", 300)
//         .children()
//             .object("TButton", "Button1").ident("Align", "Top").children().end()
//         .end();
#include "streams/memorystream.h"
#include "streams/objectstream.h"

#include <string>
#include <vector>

namespace vantor::test {

class StreamBuilder
{
public:
    StreamBuilder() { m_writer.writeSignature(); }

    StreamBuilder &object(const std::string &cls, const std::string &name, std::uint8_t flags = 0, std::int64_t pos = 0)
    {
        ComponentHeader h;
        h.flags = flags;
        h.childPos = pos;
        h.className = cls;
        h.name = name;
        m_writer.writeComponentHeader(h);
        return *this;
    }
    StreamBuilder &integer(const std::string &prop, std::int64_t v) { name(prop); m_writer.writeInteger(v); return *this; }
    StreamBuilder &floating(const std::string &prop, double v) { name(prop); m_writer.writeExtended(v); return *this; }
    StreamBuilder &single(const std::string &prop, float v) { name(prop); m_writer.writeSingle(v); return *this; }
    StreamBuilder &string(const std::string &prop, const std::string &v) { name(prop); m_writer.writeString(v); return *this; }
    StreamBuilder &ident(const std::string &prop, const std::string &v) { name(prop); m_writer.writeIdent(v); return *this; }
    StreamBuilder &boolean(const std::string &prop, bool v) { name(prop); m_writer.writeBoolean(v); return *this; }
    StreamBuilder &nil(const std::string &prop) { name(prop); m_writer.writeNil(); return *this; }
    StreamBuilder &set(const std::string &prop, const std::vector<std::string> &v)
    {
        name(prop);
        m_writer.writeSet(v);
        return *this;
    }
    StreamBuilder &binary(const std::string &prop, const std::vector<std::uint8_t> &v)
    {
        name(prop);
        m_writer.writeBinary(v);
        return *this;
    }
    StreamBuilder &strings(const std::string &prop, const std::vector<std::string> &lines)
    {
        name(prop);
        m_writer.writeListBegin();
        for (const auto &l : lines)
            m_writer.writeString(l);
        m_writer.writeListEnd();
        return *this;
    }
    // A collection property: items(...) opens it, item() starts each item
    // (end it with end()), and endItems() closes the collection.
    StreamBuilder &items(const std::string &prop) { name(prop); m_writer.writeCollectionBegin(); return *this; }
    StreamBuilder &item() { m_writer.writeItemBegin(); return *this; }
    StreamBuilder &endItems() { m_writer.writeListEnd(); return *this; }
    // Ends the properties of an object; its children follow.
    StreamBuilder &children() { m_writer.writeListEnd(); return *this; }
    // Ends the children of an object, or an item's properties.
    StreamBuilder &end() { m_writer.writeListEnd(); return *this; }

    std::vector<std::uint8_t> &bytes() { return m_bytes; }
    TMemoryStream stream() const { return TMemoryStream(m_bytes); }

private:
    void name(const std::string &n) { m_writer.writeStr(n); }
    std::vector<std::uint8_t> m_bytes;
    ObjectWriter m_writer{m_bytes};
};

} // namespace vantor::test
