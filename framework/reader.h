#pragma once

// TReader builds components from a binary form stream. ObjectReader decodes
// the bytes; TReader gives them meaning: it finds classes in the registry,
// creates components, assigns properties by dotted path and resolves
// component references once the whole stream has been read.

#include "framework/classes.h"
#include "streams/objectstream.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace vantor {

class TMemoryStream;

class TReader
{
public:
    // Reads from the stream's position on; the stream must outlive the reader.
    explicit TReader(const TMemoryStream &stream);
    TReader(const std::uint8_t *data, std::size_t size);

    // Reads the stream into `root`, which keeps its own object and class:
    //  - the root takes the stream's component name, made unique among its
    //    owner's components by a suffix "_1", "_2", ...; the stream's class
    //    name is not used;
    //  - every child is created by its registered class name with the root
    //    as owner and the enclosing component as parent (a child flagged as
    //    inherited is read into the root's component of that name if there is
    //    one); a child position moves it to that place among its siblings;
    //  - properties are set by dotted path, with the conversions below;
    //  - after the last byte: component references are resolved by name
    //    (`Button1`, `Frame1.Button1`; a name that is not found, such as one
    //    of another module like `dtmdlData.cdsIconData`, and a component of
    //    a class the property does not take, leave the property empty), the
    //    root's published fields are bound to the components of their names,
    //    and Loaded() runs on the root and then every created component in
    //    creation order.
    //
    // Conversions of stream values: integers into integer and float
    // properties; floats of every width into float properties; identifiers
    // into enumerations and sets (either spelling, any case), into integer
    // properties that take identifiers (colours, cursors), into booleans
    // ("True"/"False"), into component references and into events; a list
    // of strings into a string list (`Items.Strings`); a collection into a
    // collection property, items created of its item class; binary data into
    // binary properties. Nothing else is converted.
    //
    // An event line (`OnClick = bnPasClick`) binds the root's published
    // method of that name; when the root has none the reader raises "Methode
    // %s nicht gefunden", as the home framework does (forms whose handlers
    // are not there must have their event lines removed before reading).
    //
    // Errors raise the framework's exceptions with German messages:
    // EClassNotFound "Klasse %s nicht gefunden"; EReadError "Eigenschaft %s
    // existiert nicht" and "Ungültiger Eigenschaftswert", prefixed by the
    // component name and the property path ("Button1.Position.X: ...");
    // EReadError for a damaged stream and for nesting deeper than
    // kMaxNestingDepth components or collections. The component being read
    // when the error happened is destroyed; components read before it stay.
    void ReadRootComponent(TComponent *root);

    // Reads leniently, as styles are read: a component of a class the
    // registry lacks is made of `standIn` instead (an empty part that keeps
    // its place and size), a property its class does not have and a value
    // the property does not take are skipped, and an event stays unbound. A
    // damaged stream still raises EReadError. nullptr reads strictly again.
    void setStandInClass(const ClassInfo *standIn) { m_standIn = standIn; }
    // Classes are looked up here instead of in the registry (styles read
    // their own primitives even where a library registered a namesake, and
    // only the classes their reader admits).
    void setClassLookup(const ClassInfo *(*lookup)(const QString &name)) { m_lookup = lookup; }

private:
    struct Fixup
    {
        TObject *instance;
        const PropInfo *info;
        QString name;
    };

    void readChildren(TComponent *parent);
    void readComponent(TComponent *parent);
    void readProperties(TObject *instance, const QString &label);
    void readProperty(TObject *instance, const QString &path, const QString &label);
    // label.path names the value in messages.
    void readValue(TObject *instance, const PropInfo &info, const QString &label, const QString &path);
    void skipValueFrom(std::size_t position);
    void readCollection(TCollection *collection, const QString &label);
    void resolveFixups();
    void bindFields();
    QString uniqueRootName(TComponent *root, const QString &name) const;
    void enter();
    void leave() { --m_depth; }

    ObjectReader m_reader;
    TComponent *m_root = nullptr;
    std::vector<Fixup> m_fixups;
    std::vector<TComponent *> m_loaded;
    int m_depth = 0;
    const ClassInfo *m_standIn = nullptr;
    const ClassInfo *(*m_lookup)(const QString &) = nullptr;
};

} // namespace vantor
