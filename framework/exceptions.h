#pragma once

#include "streams/errors.h"

#include <string>

namespace vantor {

// A class name that the registry does not know ("Klasse %s nicht gefunden").
class EClassNotFound : public EFilerError
{
public:
    using EFilerError::EFilerError;
};

// A component name that is not an identifier, or that another component of
// the same owner already has.
class EComponentError : public Exception
{
public:
    using Exception::Exception;
};

// A property path that the object does not have, or a value that does not fit
// the property, outside the reader (the reader raises EReadError).
class EPropertyError : public Exception
{
public:
    using Exception::Exception;
};

namespace msg {
inline constexpr const char *ClassNotFound = "Klasse %s nicht gefunden";
inline constexpr const char *DuplicateClass = "Eine Klasse mit der Bezeichnung %s existiert bereits";
inline constexpr const char *UnknownProperty = "Eigenschaft %s existiert nicht";
inline constexpr const char *MethodNotFound = "Methode %s nicht gefunden";
inline constexpr const char *InvalidName = "'%s' ist kein gültiger Komponentenname";
inline constexpr const char *DuplicateName = "Eine Komponente mit der Bezeichnung %s existiert bereits";
inline constexpr const char *ParentLoop = "Ein Objekt kann nicht sein eigener Vorfahr sein";
inline constexpr const char *ReadOnlyProperty = "Eigenschaft %s ist schreibgeschützt";
} // namespace msg

} // namespace vantor
