#pragma once

#include <functional>
#include <memory>

#include "platform/AnsiString.h"
#include "platform/automation/Variant.h"

class AutomationObject;

// Program identifiers, as the system registry holds them: each names a server that makes
// new instances. Identifiers match without regard to letter case. The servers installed
// with the program are registered on first use.

using AutomationFactory = std::function<std::shared_ptr<AutomationObject>()>;

// Registers the server for an identifier and returns the one it replaces (empty if none);
// an empty factory removes the identifier.
AutomationFactory RegisterProgId(const AnsiString& progId, AutomationFactory factory);

// A new instance of the server, every time. An unknown identifier, or a server that makes
// no instance, fails with an Exception.
Variant CreateObject(const AnsiString& progId);

// The most recent instance made by CreateObject for the identifier that is still alive;
// fails with an Exception when there is none.
Variant GetActiveObject(const AnsiString& progId);
